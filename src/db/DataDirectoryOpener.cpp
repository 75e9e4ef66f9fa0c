#include "db/DataDirectoryOpener.h"

#include "app/IniFile.h"
#include "app/Messages.h"
#include "db/DailyBackup.h"
#include "db/DataDirectoryError.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/EDBValidate.h"
#include "db/SchemaUpgrade.h"
#include "db/TDatabaseValidator.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString settingsKey() { return QStringLiteral("LastDatabaseDir"); }

// Releases the validator's connection however the work ends.
class ConnectionUse
{
public:
    explicit ConnectionUse(TDatabaseValidator &v) : m_v(v), m_db(v.acquireConnection()) {}
    ~ConnectionUse() { m_v.releaseConnection(); }
    Database &db() { return m_db; }

private:
    TDatabaseValidator &m_v;
    Database &m_db;
};

} // namespace

DataDirectoryOpener::DataDirectoryOpener(TDatabaseValidator &validator, Messages &messages,
                                         const QString &iniPath, Hooks hooks)
    : m_validator(validator), m_messages(messages), m_iniPath(iniPath), m_hooks(std::move(hooks))
{
    // The fields that upgrades add (such as the custodian of a unit) belong to a new
    // database from the start, not only from its second opening.
    m_validator.setOnCreated([](Database &db) { SchemaUpgrade(db, [](const QString &) {}).runFieldByField(); });
}

void DataDirectoryOpener::status(const QString &text)
{
    if (m_hooks.status)
        m_hooks.status(text);
}

void DataDirectoryOpener::show(bool visible)
{
    if (m_hooks.showWindow)
        m_hooks.showWindow(visible);
}

bool DataDirectoryOpener::browse(QString &directory)
{
    return m_hooks.browse && m_hooks.browse(directory);
}

QString DataDirectoryOpener::lastDatabaseDir()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Brindell"), QStringLiteral("Tessaro"))
        .value(settingsKey())
        .toString();
}

void DataDirectoryOpener::setLastDatabaseDir(const QString &directory)
{
    QSettings settings(QSettings::UserScope, QStringLiteral("Brindell"), QStringLiteral("Tessaro"));
    settings.setValue(settingsKey(), directory);
    settings.sync();
}

bool DataDirectoryOpener::holdsOlderTables(const QString &directory)
{
    if (TDatabaseValidator::holdsDatabase(directory))
        return false;
    const QStringList files = QDir(directory).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : files)
        if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
            return true;
    return false;
}

QString DataDirectoryOpener::makeNewDirectory(const QString &parent, const QString &name)
{
    QString base = parent;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    const QString directory = QDir::cleanPath(base + name.trimmed()) + QLatin1Char('/');
    if (name.trimmed().isEmpty() || !QDir().mkpath(directory))
        throw DataDirectoryError(QStringLiteral("Nu pot crea directorul %1").arg(directory));
    IniFile ini(directory + QStringLiteral("PVLDEF.INI"));
    ini.reload();
    ini.setValue(QStringLiteral("Permision"), QStringLiteral("Conversie la RON"), QStringLiteral("1"));
    if (!ini.save())
        throw DataDirectoryError(QStringLiteral("Nu pot crea fisierul %1").arg(ini.path()));
    return directory;
}

void DataDirectoryOpener::installQuestionHandlers()
{
    m_validator.setOnAbsentTable([this](TDatabaseValidator *, const QString &message, bool &proceed) {
        proceed = m_messages.yesNo(message);
    });
    m_validator.setOnAbsentDatabase(
        [this](TDatabaseValidator *, const QString &message, QString &directory, bool &proceed) {
            if (m_messages.yesNo(message)) {
                proceed = true;
                return;
            }
            QString chosen = directory;
            if (!browse(chosen))
                return;
            // Another directory goes through the same steps as the first one.
            prepare(chosen);
            directory = chosen;
            proceed = true;
        });
}

void DataDirectoryOpener::installSilentHandlers()
{
    m_validator.setOnAbsentTable([](TDatabaseValidator *, const QString &, bool &proceed) {
        proceed = true;
    });
    m_validator.setOnAbsentDatabase(
        [](TDatabaseValidator *, const QString &, QString &, bool &proceed) { proceed = true; });
}

void DataDirectoryOpener::prepare(const QString &directory)
{
    if (!TDatabaseValidator::holdsDatabase(directory)) {
        if (holdsOlderTables(directory))
            throw EDBValidate(
                QStringLiteral("Directorul %1 contine tabele ale unei versiuni mai vechi a "
                               "programului. Preluarea lor nu este inca posibila; fisierele din "
                               "director au ramas neschimbate.")
                    .arg(directory));
        return;
    }
    m_validator.setDirectory(directory);
    const QString dir = m_validator.directory();
    try {
        ConnectionUse use(m_validator);
        Database &db = use.db();
        // The copy comes before any change, so that it holds the data as they were.
        if (DailyBackup::enabledIn(m_iniPath))
            DailyBackup(dir).run(m_today.isValid() ? m_today : QDate::currentDate(), db.connection());

        SchemaUpgrade upgrade(db, [this](const QString &text) { status(text); });
        bool fromPrevious = false;
        bool updated = false;
        db.writeTransaction([&] {
            if (upgrade.preVersionNeeded())
                fromPrevious = upgrade.runPreVersion();
            updated = upgrade.runFieldByField();
            upgrade.repairTransfers();
        });
        if (fromPrevious)
            m_messages.information(QStringLiteral("Preluat din versiunea precedenta..."));
        if (updated)
            m_messages.information(QStringLiteral("S-a actualizat baza de date"));
    } catch (const DbError &e) {
        throw DataDirectoryError(e.userText());
    }
}

bool DataDirectoryOpener::open(const QString &directory, const QString &failurePrefix)
{
    QString failure;
    try {
        m_validator.setDirectory(directory);
        prepare(m_validator.directory());
        show(true);
        m_validator.Validate();
    } catch (const EDBValidate &e) {
        failure = failurePrefix + e.message();
    } catch (const DbError &e) {
        failure = failurePrefix + e.userText();
    } catch (const DataDirectoryError &e) {
        failure = e.text();
    } catch (const std::exception &e) {
        failure = failurePrefix + QString::fromLocal8Bit(e.what());
    }
    show(false);
    if (!failure.isEmpty()) {
        m_messages.error(failure);
        return false;
    }
    if (m_remember)
        setLastDatabaseDir(m_validator.directory());
    return true;
}

bool DataDirectoryOpener::OpenLastDatabase()
{
    status(QStringLiteral("Validez baza de date..."));
    QString directory = lastDatabaseDir();
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        if (!browse(directory))
            return false;
    }
    return open(directory, QStringLiteral("Nu pot valida baza de date!\n"));
}

bool DataDirectoryOpener::SelectDatabase()
{
    status(QStringLiteral("Creez/validez baza de date..."));
    QString directory = lastDatabaseDir();
    if (!browse(directory))
        return false;
    return open(directory, QStringLiteral("Nu pot crea baza de date!\n"));
}
