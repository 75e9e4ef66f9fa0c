#pragma once

#include "db/TVTable.h"

#include <QString>
#include <QStringList>

#include <optional>

class Database;

// Reads the actual layout of tables from the SQLite catalogue, as TVTable values that
// compare with the definitions.
class SchemaReader
{
public:
    explicit SchemaReader(const Database &db) : m_db(db) {}

    // SQL names of the tables of `schema`, without SQLite's own.
    QStringList tableNames(const QString &schema) const;
    // Letter case ignored; ".DB" may be given.
    bool hasTable(const QString &tableName, const QString &schema) const;

    // Fields (name, type, size, required) and indexes (primary key first, then the
    // others by name; plain names, fields joined by ";", options). The result carries
    // `tableName` as given, so that reading a definition's name compares with it.
    // Empty when the table does not exist.
    std::optional<TVTable> read(const QString &tableName, const QString &schema) const;

private:
    DEF_INDEX readIndex(const QString &indexSqlName, bool unique, const QString &schema) const;

    const Database &m_db;
};
