#include "documents/TableRow.h"

#include "db/Database.h"
#include "db/SqlDialect.h"

namespace {

struct Bound
{
    QStringList columns;
    QStringList names;
    QVariantMap values;
};

Bound bind(const QVariantMap &fields)
{
    Bound b;
    int i = 0;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it, ++i) {
        const QString name = QStringLiteral(":f%1").arg(i);
        b.columns << SqlDialect::quote(it.key());
        b.names << name;
        b.values.insert(name, it.value());
    }
    return b;
}

QStringList assignments(const Bound &b, const QStringList &skipped = {})
{
    QStringList result;
    for (int i = 0; i < b.columns.size(); ++i)
        if (!skipped.contains(b.columns.at(i)))
            result << b.columns.at(i) + QStringLiteral(" = ") + b.names.at(i);
    return result;
}

} // namespace

void TableRow::insert(Database &db, const QString &table, const QVariantMap &fields)
{
    const Bound b = bind(fields);
    db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
               .arg(SqlDialect::quote(table), b.columns.join(QStringLiteral(", ")), b.names.join(QStringLiteral(", "))),
           b.values);
}

void TableRow::update(Database &db, const QString &table, const QVariantMap &fields, const QString &where,
                      const QVariantMap &whereValues)
{
    const Bound b = bind(fields);
    QVariantMap values = b.values;
    for (auto it = whereValues.cbegin(); it != whereValues.cend(); ++it)
        values.insert(it.key(), it.value());
    db.run(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
               .arg(SqlDialect::quote(table), assignments(b).join(QStringLiteral(", ")), where),
           values);
}

void TableRow::upsert(Database &db, const QString &table, const QVariantMap &fields, const QStringList &keyFields)
{
    const Bound b = bind(fields);
    QStringList key;
    for (const QString &field : keyFields)
        key << SqlDialect::quote(field);
    db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO UPDATE SET %5")
               .arg(SqlDialect::quote(table), b.columns.join(QStringLiteral(", ")), b.names.join(QStringLiteral(", ")),
                    key.join(QStringLiteral(", ")), assignments(b, key).join(QStringLiteral(", "))),
           b.values);
}
