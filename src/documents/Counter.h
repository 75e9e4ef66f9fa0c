#pragma once

#include <QString>

class Database;

// Registration numbers from the one-row table `Counter`: each field holds the last
// number given out for one kind of document. Every allocation and give-back is one
// write transaction, so two workstations never receive the same number; a counter held
// by another workstation is waited for up to the busy timeout, then the engine's error
// (DbError) goes to the caller and no number is taken.
class Counter
{
public:
    enum class Kind { In, Out, Off, Com, OffC, Prof };

    explicit Counter(Database &db) : m_db(db) {}

    // The field's value + 1, stored. An empty field counts as 0; a missing row is made.
    double allocate(Kind kind);
    // Lowers the field by one only when `number` is still the last one given out.
    void giveBack(Kind kind, double number);
    // The last number given out (0 when none).
    double last(Kind kind) const;

    static QString fieldName(Kind kind);

private:
    Database &m_db;
};
