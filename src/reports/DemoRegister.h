#pragma once

#include <QDate>
#include <QString>

class Database;

// Fills an empty data directory with the register of an invented town hall: its
// nomenclators, an initial stock, receptions over several years, transfers between
// units and scrappings, then rebuilds `Stoc` and moves `Counter` past the numbers used.
// The same number of assets and reference date always give the same table contents.
class DemoRegister
{
public:
    struct Summary
    {
        int assets = 0;
        int initialStockLines = 0;
        int entryDocuments = 0; // receptions and transfer entries, without the initial stock
        int entryLines = 0;     // every line of `Item_in`
        int exitDocuments = 0;
        int exitLines = 0;
    };

    static constexpr int maxAssets = 1000000;
    static constexpr int firmNo = 1;
    // The reference "today" of the data unless another one is asked for, so that the
    // register does not change with the day it is made.
    static QDate defaultToday() { return QDate(2026, 11, 30); }

    DemoRegister(Database &db, double epsilon) : m_db(db), m_epsilon(epsilon) {}

    // Inserts everything in one write transaction, then recalculates the stock.
    // Throws DbError.
    Summary fill(int assets, const QDate &today = defaultToday());

private:
    Database &m_db;
    double m_epsilon;
};
