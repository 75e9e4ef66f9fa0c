#include "db/SqliteDialect.h"

#include "db/RoCollation.h"

#include <QRegularExpression>

QString SqliteDialect::columnType(const DEF_FIELD &field) const
{
    QString type;
    switch (field.type) {
    case FieldType::String: type = QStringLiteral("VARCHAR(%1)").arg(field.size); break;
    case FieldType::Float: type = QStringLiteral("DOUBLE"); break;
    case FieldType::SmallInt: type = QStringLiteral("SMALLINT"); break;
    case FieldType::Integer: type = QStringLiteral("INTEGER"); break;
    case FieldType::Boolean: type = QStringLiteral("BOOLEAN"); break;
    case FieldType::Date: type = QStringLiteral("DATE"); break;
    case FieldType::Memo:
        type = field.size ? QStringLiteral("TEXT(%1)").arg(field.size) : QStringLiteral("TEXT");
        break;
    case FieldType::AutoIncrement: type = QLatin1String(autoIncrementType); break;
    case FieldType::Unknown: type = QStringLiteral("BLOB"); break;
    }
    // The trigger fills an autoincrement field after the insert, so it starts out empty.
    if (field.required && field.type != FieldType::AutoIncrement)
        type += QStringLiteral(" NOT NULL");
    return type;
}

DEF_FIELD SqliteDialect::fieldFromDeclaration(const QString &name, const QString &declaredType,
                                              bool notNull) const
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z_ ]*?)\s*(?:\(\s*(\d+)\s*(?:,\s*\d+\s*)?\))?\s*$)"));
    DEF_FIELD field{name, FieldType::Unknown, 0, notNull};
    const QRegularExpressionMatch m = pattern.match(declaredType);
    if (!m.hasMatch())
        return field;
    const QString base = m.captured(1).toUpper().simplified();
    const quint16 size = static_cast<quint16>(m.captured(2).toUInt());

    static const QStringList strings{QStringLiteral("VARCHAR"), QStringLiteral("CHAR"),
                                     QStringLiteral("CHARACTER"), QStringLiteral("NVARCHAR"),
                                     QStringLiteral("NCHAR"), QStringLiteral("VARYING CHARACTER")};
    static const QStringList floats{QStringLiteral("DOUBLE"), QStringLiteral("DOUBLE PRECISION"),
                                    QStringLiteral("FLOAT"), QStringLiteral("REAL")};
    static const QStringList memos{QStringLiteral("TEXT"), QStringLiteral("MEMO"),
                                   QStringLiteral("CLOB")};
    if (strings.contains(base)) {
        field.type = FieldType::String;
        field.size = size;
    } else if (memos.contains(base)) {
        field.type = FieldType::Memo;
        field.size = size;
    } else if (floats.contains(base)) {
        field.type = FieldType::Float;
    } else if (base == QLatin1String("SMALLINT")) {
        field.type = FieldType::SmallInt;
    } else if (base == QLatin1String("INTEGER") || base == QLatin1String("INT")) {
        field.type = FieldType::Integer;
    } else if (base == QLatin1String("BOOLEAN") || base == QLatin1String("BOOL")
               || base == QLatin1String("LOGICAL")) {
        field.type = FieldType::Boolean;
    } else if (base == QLatin1String("DATE")) {
        field.type = FieldType::Date;
    } else if (base == QLatin1String(autoIncrementType)) {
        field.type = FieldType::AutoIncrement;
    }
    return field;
}

QString SqliteDialect::indexSqlName(const QString &sqlTable, const QString &index) const
{
    return sqlTable + QLatin1Char('_') + index;
}

QString SqliteDialect::plainIndexName(const QString &sqlTable, const QString &indexSqlName) const
{
    const QString prefix = sqlTable + QLatin1Char('_');
    if (indexSqlName.size() > prefix.size() && indexSqlName.startsWith(prefix, Qt::CaseInsensitive))
        return indexSqlName.mid(prefix.size());
    return indexSqlName;
}

QString SqliteDialect::autoIncrementTrigger(const QString &sqlTable, const QString &field)
{
    return sqlTable + QLatin1Char('_') + field + QStringLiteral("_autoinc");
}

