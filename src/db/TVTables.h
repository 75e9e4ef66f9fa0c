#pragma once

#include "db/TVTable.h"

#include <QList>
#include <QString>

// The schema held as data: the tables of the data directory in the order the start-up
// check walks them, and the fixed-layout working tables of the private directory.
class TVTables
{
public:
    // The 47 tables of the data directory, in check order.
    static const QList<TVTable> &all();
    // Fixed-layout working tables of the private directory: ANSW_TMP and ANSW_ST (with lots).
    static const QList<TVTable> &privateTables();

    // The stock-at-a-date answer table; its key holds `Lot` only when the application
    // works with lots.
    static TVTable answSt(bool withLots);
    static const TVTable &answTmp();

    // A table of the data directory, or else of the private directory, by its name
    // without regard to case, with or without ".DB"; nullptr when there is none.
    static const TVTable *find(const QString &name);
    static const TVTable *find(const QList<TVTable> &tables, const QString &name);
};
