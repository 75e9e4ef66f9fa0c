#include "db/Database.h"

#include "db/DbError.h"
#include "db/PrivateAnswerFile.h"
#include "db/RoCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

static QString withSlash(QString path)
{
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

Database::Database(const QString &dataDirectory, const Workstation &workstation,
                   const QString &connectionName)
    : m_dataDirectory(withSlash(QDir::cleanPath(dataDirectory))),
      m_privateDirectory(workstation.privateDirectory()), m_connectionName(connectionName)
{
}

Database::~Database()
{
    close();
}

QString Database::filePath() const
{
    return m_dataDirectory + fileName();
}

QString Database::privateFilePath() const
{
    return m_answerFile ? m_answerFile->path() : m_privateDirectory + privateFileName();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::isOpen() const
{
    return m_owner && connection().isOpen();
}

void Database::open()
{
    if (isOpen())
        return;
    if (QSqlDatabase::contains(m_connectionName))
        throw DbError(QStringLiteral("Conexiunea %1 este deja folosita.").arg(m_connectionName),
                      false);
    if (!QFileInfo(m_dataDirectory).isDir())
        throw DbError(QStringLiteral("Directorul de date %1 nu exista.").arg(m_dataDirectory),
                      false);
    if (!QDir().mkpath(m_privateDirectory))
        throw DbError(QStringLiteral("Nu pot crea directorul %1.").arg(m_privateDirectory), false);

    m_owner = true;
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
            db.setDatabaseName(filePath());
            if (!db.open())
                throw DbError(db.lastError());
            RoCollation::install(db);
        }
        run(QStringLiteral("PRAGMA busy_timeout = 5000"));
        // The data directory may sit in a shared network folder, where WAL does not work:
        // keep (or bring back) the rollback journal.
        run(QStringLiteral("PRAGMA journal_mode = DELETE"));
        run(QStringLiteral("PRAGMA foreign_keys = OFF"));
        m_answerFile = PrivateAnswerFile::acquire(m_privateDirectory);
        attachPrivate();
    } catch (...) {
        close();
        throw;
    }
}

// The private file holds only answer tables that every run rebuilds, so it is written
// without waiting for the disk. Should a power cut leave it damaged, it is started anew;
// any other trouble (another program holding it, say) is left to show where it occurs.
void Database::attachPrivate()
{
    const QString schema = SqlDialect::quote(QLatin1String(privateSchema));
    auto attach = [&] {
        run(QStringLiteral("ATTACH DATABASE :file AS %1").arg(schema), {{QStringLiteral(":file"), privateFilePath()}});
    };
    auto isDamage = [](const QSqlError &error) {
        const int code = error.nativeErrorCode().toInt() & 0xff;
        return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
    };
    bool damaged = false;
    {
        QSqlQuery q(connection());
        q.prepare(QStringLiteral("ATTACH DATABASE :file AS %1").arg(schema));
        q.bindValue(QStringLiteral(":file"), privateFilePath());
        if (!q.exec()) {
            if (!isDamage(q.lastError()))
                DbError::check(q.lastError());
            damaged = true;
        } else if (!q.exec(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(schema))) {
            damaged = isDamage(q.lastError());
        }
    }
    if (damaged) {
        QSqlQuery(connection()).exec(QStringLiteral("DETACH DATABASE %1").arg(schema));
        QFile::remove(privateFilePath() + QStringLiteral("-journal"));
        if (!QFile::remove(privateFilePath()))
            throw DbError(QStringLiteral("Nu pot sterge fisierul deteriorat %1.").arg(privateFilePath()), false);
        attach();
    }
    run(QStringLiteral("PRAGMA %1.synchronous = OFF").arg(schema));
}

void Database::close()
{
    if (!m_owner)
        return;
    m_owner = false;
    {
        QSqlDatabase db = connection();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_transactionDepth = 0;
    m_answerFile.reset();
}

QSqlQuery Database::run(const QString &sql, const QVariantMap &values) const
{
    QSqlQuery query(connection());
    if (!query.prepare(sql))
        throw DbError(query.lastError());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        query.bindValue(it.key(), it.value());
    if (!query.exec())
        throw DbError(query.lastError());
    return query;
}

void Database::begin(bool immediate)
{
    run(immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    m_transactionDepth = 1;
}

void Database::commit()
{
    run(QStringLiteral("COMMIT"));
    m_transactionDepth = 0;
}

void Database::rollback() noexcept
{
    m_transactionDepth = 0;
    QSqlQuery query(connection());
    // Nothing to add when the rollback fails: the engine already dropped the transaction.
    query.exec(QStringLiteral("ROLLBACK"));
}
