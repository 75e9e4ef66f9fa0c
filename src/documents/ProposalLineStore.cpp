#include "documents/ProposalLineStore.h"

#include "db/Database.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kTable = QStringLiteral("Item_prof");
const QString kKey = QStringLiteral("\"Contor\" = :c AND \"Contor_secundar\" = :cs");

} // namespace

QVariantMap ProposalLineStore::fieldValues(const ExitLine &line)
{
    QVariantMap fields = line.fieldValues();
    fields.insert(QStringLiteral("Cod_grupa"), StockKey::text(line.group, 8));
    return fields;
}

std::optional<ExitLine> ProposalLineStore::load(double contor, double contorSecundar) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_prof\" WHERE ") + kKey,
                           {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
    if (!q.next())
        return std::nullopt;
    return ExitLine::fromRecord(q.record());
}

void ProposalLineStore::insert(const ExitLine &line)
{
    TableRow::insert(m_db, kTable, fieldValues(line));
}

void ProposalLineStore::update(const ExitLine &line)
{
    TableRow::update(m_db, kTable, fieldValues(line), kKey,
                     {{QStringLiteral(":c"), line.contor}, {QStringLiteral(":cs"), line.contorSecundar.value_or(0)}});
}

void ProposalLineStore::remove(double contor, double contorSecundar)
{
    m_db.run(QStringLiteral("DELETE FROM \"Item_prof\" WHERE ") + kKey,
             {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSecundar}});
}

void ProposalLineStore::removeAll(double contor)
{
    m_db.run(QStringLiteral("DELETE FROM \"Item_prof\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
}

QList<ExitLine> ProposalLineStore::lines(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Item_prof\" WHERE \"Contor\" = :c ORDER BY \"Contor_secundar\""),
                           {{QStringLiteral(":c"), contor}});
    QList<ExitLine> result;
    while (q.next())
        result << ExitLine::fromRecord(q.record());
    return result;
}

bool ProposalLineStore::hasLines(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Item_prof\" WHERE \"Contor\" = :c LIMIT 1"),
                           {{QStringLiteral(":c"), contor}});
    return q.next();
}

bool ProposalLineStore::hasOtherLineFor(double contor, const std::optional<double> &contorSecundar,
                                        const QString &group, const QString &article) const
{
    // Compared as stored: the code is cut to the width of `Item_prof`.
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Item_prof\" WHERE \"Contor\" = :c AND \"Cod_grupa\" IS :g "
                                          "AND \"Cod_articol\" IS :a AND (:none OR \"Contor_secundar\" <> :cs) LIMIT 1"),
                           {{QStringLiteral(":c"), contor},
                            {QStringLiteral(":g"), StockKey::text(group, 8)},
                            {QStringLiteral(":a"), StockKey::text(article, 30)},
                            {QStringLiteral(":none"), !contorSecundar},
                            {QStringLiteral(":cs"), contorSecundar.value_or(0)}});
    return q.next();
}
