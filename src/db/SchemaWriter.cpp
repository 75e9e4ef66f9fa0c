#include "db/SchemaWriter.h"

#include "db/Database.h"

void SchemaWriter::createStatements(const TVTable &table, const QString &schema)
{
    for (const QString &sql : m_db.dialect().createTable(table, schema))
        m_db.run(sql);
}

void SchemaWriter::createTable(const TVTable &table, const QString &schema)
{
    m_db.writeTransaction([&] { createStatements(table, schema); });
}

void SchemaWriter::replaceTable(const TVTable &table, const QString &schema)
{
    m_db.writeTransaction([&] {
        m_db.run(m_db.dialect().dropTable(table.name(), schema));
        createStatements(table, schema);
    });
}

void SchemaWriter::dropTable(const QString &tableName, const QString &schema)
{
    m_db.writeTransaction([&] { m_db.run(m_db.dialect().dropTable(tableName, schema)); });
}

void SchemaWriter::createIndex(const TVTable &table, const DEF_INDEX &index, const QString &schema)
{
    m_db.writeTransaction([&] { m_db.run(m_db.dialect().createIndex(table, index, schema)); });
}

void SchemaWriter::dropIndex(const TVTable &table, const QString &index, const QString &schema)
{
    m_db.writeTransaction([&] { m_db.run(m_db.dialect().dropIndex(table, index, schema)); });
}
