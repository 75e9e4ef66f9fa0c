#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Database;
class Messages;

// The stock at a date: `QIn` and `QOut` per stock key into the private answer table
// `PVL_PRIV.ANSW_ST`, from the documents registered up to the date. Initial-stock lines
// (a document without registration date) count at every date. The key holds `Lot` only
// when the application works with lots; without lots the lines of one key that differ
// in `Lot` are summed together and the row keeps the earliest `Lot`.
class StockAtDate
{
public:
    StockAtDate(Database &db, bool withLots) : m_db(db), m_withLots(withLots) {}

    // Builds a fresh ANSW_ST for the units (all units when empty). False, with the
    // previous answer table left as it was, when no entry line counts; DbError on engine
    // failures.
    bool build(const QDate &date, const QStringList &units);
    // build() that shows the "no documents" message.
    bool build(const QDate &date, const QStringList &units, Messages &messages);
    // The answer table belongs to the run that built it.
    void drop();

    static QString noDocumentsText();

    // The unit list the report dialogs exchange: codes in double quotes separated by
    // commas ("" inside a code stands for one quote).
    static QStringList parseUnitList(const QString &list);
    static QString unitListText(const QStringList &units);

private:
    Database &m_db;
    bool m_withLots;
};
