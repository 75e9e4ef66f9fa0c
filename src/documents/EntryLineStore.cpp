#include "documents/EntryLineStore.h"

#include "db/Database.h"
#include "db/SqlDialect.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

std::optional<EntryLine> EntryLineStore::load(double contor, double contorSecundar) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_in\" WHERE \"Contor\" = :c AND \"Contor_secundar\" = :cs"),
                           {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
    if (!q.next())
        return std::nullopt;
    return EntryLine::fromRecord(q.record());
}

void EntryLineStore::insert(const EntryLine &line)
{
    const QVariantMap fields = line.fieldValues();
    QStringList columns;
    QStringList names;
    QVariantMap values;
    int i = 0;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it, ++i) {
        const QString name = QStringLiteral(":f%1").arg(i);
        columns << SqlDialect::quote(it.key());
        names << name;
        values.insert(name, it.value());
    }
    m_db.run(QStringLiteral("INSERT INTO \"Item_in\" (%1) VALUES (%2)")
                 .arg(columns.join(QStringLiteral(", ")), names.join(QStringLiteral(", "))),
             values);
}

void EntryLineStore::update(const EntryLine &line)
{
    const QVariantMap fields = line.fieldValues();
    QStringList assignments;
    QVariantMap values{{QStringLiteral(":c"), line.contor},
                       {QStringLiteral(":cs"), line.contorSecundar.value_or(0)}};
    int i = 0;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it, ++i) {
        const QString name = QStringLiteral(":f%1").arg(i);
        assignments << SqlDialect::quote(it.key()) + QStringLiteral(" = ") + name;
        values.insert(name, it.value());
    }
    m_db.run(QStringLiteral("UPDATE \"Item_in\" SET %1 WHERE \"Contor\" = :c AND \"Contor_secundar\" = :cs")
                 .arg(assignments.join(QStringLiteral(", "))),
             values);
}

void EntryLineStore::remove(double contor, double contorSecundar)
{
    m_db.run(QStringLiteral("DELETE FROM \"Item_in\" WHERE \"Contor\" = :c AND \"Contor_secundar\" = :cs"),
             {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
}

QList<EntryLine> EntryLineStore::lines(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_in\" WHERE \"Contor\" = :c ORDER BY \"Contor_secundar\""),
                           {{QStringLiteral(":c"), contor}});
    QList<EntryLine> result;
    while (q.next())
        result << EntryLine::fromRecord(q.record());
    return result;
}
