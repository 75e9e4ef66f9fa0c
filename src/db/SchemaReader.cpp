#include "db/SchemaReader.h"

#include "db/Database.h"
#include "db/RoCollation.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

static QString catalogOf(const QString &schema)
{
    return SqlDialect::qualified(schema, QStringLiteral("sqlite_master"));
}

QStringList SchemaReader::tableNames(const QString &schema) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT name FROM %1 WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")
                               .arg(catalogOf(schema)));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

bool SchemaReader::hasTable(const QString &tableName, const QString &schema) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM %1 WHERE type = 'table' "
                                          "AND name = :name COLLATE NOCASE")
                               .arg(catalogOf(schema)),
                           {{QStringLiteral(":name"), TVTable::sqlNameOf(tableName)}});
    return q.next();
}

std::optional<TVTable> SchemaReader::read(const QString &tableName, const QString &schema) const
{
    QSqlQuery named = m_db.run(QStringLiteral("SELECT name FROM %1 WHERE type = 'table' "
                                              "AND name = :name COLLATE NOCASE")
                                   .arg(catalogOf(schema)),
                               {{QStringLiteral(":name"), TVTable::sqlNameOf(tableName)}});
    if (!named.next())
        return std::nullopt;
    const QString sqlTable = named.value(0).toString();
    const QVariantMap args{{QStringLiteral(":table"), sqlTable}, {QStringLiteral(":schema"), schema}};

    TVTable table(tableName, {}, {});
    std::vector<std::pair<int, QString>> rowidKey; // (position in the key, field)
    QSqlQuery cols = m_db.run(QStringLiteral("SELECT name, type, \"notnull\", pk "
                                             "FROM pragma_table_info(:table, :schema) ORDER BY cid"),
                              args);
    while (cols.next()) {
        const QString name = cols.value(0).toString();
        table.addField(m_db.dialect().fieldFromDeclaration(name, cols.value(1).toString(),
                                                           cols.value(2).toInt() != 0));
        if (cols.value(3).toInt() > 0)
            rowidKey.emplace_back(cols.value(3).toInt(), name);
    }

    // Indexes in the order they were made; the primary key goes first.
    QSqlQuery idx = m_db.run(QStringLiteral("SELECT il.name, il.\"unique\", il.origin "
                                            "FROM pragma_index_list(:table, :schema) il "
                                            "JOIN %1 m ON m.name = il.name AND m.type = 'index' "
                                            "ORDER BY m.rowid")
                                 .arg(catalogOf(schema)),
                             args);
    QList<DEF_INDEX> secondary;
    bool primaryFound = false;
    while (idx.next()) {
        const QString sqlName = idx.value(0).toString();
        const bool unique = idx.value(1).toInt() != 0;
        const QString origin = idx.value(2).toString();
        DEF_INDEX index = readIndex(sqlName, unique, schema);
        if (origin == QLatin1String("pk")) {
            index.name.clear();
            index.options |= IndexOption::Primary;
            table.addIndex(index);
            primaryFound = true;
        } else {
            index.name = origin == QLatin1String("c")
                ? m_db.dialect().plainIndexName(sqlTable, sqlName)
                : sqlName;
            secondary << index;
        }
    }
    // A lone INTEGER key is SQLite's rowid and has no index of its own.
    if (!primaryFound && !rowidKey.empty()) {
        std::sort(rowidKey.begin(), rowidKey.end());
        QStringList fields;
        for (const auto &k : rowidKey)
            fields << k.second;
        table.addIndex({QString(), fields.join(QLatin1Char(';')),
                        IndexOption::Primary | IndexOption::Unique});
    }
    for (const DEF_INDEX &index : std::as_const(secondary))
        table.addIndex(index);
    return table;
}

DEF_INDEX SchemaReader::readIndex(const QString &indexSqlName, bool unique,
                                  const QString &schema) const
{
    DEF_INDEX index{indexSqlName, QString(), {}};
    if (unique)
        index.options |= IndexOption::Unique;
    QSqlQuery q = m_db.run(QStringLiteral("SELECT cid, name, \"desc\", coll "
                                          "FROM pragma_index_xinfo(:index, :schema) "
                                          "WHERE key = 1 ORDER BY seqno"),
                           {{QStringLiteral(":index"), indexSqlName},
                            {QStringLiteral(":schema"), schema}});
    QStringList fields;
    while (q.next()) {
        if (q.value(0).toInt() == -2)
            index.options |= IndexOption::Expression;
        fields << q.value(1).toString();
        if (q.value(2).toInt() != 0)
            index.options |= IndexOption::Descending;
        if (q.value(3).toString().compare(QLatin1String(RoCollation::sqlName), Qt::CaseInsensitive) == 0)
            index.options |= IndexOption::CaseInsensitive;
    }
    if (index.options.testFlag(IndexOption::Expression)) {
        // The expression itself is only in the statement that made the index.
        QSqlQuery sql = m_db.run(QStringLiteral("SELECT sql FROM %1 WHERE type = 'index' AND name = :index")
                                     .arg(catalogOf(schema)),
                                 {{QStringLiteral(":index"), indexSqlName}});
        const QString text = sql.next() ? sql.value(0).toString() : QString();
        const qsizetype on = text.indexOf(QStringLiteral(" ON "), 0, Qt::CaseInsensitive);
        const qsizetype open = text.indexOf(QLatin1Char('('), on);
        const qsizetype close = text.lastIndexOf(QLatin1Char(')'));
        fields = {open > 0 && close > open ? text.mid(open + 1, close - open - 1).trimmed() : QString()};
    }
    index.fields = fields.join(QLatin1Char(';'));
    return index;
}
