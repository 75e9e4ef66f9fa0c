#pragma once

#include "app/Workstation.h"
#include "db/SqliteDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <type_traits>

class PrivateAnswerFile;

// The connection to one data directory: its `tessaro.sqlite` opened as the Qt SQL
// connection `TARVEN`, with the workstation's private database attached as schema
// `PVL_PRIV`. A plain object: whoever needs the database gets it passed in. The private
// database is this process's own (see PrivateAnswerFile): another process of the same
// workstation never sees, nor waits for, its answer tables.
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
    // The private database attached, or the one that would be attached.
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
    // writeTransaction() for work that only reads the data tables and writes answer
    // tables of the private database: a deferred transaction, so the data file is only
    // read-locked and other workstations' readers and writers are not held up.
    template <typename Work>
    decltype(auto) answerTransaction(Work &&work);

    bool inTransaction() const { return m_transactionDepth > 0; }

private:
    void attachPrivate();
    template <typename Work>
    decltype(auto) transaction(bool immediate, Work &&work);
    void begin(bool immediate = true);
    void commit();
    void rollback() noexcept;

    QString m_dataDirectory;
    QString m_privateDirectory;
    QString m_connectionName;
    SqliteDialect m_dialect;
    int m_transactionDepth = 0;
    std::shared_ptr<PrivateAnswerFile> m_answerFile;
    // Whether this object made the connection: another object's connection of the same
    // name is never touched.
    bool m_owner = false;
};

template <typename Work>
decltype(auto) Database::writeTransaction(Work &&work)
{
    return transaction(true, std::forward<Work>(work));
}

template <typename Work>
decltype(auto) Database::answerTransaction(Work &&work)
{
    return transaction(false, std::forward<Work>(work));
}

template <typename Work>
decltype(auto) Database::transaction(bool immediate, Work &&work)
{
    if (m_transactionDepth > 0)
        return work();
    begin(immediate);
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
