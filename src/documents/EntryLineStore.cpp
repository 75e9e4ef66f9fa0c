#include "documents/EntryLineStore.h"

#include "db/Database.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>

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
    TableRow::insert(m_db, QStringLiteral("Item_in"), line.fieldValues());
}

void EntryLineStore::update(const EntryLine &line)
{
    TableRow::update(m_db, QStringLiteral("Item_in"), line.fieldValues(),
                     QStringLiteral("\"Contor\" = :c AND \"Contor_secundar\" = :cs"),
                     {{QStringLiteral(":c"), line.contor}, {QStringLiteral(":cs"), line.contorSecundar.value_or(0)}});
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

std::optional<EntryLine> EntryLineStore::firstForAsset(const QString &group, const QString &article) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_in\" WHERE \"Cod_articol\" = :a "
                                          "ORDER BY CASE WHEN \"Cod_grupa\" = :g THEN 0 ELSE 1 END, "
                                          "\"Contor\", \"Contor_secundar\" LIMIT 1"),
                           {{QStringLiteral(":a"), article}, {QStringLiteral(":g"), group}});
    if (!q.next())
        return std::nullopt;
    return EntryLine::fromRecord(q.record());
}
