#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class Database;
class Messages;
class SqliteStatement;

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
    // Whether build() would find an entry line that counts (false: "no documents"),
    // without building anything.
    bool hasDocuments(const QDate &date, const QStringList &units);
    // The rows build() would write, sorted by their key, handed to `row` as they come
    // instead of being stored (the columns of ANSW_ST in order). False, with nothing
    // read, when no entry line counts.
    bool read(const QDate &date, const QStringList &units, const std::function<void(const SqliteStatement &)> &row);

    static QString noDocumentsText();

    // The unit list the report dialogs exchange: codes in double quotes separated by
    // commas ("" inside a code stands for one quote).
    static QStringList parseUnitList(const QString &list);
    static QString unitListText(const QStringList &units);

private:
    static QString stockSql(bool withLots, const QString &filterEntries, const QString &filterExits);

    Database &m_db;
    bool m_withLots;
};
