#include "db/TDatabaseValidator.h"

#include "db/Database.h"
#include "db/EDBValidate.h"
#include "db/SchemaReader.h"
#include "db/SchemaWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString withSlash(QString path)
{
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString normalized(const QString &directory)
{
    return directory.trimmed().isEmpty()
        ? QString()
        : withSlash(QDir::cleanPath(QDir(directory.trimmed()).absolutePath()));
}

} // namespace

TDatabaseValidator::TDatabaseValidator(QObject *parent)
    : QObject(parent), m_workstation(Workstation::fromEnvironment())
{
}

TDatabaseValidator::~TDatabaseValidator()
{
    m_own.reset();
}

void TDatabaseValidator::setDirectory(const QString &directory)
{
    const QString dir = normalized(directory);
    if (dir == m_directory)
        return;
    m_directory = dir;
    // A connection of our own is bound to its directory: reconnect it to the new one.
    if (m_own && m_useCount > 0 && m_inUse == m_own.get()) {
        m_own = std::make_unique<Database>(m_directory, m_workstation,
                                           QStringLiteral("DBValidator"));
        m_own->open();
        m_inUse = m_own.get();
    }
}

void TDatabaseValidator::setCustomMessage(const QString &text)
{
    m_customMessage = text.trimmed().isEmpty() ? QString() : QStringLiteral("\n\n") + text;
}

void TDatabaseValidator::setTableLevel(int level)
{
    if (level != 3 && level != 4 && level != 5 && level != 7)
        throw EDBValidate(QStringLiteral("Allowed values for table level are 3,4,5,7."));
    m_tableLevel = level;
    if (level < 5 && m_blockSize > 4096)
        m_blockSize = 4096;
}

void TDatabaseValidator::setBlockSize(int size)
{
    const bool small = size == 1024 || size == 2048 || size == 4096;
    if (m_tableLevel < 5) {
        if (!small)
            throw EDBValidate(QStringLiteral("Allowed values for blocksize are 1024, 2048 and 4096."));
    } else if (!small && size != 16384 && size != 32768) {
        throw EDBValidate(
            QStringLiteral("Allowed values for blocksize are 1024, 2048, 4096, 16384 and 32768."));
    }
    m_blockSize = size;
}

void TDatabaseValidator::setFillInFactor(int factor)
{
    if (factor < 1 || factor > 99)
        throw EDBValidate(QStringLiteral("Fill in factor must be valued between 0 and 100."));
    m_fillInFactor = factor;
}

bool TDatabaseValidator::holdsDatabase(const QString &directory)
{
    return QFileInfo(withSlash(directory) + Database::fileName()).isFile();
}

Database &TDatabaseValidator::acquireConnection()
{
    if (m_useCount > 0) {
        ++m_useCount;
        return *m_inUse;
    }
    if (m_database && m_database->isOpen()
        && normalized(m_database->dataDirectory()) == m_directory) {
        m_inUse = m_database;
    } else {
        m_own = std::make_unique<Database>(m_directory, m_workstation,
                                           QStringLiteral("DBValidator"));
        m_own->open();
        m_inUse = m_own.get();
    }
    m_useCount = 1;
    return *m_inUse;
}

void TDatabaseValidator::releaseConnection()
{
    if (m_useCount == 0 || --m_useCount > 0)
        return;
    m_inUse = nullptr;
    m_own.reset();
}

void TDatabaseValidator::progress(int percent)
{
    if (m_onProgress)
        m_onProgress(this, percent);
}

void TDatabaseValidator::bad(const QString &message)
{
    bool proceed = false;
    if (m_onBadTable)
        m_onBadTable(this, message, proceed);
    if (!proceed)
        throw EDBValidate(message);
}

QStringList TDatabaseValidator::presentTables()
{
    // Without the file there are no tables; looking must not make an empty database.
    if (!holdsDatabase(m_directory))
        return {};
    Database &db = acquireConnection();
    QStringList names;
    try {
        for (const QString &name : SchemaReader(db).tableNames(QLatin1String(Database::dataSchema)))
            names << name.toUpper();
    } catch (...) {
        releaseConnection();
        throw;
    }
    releaseConnection();
    return names;
}

void TDatabaseValidator::createTable(Database &db, const TVTable &definition)
{
    if (definition.fields().isEmpty())
        return;
    SchemaWriter(db).createTable(definition, QLatin1String(Database::dataSchema));
}

