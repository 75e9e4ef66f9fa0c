#pragma once

#include "db/DEF_FIELD.h"
#include "db/DEF_INDEX.h"
#include "db/TVTable.h"

#include <QString>
#include <QStringList>

// What differs between database engines: column types, how a table and its indexes are
// created, how index names are kept apart. The schema itself is defined once, as data
// (TVTables); SqliteDialect is the engine in use.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    // Identifiers are always quoted, so that names with a blank ("Generic 1") work.
    static QString quote(const QString &identifier);
    // "schema"."name", or just "name" when the schema is empty.
    static QString qualified(const QString &schema, const QString &name);
    // "Catalog"."Generic 1"
    static QString column(const QString &table, const QString &field);

    // The declared column type of a field, with NOT NULL for a required one.
    virtual QString columnType(const DEF_FIELD &field) const = 0;
    // Type and size of a column read back from its declared type.
    virtual DEF_FIELD fieldFromDeclaration(const QString &name, const QString &declaredType,
                                           bool notNull) const = 0;

    // Index names may be global to a database; a definition's index name is made unique
    // by its table, and read back to the plain name.
    virtual QString indexSqlName(const QString &sqlTable, const QString &index) const = 0;
    virtual QString plainIndexName(const QString &sqlTable, const QString &indexSqlName) const = 0;

    // Every statement that creates the table in `schema`, its indexes and whatever the
    // engine needs for autoincrement fields; empty for a definition without fields.
    virtual QStringList createTable(const TVTable &table, const QString &schema) const = 0;
    virtual QString createIndex(const TVTable &table, const DEF_INDEX &index,
                                const QString &schema) const = 0;
    virtual QString dropIndex(const TVTable &table, const QString &index,
                              const QString &schema) const = 0;
    virtual QString dropTable(const QString &tableName, const QString &schema) const = 0;

    // An ORDER BY list that follows an index, collation included, so that sorted reads
    // can use it (e.g. `"Grupa" COLLATE RO, "Denumire" COLLATE RO`).
    virtual QString orderBy(const TVTable &table, const DEF_INDEX &index) const = 0;

    // The statements that copy the rows of `select`, sorted by `orderBy` (an ORDER BY
    // list over the alias q), into the temporary table `table`, numbered from 1 in that
    // order; and the name of the column that holds the number, which the copy keeps
    // apart from the rows' own columns (SELECT * leaves it out) and keeps indexed.
    virtual QStringList createSortedCopy(const QString &table, const QString &select, const QString &orderBy) const = 0;
    virtual QString sortedCopyRowNumber() const = 0;
    // A temporary table of this connection by its name, never a table of the data.
    virtual QString temporaryTable(const QString &table) const = 0;
};
