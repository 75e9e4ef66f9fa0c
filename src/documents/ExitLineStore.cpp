#include "documents/ExitLineStore.h"

#include "db/Database.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>

std::optional<ExitLine> ExitLineStore::load(double contor, double contorSecundar) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_out\" WHERE \"Contor\" = :c AND \"Contor_secundar\" = :cs"),
                           {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
    if (!q.next())
        return std::nullopt;
    return ExitLine::fromRecord(q.record());
}

void ExitLineStore::insert(const ExitLine &line)
{
    TableRow::insert(m_db, QStringLiteral("Item_out"), line.fieldValues());
}

void ExitLineStore::update(const ExitLine &line)
{
    TableRow::update(m_db, QStringLiteral("Item_out"), line.fieldValues(),
                     QStringLiteral("\"Contor\" = :c AND \"Contor_secundar\" = :cs"),
                     {{QStringLiteral(":c"), line.contor}, {QStringLiteral(":cs"), line.contorSecundar.value_or(0)}});
}

void ExitLineStore::remove(double contor, double contorSecundar)
{
    m_db.run(QStringLiteral("DELETE FROM \"Item_out\" WHERE \"Contor\" = :c AND \"Contor_secundar\" = :cs"),
             {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
}

QList<ExitLine> ExitLineStore::lines(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_out\" WHERE \"Contor\" = :c ORDER BY \"Contor_secundar\""),
                           {{QStringLiteral(":c"), contor}});
    QList<ExitLine> result;
    while (q.next())
        result << ExitLine::fromRecord(q.record());
    return result;
}

bool ExitLineStore::hasLines(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Item_out\" WHERE \"Contor\" = :c LIMIT 1"),
                           {{QStringLiteral(":c"), contor}});
    return q.next();
}

int ExitLineStore::removeZeroQuantityLines()
{
    return m_db.writeTransaction([&] {
        QSqlQuery q = m_db.run(QStringLiteral("DELETE FROM \"Item_out\" WHERE \"Cantitate\" = 0"));
        return q.numRowsAffected();
    });
}
