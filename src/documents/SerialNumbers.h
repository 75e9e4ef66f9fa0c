#pragma once

#include <QString>

#include <optional>

class Database;

// The serial-number rows (`Serie`) of an entry line: one row per unit of its quantity
// while the line's `Serii` flag is on. Callers run these inside the line's transaction.
class SerialNumbers
{
public:
    // What the serial rows depend on, as stored before and as saved now.
    struct LineState
    {
        bool serii = false;
        double quantity = 0;
    };

    struct Found
    {
        double contor = 0;
        double contorSec = 0;
    };

    explicit SerialNumbers(Database &db) : m_db(db) {}

    // Rows for a quantity: rounded to a whole number (halves to the even neighbour),
    // none when zero or less.
    static int rowCount(double quantity);

    // Appends one row per unit with `SerieFurn` 0 and an empty `Serie`.
    void create(double contor, double contorSec, const QString &group, const QString &article,
                double quantity);
    void remove(double contor, double contorSec);
    // A line saved: rows made when the flag comes on, removed when it goes off, made anew
    // (their numbers lost) when the quantity of a flagged line changes.
    void lineSaved(double contor, double contorSec, const QString &group, const QString &article,
                   const LineState &before, const LineState &after);
    int count(double contor, double contorSec) const;
    // The document and line of a serial number; nullopt when no row has it.
    std::optional<Found> find(double serie) const;

private:
    Database &m_db;
};
