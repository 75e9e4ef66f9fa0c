#pragma once

#include "app/Workstation.h"
#include "db/TVTable.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Database;

// Checks the tables of a data directory against their definitions: creates the missing
// ones (asking through OnAbsentTable / OnAbsentDatabase), repairs secondary indexes
// when RecreateIndex is set and raises EDBValidate at the first difference it may not
// repair. A directory "holds a database" when it holds Database::fileName(); the file
// is never made unless tables are to be created in it.
class TDatabaseValidator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(bool RecreateIndex READ recreateIndex WRITE setRecreateIndex)
    Q_PROPERTY(QString CustomMessage READ customMessage WRITE setCustomMessage)
    Q_PROPERTY(int TableLevel READ tableLevel WRITE setTableLevel)
    Q_PROPERTY(int BlockSize READ blockSize WRITE setBlockSize)
    Q_PROPERTY(int FillInFactor READ fillInFactor WRITE setFillInFactor)
    Q_PROPERTY(QString Language READ language WRITE setLanguage)

public:
    using TVTableEvent =
        std::function<void(TDatabaseValidator *sender, const QString &message, bool &proceed)>;
    using TVProgressEvent = std::function<void(TDatabaseValidator *sender, int percent)>;
    using TVDatabaseEvent = std::function<void(TDatabaseValidator *sender, const QString &message,
                                               QString &directory, bool &proceed)>;

    explicit TDatabaseValidator(QObject *parent = nullptr);
    ~TDatabaseValidator() override;

    // Always ends with '/' (empty when none is set).
    QString directory() const { return m_directory; }
    void setDirectory(const QString &directory);

    // The connection to work through when it is open on Directory; otherwise the
    // validator opens its own connection "DBValidator" while it works. Not owned.
    Database *database() const { return m_database; }
    void setDatabase(Database *database) { m_database = database; }
    // The workstation whose private directory the validator's own connection attaches.
    void setWorkstation(const Workstation &workstation) { m_workstation = workstation; }

    bool recreateIndex() const { return m_recreateIndex; }
    void setRecreateIndex(bool on) { m_recreateIndex = on; }
    const QList<TVTable> &tables() const { return m_tables; }
    void setTables(const QList<TVTable> &tables) { m_tables = tables; }
    // Appended to every message; a non-blank value is stored after an empty line.
    QString customMessage() const { return m_customMessage; }
    void setCustomMessage(const QString &text);

    // Creation parameters of the older table engine. SQLite keeps every table in one
    // file and has no use for them; they are kept, with their checks, for callers that
    // set them.
    int tableLevel() const { return m_tableLevel; }
    void setTableLevel(int level);
    int blockSize() const { return m_blockSize; }
    void setBlockSize(int size);
    int fillInFactor() const { return m_fillInFactor; }
    void setFillInFactor(int factor);
    QString language() const { return m_language; }
    void setLanguage(const QString &language) { m_language = language; }

    void setOnAbsentTable(TVTableEvent handler) { m_onAbsentTable = std::move(handler); }
    void setOnBadTable(TVTableEvent handler) { m_onBadTable = std::move(handler); }
    void setOnProgress(TVProgressEvent handler) { m_onProgress = std::move(handler); }
    void setOnAbsentDatabase(TVDatabaseEvent handler) { m_onAbsentDatabase = std::move(handler); }
    // Runs inside the transaction that makes a whole new database, after its tables.
    void setOnCreated(std::function<void(Database &)> handler) { m_onCreated = std::move(handler); }

    // Whether the directory holds our database file.
    static bool holdsDatabase(const QString &directory);

    // Checks every defined table of Directory; throws EDBValidate (or DbError for an
    // engine failure while creating or repairing).
    void Validate();

    // The connection to Directory, shared by nested uses; the validator's own one is
    // closed when the last user releases it. Opening makes the database file.
    Database &acquireConnection();
    void releaseConnection();

private:
    QStringList presentTables();
    void checkTable(Database &db, const TVTable &definition);
    void bad(const QString &message);
    void createTable(Database &db, const TVTable &definition);
    void progress(int percent);

    QString m_directory;
    Database *m_database = nullptr;
    Workstation m_workstation;
    std::unique_ptr<Database> m_own;
    int m_useCount = 0;
    Database *m_inUse = nullptr;

    bool m_recreateIndex = true;
    QList<TVTable> m_tables;
    QString m_customMessage;
    int m_tableLevel = 4;
    int m_blockSize = 2048;
    int m_fillInFactor = 95;
    QString m_language = QStringLiteral("ascii");

    TVTableEvent m_onAbsentTable;
    TVTableEvent m_onBadTable;
    TVProgressEvent m_onProgress;
    TVDatabaseEvent m_onAbsentDatabase;
    std::function<void(Database &)> m_onCreated;
};
