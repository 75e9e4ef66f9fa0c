#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
class Database;

// A statement run straight on the engine under the connection, for the few loops where
// going through QSqlQuery costs more per value than the engine itself (large reports).
// Errors throw DbError with the engine's message.
class SqliteStatement
{
public:
    SqliteStatement(Database &db, const QString &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Binds a named placeholder (":name"); a name the statement does not hold is ignored.
    void bind(const QString &name, const QVariant &value);
    void bind(int index, const QVariant &value);
    void bind(int index, double value);
    // Binds the value of column `column` of the current row of `from`, as it is.
    void bindColumn(int index, const SqliteStatement &from, int column);

    // Next row: true while there is one.
    bool next();
    // Runs a statement that returns no rows and makes it ready to run again; false when
    // the engine refused the row (a key already there, for instance).
    bool execute();

    bool isNull(int column) const;
    // The engine's type of the value (SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT,
    // SQLITE_BLOB or SQLITE_NULL).
    int type(int column) const;
    // The value as the UTF-8 the data directory stores, valid until the next row; empty
    // for NULL. For loops that copy or format texts without turning them into QString.
    QByteArrayView bytes(int column) const;
    QString text(int column) const;
    double number(int column) const;
    // The value read the way QVariant::toBool reads what the Qt driver would return.
    bool boolean(int column) const;
    // The first `columns` values of the row as one text, to tell whole rows apart.
    QString rowText(int columns) const;
    // An ISO date at the start of a text column ("yyyy-MM-dd..."); null otherwise.
    QDate date(int column) const;
    // The same reading of a text already in hand.
    static QDate isoDate(QByteArrayView text);

private:
    [[noreturn]] void fail() const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};
