#include "db/SchemaWriter.h"

#include "db/Database.h"

namespace {

// Answer tables live in the private database: changing them takes no lock of the data
// file, so a report beside another workstation's reader or writer does not wait.
template <typename Work>
void inTransaction(Database &db, const QString &schema, Work &&work)
{
    if (schema.compare(QLatin1String(Database::privateSchema), Qt::CaseInsensitive) == 0)
        db.answerTransaction(std::forward<Work>(work));
    else
        db.writeTransaction(std::forward<Work>(work));
}

} // namespace

void SchemaWriter::createStatements(const TVTable &table, const QString &schema)
{
    for (const QString &sql : m_db.dialect().createTable(table, schema))
        m_db.run(sql);
}

void SchemaWriter::createTable(const TVTable &table, const QString &schema)
{
    inTransaction(m_db, schema, [&] { createStatements(table, schema); });
}

void SchemaWriter::replaceTable(const TVTable &table, const QString &schema)
{
    inTransaction(m_db, schema, [&] {
        m_db.run(m_db.dialect().dropTable(table.name(), schema));
        createStatements(table, schema);
    });
}

void SchemaWriter::dropTable(const QString &tableName, const QString &schema)
{
    inTransaction(m_db, schema, [&] { m_db.run(m_db.dialect().dropTable(tableName, schema)); });
}

void SchemaWriter::createIndex(const TVTable &table, const DEF_INDEX &index, const QString &schema)
{
    inTransaction(m_db, schema, [&] { m_db.run(m_db.dialect().createIndex(table, index, schema)); });
}

void SchemaWriter::dropIndex(const TVTable &table, const QString &index, const QString &schema)
{
    inTransaction(m_db, schema, [&] { m_db.run(m_db.dialect().dropIndex(table, index, schema)); });
}
