#include "documents/OutstandingOrders.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

QList<OutstandingOrders::Line> OutstandingOrders::ofSupplier(const QString &supplier) const
{
    QList<Line> lines;
    if (supplier.isEmpty())
        return lines;
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT S.\"Contor\", D.\"Numar\", D.\"Data\", S.\"Cod_grupa\", S.\"Cod_articol\", "
                       "S.\"Cod_agent\", (SELECT C.\"Denumire\" FROM \"Catalog\" C WHERE C.\"Grupa\" = S.\"Cod_grupa\" "
                       "AND C.\"Cod\" = S.\"Cod_articol\" LIMIT 1), "
                       "IFNULL(S.\"Cant_solicitata\", 0), IFNULL(S.\"Cant_anulata\", 0) "
                       "FROM \"Stoc_Com\" S JOIN \"Doc_Com\" D ON D.\"Contor\" = S.\"Contor\" "
                       "WHERE D.\"Cod_Furnizor\" = :supplier "
                       "AND IFNULL(S.\"Cant_solicitata\", 0) <> IFNULL(S.\"Cant_anulata\", 0) "
                       "ORDER BY S.\"Contor\", S.\"Cod_grupa\", S.\"Cod_articol\", S.\"Cod_agent\""),
        {{QStringLiteral(":supplier"), supplier}});
    while (q.next()) {
        Line l;
        l.order = q.value(0).toDouble();
        l.number = q.value(1).toDouble();
        l.date = QDate::fromString(q.value(2).toString(), Qt::ISODate);
        l.group = q.value(3).toString();
        l.article = q.value(4).toString();
        l.agent = q.value(5).toString();
        l.name = q.value(6).toString();
        l.requested = q.value(7).toDouble();
        l.cancelled = q.value(8).toDouble();
        lines.append(l);
    }
    return lines;
}
