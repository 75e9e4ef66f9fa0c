#pragma once

#include "documents/EntryLine.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

class Database;
class Parameters;

// Stock rows typed by hand in the current-stock window. A stock row with no document
// behind it would vanish at the next recalculation, which rebuilds the stock from the
// documents; so each row is written as a line of the initial-stock document and enters
// the stock through it.
class StockInsertion
{
public:
    // What the user types; the unit is the window's.
    struct Row
    {
        QString unit;
        QString group;
        QString article;
        QString name;
        std::optional<double> price;
        double quantity = 0;
        QDate lot;
        QString agent;
        QString barCode;

        // Nothing typed beyond what a new row starts with.
        bool isBlank() const;
    };

    StockInsertion(Database &db, const Parameters &parameters) : m_db(db), m_params(parameters) {}

    // A new row of `unit`: quantity 0, put into use at the date of the initial stock
    // (today while there is none).
    Row newRow(const QString &unit) const;
    // The captions of the required values left empty, in the grid's order.
    QStringList missing(const Row &row) const;
    // Writes the row as an initial-stock line, the document made when missing, in one
    // transaction. A row that is incomplete or names an unknown classification code or
    // budget throws DocumentRefusal (warning) and writes nothing. The line takes the
    // defaults of an asset with no depreciation history: private domain, depreciated,
    // the middle of the group's normal life as total and remaining duration.
    EntryLine insert(const Row &row);

    static QString incompleteText(const QStringList &missing);
    static QString negativeText();
    static QString unknownBudgetText(const QString &code);
    static QString defaultDomain() { return QStringLiteral("Privat"); }

private:
    Database &m_db;
    const Parameters &m_params;
};
