#include "documents/DocumentSearch.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

std::optional<DocumentSearch::Found> DocumentSearch::next(const SearchCriteria &criteria, double previous,
                                                          const std::optional<Period> &period) const
{
    // Without a period filter every registered document counts.
    const QDate first = period ? period->first : QDate(1800, 1, 1);
    const QDate last = period ? period->last : QDate(2500, 1, 1);
    QVariantMap values{{QStringLiteral(":PrevCont"), previous},
                       {QStringLiteral(":FirstDate"), first.toString(Qt::ISODate)},
                       {QStringLiteral(":LastDate"), last.toString(Qt::ISODate)}};
    const bool exits = m_documents == Documents::Exits;
    const QString lines = exits ? QStringLiteral("Item_out") : QStringLiteral("Item_in");
    QString line = QStringLiteral("NULL");
    QString from;
    QString condition;
    switch (criteria.kind) {
    case SearchCriteria::DocumentNumber:
        condition = QStringLiteral("(D.\"Numar\" = :NrDoc)");
        values.insert(QStringLiteral(":NrDoc"), criteria.documentNumber);
        break;
    case SearchCriteria::Article:
        from = QStringLiteral(" JOIN \"%1\" I ON I.\"Contor\" = D.\"Contor\"").arg(lines);
        condition = QStringLiteral("(I.\"Cod_articol\" = :CodArt)");
        line = QStringLiteral("MIN(I.\"Contor_secundar\")");
        values.insert(QStringLiteral(":CodArt"), criteria.article);
        break;
    case SearchCriteria::Explanation:
        condition = QStringLiteral("(D.\"Explicatie\" LIKE :Expl)");
        values.insert(QStringLiteral(":Expl"), QLatin1Char('%') + criteria.explanation + QLatin1Char('%'));
        break;
    case SearchCriteria::Price:
        from = QStringLiteral(" JOIN \"%1\" I ON I.\"Contor\" = D.\"Contor\"").arg(lines);
        condition = exits ? QStringLiteral("(I.\"Pret_achizitie\" = :Price)")
                          : QStringLiteral("(I.\"Pret_achizitie_lei\" = :Price)");
        line = QStringLiteral("MIN(I.\"Contor_secundar\")");
        values.insert(QStringLiteral(":Price"), criteria.price);
        break;
    case SearchCriteria::SerialNumber:
        if (exits)
            return std::nullopt;
        from = QStringLiteral(" JOIN \"Serie\" S ON S.\"Contor\" = D.\"Contor\"");
        condition = QStringLiteral("(S.\"Serie\" = :Serie)");
        line = QStringLiteral("MIN(S.\"ContorSec\")");
        values.insert(QStringLiteral(":Serie"), criteria.serialNumber);
        break;
    default:
        return std::nullopt;
    }
    QSqlQuery q = m_db.run(QStringLiteral("SELECT D.\"Contor\", %1 FROM \"%4\" D%2 "
                                          "WHERE D.\"Contor\" > :PrevCont "
                                          "AND D.\"Data_inregistrarii\" BETWEEN :FirstDate AND :LastDate AND %3 "
                                          "GROUP BY D.\"Contor\" ORDER BY D.\"Contor\" LIMIT 1")
                               .arg(line, from, condition, exits ? QStringLiteral("Doc_out") : QStringLiteral("Doc_in")),
                           values);
    if (!q.next())
        return std::nullopt;
    Found found{q.value(0).toDouble(), std::nullopt};
    if (!q.value(1).isNull())
        found.lineNumber = q.value(1).toDouble();
    return found;
}
