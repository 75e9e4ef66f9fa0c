#pragma once

#include "db/SqlDialect.h"

// SQLite: string(n) VARCHAR(n), float DOUBLE, smallint SMALLINT, integer INTEGER,
// boolean BOOLEAN, date DATE (ISO text), memo(n) TEXT(n) so the in-record size reads
// back, autoincrement AUTOINC_INTEGER filled with max + 1 by an insert trigger (SQLite's
// own AUTOINCREMENT only serves a lone INTEGER PRIMARY KEY). Indexes are named
// "<table>_<index>" because SQLite index names are shared by a whole database.
class SqliteDialect : public SqlDialect
{
public:
    static constexpr const char *autoIncrementType = "AUTOINC_INTEGER";

    QString columnType(const DEF_FIELD &field) const override;
    DEF_FIELD fieldFromDeclaration(const QString &name, const QString &declaredType,
                                   bool notNull) const override;

    QString indexSqlName(const QString &sqlTable, const QString &index) const override;
    QString plainIndexName(const QString &sqlTable, const QString &indexSqlName) const override;

    QStringList createTable(const TVTable &table, const QString &schema) const override;
    QString createIndex(const TVTable &table, const DEF_INDEX &index,
                        const QString &schema) const override;
    QString dropIndex(const TVTable &table, const QString &index,
                      const QString &schema) const override;
    QString dropTable(const QString &tableName, const QString &schema) const override;
    QString orderBy(const TVTable &table, const DEF_INDEX &index) const override;
    QStringList createSortedCopy(const QString &table, const QString &select, const QString &orderBy) const override;
    QString sortedCopyRowNumber() const override { return QStringLiteral("rowid"); }
    QString temporaryTable(const QString &table) const override { return qualified(QStringLiteral("temp"), table); }

    // Name of the trigger that numbers an autoincrement field.
    static QString autoIncrementTrigger(const QString &sqlTable, const QString &field);

private:
    // The column list of an index: "a" COLLATE RO DESC, ...
    QString indexColumns(const TVTable &table, const DEF_INDEX &index) const;
};
