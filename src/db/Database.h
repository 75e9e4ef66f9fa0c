#pragma once

#include "app/Workstation.h"
#include "db/SqliteDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

#include <type_traits>

// The connection to one data directory: its `tessaro.sqlite` opened as the Qt SQL
// connection `TARVEN`, with the workstation's private database attached as schema
// `PVL_PRIV`. A plain object: whoever needs the database gets it passed in.
class Database
{
public:
    static constexpr const char *defaultConnectionName = "TARVEN";
    static constexpr const char *dataSchema = "main";
    static constexpr const char *privateSchema = "PVL_PRIV";
    static QString fileName() { return QStringLiteral("tessaro.sqlite"); }
    static QString privateFileName() { return QStringLiteral("PVL_PRIV.sqlite"); }

    Database(const QString &dataDirectory, const Workstation &workstation,
             const QString &connectionName = QLatin1String(defaultConnectionName));
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the connection, registers the RO collation and attaches the private
    // database (making its folder). Throws DbError; nothing stays open on failure.
    void open();
    void close();
    bool isOpen() const;

    QString dataDirectory() const { return m_dataDirectory; }
    QString filePath() const;
    QString privateFilePath() const;
    QString connectionName() const { return m_connectionName; }
    QSqlDatabase connection() const;
    const SqlDialect &dialect() const { return m_dialect; }

    // Prepares `sql`, binds the named values and runs it; throws DbError on failure.
    QSqlQuery run(const QString &sql, const QVariantMap &values = {}) const;

    // Runs `work` in one BEGIN IMMEDIATE transaction: commits when it returns, rolls
    // back and rethrows when it throws (engine errors as DbError). A call made while a
    // transaction is running joins it.
    template <typename Work>
    decltype(auto) writeTransaction(Work &&work);

    bool inTransaction() const { return m_transactionDepth > 0; }

private:
    void attachPrivate();
    void begin();
    void commit();
    void rollback() noexcept;

    QString m_dataDirectory;
    QString m_privateDirectory;
    QString m_connectionName;
    SqliteDialect m_dialect;
    int m_transactionDepth = 0;
    // Whether this object made the connection: another object's connection of the same
    // name is never touched.
    bool m_owner = false;
};

template <typename Work>
decltype(auto) Database::writeTransaction(Work &&work)
{
    if (m_transactionDepth > 0)
        return work();
    begin();
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            commit();
        } else {
            decltype(auto) result = work();
            commit();
            return result;
        }
    } catch (...) {
        rollback();
        throw;
    }
}
