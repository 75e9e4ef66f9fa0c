#pragma once

#include <QString>

class Database;
class Messages;

// "Recalculare stocuri": rebuilds `Stoc` from every entry and exit line whose document
// exists, whatever its date. Set-based SQL in one exclusive transaction: a failure
// rolls back and leaves the previous stock, never an emptied table.
class StockRecalculation
{
public:
    enum class Outcome { Done, Busy };

    StockRecalculation(Database &db, double epsilon) : m_db(db), m_epsilon(epsilon) {}

    // How long to wait for the other workstations to let go of the database.
    void setBusyWait(int milliseconds) { m_busyWaitMs = milliseconds; }

    // Busy when another connection holds the database; DbError on other failures.
    // Shows the stages in the status line.
    Outcome run();
    // run() with its messages: the refusal as a warning, the success as information.
    // False when refused or failed (a database error is shown as an error).
    bool run(Messages &messages);

    static QString busyText();
    static QString doneText();

private:
    bool beginExclusive();

    Database &m_db;
    double m_epsilon;
    int m_busyWaitMs = 1000;
};
