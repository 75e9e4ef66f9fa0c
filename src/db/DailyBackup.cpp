#include "db/DailyBackup.h"

#include "app/FileUtils.h"
#include "app/IniFile.h"
#include "app/IoError.h"
#include "db/DataDirectoryError.h"
#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QStandardPaths>
#include <QStorageInfo>

#include <sqlite3.h>

namespace {

const QString kDatabaseFile = Database::fileName();

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// The journal files of the database belong to the engine; the backup reads through it.
bool isEngineFile(const QString &name)
{
    return name.startsWith(kDatabaseFile + QLatin1Char('-'), Qt::CaseInsensitive);
}

sqlite3 *handleOf(const QSqlDatabase &connection)
{
    if (!connection.isValid() || !connection.isOpen() || !connection.driver())
        return nullptr;
    QVariant v = connection.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 **>(v.data());
}

} // namespace

DailyBackup::DailyBackup(const QString &dataDirectory)
    : m_directory(withSlash(QDir::cleanPath(QDir(dataDirectory).absolutePath())))
{
}

QString DailyBackup::copyFolder(const QDate &day) const
{
    const QString stamp = day.toString(QStringLiteral("yyyyMMdd"));
    if (QFileInfo(m_directory).isWritable())
        return m_directory + QStringLiteral("SalvariBrindell/") + stamp + QLatin1Char('/');
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Tessaro/SalvariBrindell/") + stamp + QLatin1Char('/');
    QString rest = m_directory;
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return root + rest;
}

bool DailyBackup::enabledIn(const QString &iniPath)
{
    IniFile ini(iniPath);
    ini.reload();
    return ini.boolValue(QStringLiteral("Options"), QStringLiteral("Backup BD zilnic"), true);
}

bool DailyBackup::run(const QDate &day, const QSqlDatabase &connection) const
{
    if (!QFileInfo(m_directory).isDir())
        return false;
    // A directory on read-only media cannot change, so there is nothing to protect.
    if (QStorageInfo(m_directory).isReadOnly())
        return false;

    const QString folder = copyFolder(day);
    if (QFileInfo::exists(folder))
        return false;

    // The copy is built beside its final name and renamed when complete, so that a
    // failed copy never passes for the copy of the day.
    const QString partial = folder.chopped(1) + QStringLiteral(".partial");
    try {
        QDir(partial).removeRecursively();
        if (!QDir().mkpath(partial))
            throw DataDirectoryError(QStringLiteral("Nu pot crea ") + folder);

        const QFileInfoList files = QDir(m_directory).entryInfoList(
            QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &file : files) {
            const QString target = partial + QLatin1Char('/') + file.fileName();
            if (file.fileName().compare(kDatabaseFile, Qt::CaseInsensitive) == 0)
                copyDatabase(target, connection);
            else if (!isEngineFile(file.fileName()))
                copyFile(file.absoluteFilePath(), target);
        }
        if (!QDir().rename(partial, folder.chopped(1)))
            throw DataDirectoryError(QStringLiteral("Nu pot crea ") + folder);
    } catch (const DataDirectoryError &e) {
        QDir(partial).removeRecursively();
        throw DataDirectoryError(QStringLiteral("Nu pot salva baza de date in directorul ")
                                 + folder + QLatin1Char('\n') + e.text());
    }
    return true;
}

void DailyBackup::copyDatabase(const QString &target, const QSqlDatabase &connection) const
{
    const QString source = m_directory + kDatabaseFile;
    sqlite3 *from = handleOf(connection);
    sqlite3 *own = nullptr;
    if (!from) {
        if (sqlite3_open_v2(QFile::encodeName(source).constData(), &own, SQLITE_OPEN_READONLY,
                            nullptr)
            != SQLITE_OK) {
            sqlite3_close(own);
            throw DataDirectoryError(QStringLiteral("Nu pot deschide fisierul ") + source);
        }
        from = own;
    }
    sqlite3 *to = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &to,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        sqlite3_close(to);
        sqlite3_close(own);
        throw DataDirectoryError(QStringLiteral("Nu pot crea fisierul ") + target);
    }
    QString failure;
    if (sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main")) {
        int rc;
        int waits = 0;
        // Other workstations may hold a lock for a moment; wait for them, at most 5 s.
        while (((rc = sqlite3_backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED)
               && ++waits < 100)
            sqlite3_sleep(50);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE)
            failure = QString::fromUtf8(sqlite3_errstr(rc));
    } else {
        failure = QString::fromUtf8(sqlite3_errmsg(to));
    }
    sqlite3_close(to);
    sqlite3_close(own);
    if (!failure.isEmpty())
        throw DataDirectoryError(QStringLiteral("Copierea fisierului %1 a esuat: %2")
                                     .arg(source, failure));
}

void DailyBackup::copyFile(const QString &source, const QString &target) const
{
    try {
        FileUtils::copyFile(source, target);
    } catch (const IoError &e) {
        throw DataDirectoryError(e.text());
    }
}