void TDatabaseValidator::Validate()
{
    if (m_directory.isEmpty() || !QFileInfo(m_directory).isDir())
        throw EDBValidate(QStringLiteral("Nu exista o baza de date valida in directorul %1!%2")
                              .arg(m_directory, m_customMessage));
    for (;;) {
        progress(0);
        const QStringList present = presentTables();
        const int total = int(m_tables.size());
        int counted = 0;
        QList<const TVTable *> absent;
        if (!present.isEmpty()) {
            Database &db = acquireConnection();
            try {
                for (const TVTable &definition : m_tables) {
                    if (!present.contains(definition.sqlName().toUpper())) {
                        absent << &definition;
                        continue;
                    }
                    checkTable(db, definition);
                    ++counted;
                    progress(counted * 100 / total);
                }
            } catch (...) {
                releaseConnection();
                throw;
            }
            releaseConnection();
        } else {
            for (const TVTable &definition : m_tables)
                absent << &definition;
        }

        bool wholeDatabase = false;
        if (total > 0 && absent.size() == total) {
            const QString refusal = QStringLiteral("Nu exista o baza de date valida in directorul %1!%2")
                                        .arg(m_directory, m_customMessage);
            if (!m_onAbsentDatabase)
                throw EDBValidate(refusal);
            const QString asked = m_directory;
            QString directory = m_directory;
            bool proceed = false;
            m_onAbsentDatabase(this,
                               QStringLiteral("Nu exista o baza de date valida in directorul %1!\n"
                                              "Doriti crearea uneia noi?%2")
                                   .arg(m_directory, m_customMessage),
                               directory, proceed);
            if (!proceed)
                throw EDBValidate(refusal);
            if (normalized(directory) != asked) {
                setDirectory(directory);
                continue;
            }
            wholeDatabase = true;
        }
        if (absent.isEmpty()) {
            progress(100);
            return;
        }

        const bool fileExisted = holdsDatabase(m_directory);
        Database &db = acquireConnection();
        try {
            if (wholeDatabase) {
                // All or nothing: a failure part way leaves no half-made database.
                db.writeTransaction([&] {
                    for (const TVTable *definition : std::as_const(absent)) {
                        createTable(db, *definition);
                        ++counted;
                        progress(counted * 100 / total);
                    }
                    if (m_onCreated)
                        m_onCreated(db);
                });
            } else {
                for (const TVTable *definition : std::as_const(absent)) {
                    if (!m_onAbsentTable)
                        throw EDBValidate(QStringLiteral("Tabela %1 nu exista!%2")
                                              .arg(definition->name(), m_customMessage));
                    bool proceed = false;
                    m_onAbsentTable(this,
                                    QStringLiteral("Tabela %1 nu exista! Doriti crearea uneia noi?%2")
                                        .arg(definition->name(), m_customMessage),
                                    proceed);
                    if (proceed)
                        createTable(db, *definition);
                    ++counted;
                    progress(counted * 100 / total);
                }
            }
        } catch (...) {
            releaseConnection();
            if (wholeDatabase && !fileExisted)
                QFile::remove(m_directory + Database::fileName());
            throw;
        }
        releaseConnection();
        progress(100);
        return;
    }
}

void TDatabaseValidator::checkTable(Database &db, const TVTable &definition)
{
    const QString schema = QLatin1String(Database::dataSchema);
    const std::optional<TVTable> read = SchemaReader(db).read(definition.sqlName(), schema);
    if (!read)
        return;
    const TVTable &actual = *read;
    const QString table = definition.name();

    for (const DEF_FIELD &field : definition.fields()) {
        const DEF_FIELD *found = actual.field(field.name);
        if (!found) {
            bad(QStringLiteral("Cîmp absent (%1) în tabela %2!%3").arg(field.name, table, m_customMessage));
            continue;
        }
        const bool blob = field.type == FieldType::Memo;
        if (found->name != field.name || found->type != field.type
            || (!blob && found->size != field.size) || found->required != field.required)
            bad(QStringLiteral("Cîmp invalid (%1) în tabela %2!%3").arg(field.name, table, m_customMessage));
    }

    if (definition.indexes().isEmpty())
        return;
    if (actual.indexes().isEmpty() && !m_recreateIndex)
        bad(QStringLiteral("Tabela %1 nu are index (indecsi)!%2").arg(table, m_customMessage));

    const DEF_INDEX *definedKey = definition.primaryKey();
    const DEF_INDEX *actualKey = actual.primaryKey();
    // SQLite cannot give an existing table another primary key, so a key that is wrong
    // or missing is never repaired here.
    if (definedKey || actualKey) {
        if (!definedKey || !actualKey || actualKey->fields != definedKey->fields
            || actualKey->options != definedKey->options)
            bad(QStringLiteral("Index primar invalid pentru tabela %1!%2").arg(table, m_customMessage));
    }

    SchemaWriter writer(db);
    for (const DEF_INDEX &index : definition.indexes()) {
        if (index.isPrimary())
            continue;
        const DEF_INDEX *found = nullptr;
        for (const DEF_INDEX &candidate : actual.indexes())
            if (!candidate.isPrimary() && candidate.name.compare(index.name, Qt::CaseInsensitive) == 0)
                found = &candidate;
        if (!found) {
            if (m_recreateIndex)
                writer.createIndex(definition, index, schema);
            else
                bad(QStringLiteral("Index absent (%1) pentru cîmpurile %2 si tabela %3!%4")
                        .arg(index.name, index.fields, table, m_customMessage));
            continue;
        }
        if (found->name == index.name && found->fields == index.fields && found->options == index.options)
            continue;
        if (m_recreateIndex) {
            db.writeTransaction([&] {
                // The old index may carry another letter case of the name.
                writer.dropIndex(definition, found->name, schema);
                writer.createIndex(definition, index, schema);
            });
        } else {
            bad(QStringLiteral("Indexul invalid %1 nu corespunde cîmpurilor %2 pentru tabela %3!%4")
                    .arg(index.name, index.fields, table, m_customMessage));
        }
    }
}