QString SqliteDialect::indexColumns(const TVTable &table, const DEF_INDEX &index) const
{
    const QStringList names = index.fieldList();
    if (index.options.testFlag(IndexOption::Expression))
        return index.fields;
    // A case-insensitive index collates its text columns with RO; numbers need no
    // collation. An index without text columns (a date alone) collates them all, so
    // that the option can be read back from the index.
    bool anyText = false;
    for (const QString &name : names)
        if (const DEF_FIELD *f = table.field(name); f && f->isText())
            anyText = true;
    const bool caseInsensitive = index.options.testFlag(IndexOption::CaseInsensitive);
    QStringList columns;
    for (const QString &name : names) {
        QString col = quote(name);
        const DEF_FIELD *f = table.field(name);
        if (caseInsensitive && (!anyText || (f && f->isText())))
            col += QStringLiteral(" COLLATE ") + QLatin1String(RoCollation::sqlName);
        if (index.options.testFlag(IndexOption::Descending))
            col += QStringLiteral(" DESC");
        columns << col;
    }
    return columns.join(QStringLiteral(", "));
}

QStringList SqliteDialect::createTable(const TVTable &table, const QString &schema) const
{
    if (table.fields().isEmpty())
        return {};
    const QString sqlTable = table.sqlName();
    QStringList columns;
    for (const DEF_FIELD &f : table.fields())
        columns << quote(f.name) + QLatin1Char(' ') + columnType(f);
    const DEF_INDEX *primary = table.primaryKey();
    if (primary)
        columns << QStringLiteral("PRIMARY KEY (%1)").arg(indexColumns(table, *primary));

    QStringList statements;
    statements << QStringLiteral("CREATE TABLE %1 (%2)")
                      .arg(qualified(schema, sqlTable), columns.join(QStringLiteral(", ")));
    for (const DEF_INDEX &index : table.indexes())
        if (!index.isPrimary())
            statements << createIndex(table, index, schema);
    for (const DEF_FIELD &f : table.fields()) {
        if (f.type != FieldType::AutoIncrement)
            continue;
        // Within a trigger body table names are unqualified: they resolve to the
        // trigger's own schema.
        statements << QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 FOR EACH ROW "
                                     "WHEN NEW.%3 IS NULL BEGIN "
                                     "UPDATE %2 SET %3 = (SELECT COALESCE(MAX(%3), 0) + 1 FROM %2) "
                                     "WHERE rowid = NEW.rowid; END")
                          .arg(qualified(schema, autoIncrementTrigger(sqlTable, f.name)),
                               quote(sqlTable), quote(f.name));
    }
    return statements;
}

QString SqliteDialect::createIndex(const TVTable &table, const DEF_INDEX &index,
                                   const QString &schema) const
{
    const QString sqlTable = table.sqlName();
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.options.testFlag(IndexOption::Unique) ? QStringLiteral("UNIQUE ") : QString(),
             qualified(schema, indexSqlName(sqlTable, index.name)), quote(sqlTable),
             indexColumns(table, index));
}

QString SqliteDialect::dropIndex(const TVTable &table, const QString &index,
                                 const QString &schema) const
{
    return QStringLiteral("DROP INDEX IF EXISTS %1")
        .arg(qualified(schema, indexSqlName(table.sqlName(), index)));
}

QString SqliteDialect::dropTable(const QString &tableName, const QString &schema) const
{
    return QStringLiteral("DROP TABLE IF EXISTS %1")
        .arg(qualified(schema, TVTable::sqlNameOf(tableName)));
}

QString SqliteDialect::orderBy(const TVTable &table, const DEF_INDEX &index) const
{
    return indexColumns(table, index);
}

QStringList SqliteDialect::createSortedCopy(const QString &table, const QString &select, const QString &orderBy) const
{
    // A new table numbers the rows it is made from in the order they come: its rowid is
    // the row number, an index already, and no column of the rows.
    return {QStringLiteral("CREATE TEMPORARY TABLE %1 AS SELECT q.* FROM (%2) q ORDER BY %3")
                .arg(quote(table), select, orderBy)};
}
