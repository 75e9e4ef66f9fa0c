#pragma once

#include "db/TVTable.h"

#include <QString>

class Database;

// Creates tables and indexes from their definitions, each in one write transaction (a
// deferred one in the private schema, which locks only the private database).
class SchemaWriter
{
public:
    explicit SchemaWriter(Database &db) : m_db(db) {}

    // Creates the table in `schema` (Database::dataSchema or privateSchema) with its
    // primary key, secondary indexes and autoincrement numbering. Throws DbError, also
    // when the table exists; a definition without fields creates nothing.
    void createTable(const TVTable &table, const QString &schema);
    // Drops a table of the same name first: answer tables are rebuilt on every run.
    void replaceTable(const TVTable &table, const QString &schema);
    void dropTable(const QString &tableName, const QString &schema);

    // A secondary index of the definition, added to an existing table.
    void createIndex(const TVTable &table, const DEF_INDEX &index, const QString &schema);
    void dropIndex(const TVTable &table, const QString &index, const QString &schema);

private:
    void createStatements(const TVTable &table, const QString &schema);

    Database &m_db;
};
