#include "documents/SerialNumbers.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

int SerialNumbers::rowCount(double quantity)
{
    if (!(quantity > 0))
        return 0;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    return static_cast<int>(std::nearbyint(quantity));
}

void SerialNumbers::create(double contor, double contorSec, const QString &group,
                           const QString &article, double quantity)
{
    const int rows = rowCount(quantity);
    if (rows == 0)
        return;
    // One statement for all rows: a recursive counter instead of a loop of inserts.
    m_db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < :rows) "
                            "INSERT INTO \"Serie\" (\"Contor\", \"ContorSec\", \"Grupa\", \"Cod_articol\", \"SerieFurn\") "
                            "SELECT :c, :cs, :g, :a, 0 FROM n"),
             {{QStringLiteral(":rows"), rows},
              {QStringLiteral(":c"), contor},
              {QStringLiteral(":cs"), contorSec},
              {QStringLiteral(":g"), group.isEmpty() ? QVariant() : QVariant(group.left(8))},
              {QStringLiteral(":a"), article.isEmpty() ? QVariant() : QVariant(article.left(30))}});
}

void SerialNumbers::remove(double contor, double contorSec)
{
    m_db.run(QStringLiteral("DELETE FROM \"Serie\" WHERE (\"Contor\" = :c) AND (\"ContorSec\" = :cs)"),
             {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSec}});
}

void SerialNumbers::lineSaved(double contor, double contorSec, const QString &group,
                              const QString &article, const LineState &before, const LineState &after)
{
    if (!before.serii && after.serii) {
        create(contor, contorSec, group, article, after.quantity);
    } else if (before.serii && !after.serii) {
        remove(contor, contorSec);
    } else if (before.serii && after.serii && before.quantity != after.quantity) {
        remove(contor, contorSec);
        create(contor, contorSec, group, article, after.quantity);
    }
}

int SerialNumbers::count(double contor, double contorSec) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COUNT(*) FROM \"Serie\" WHERE \"Contor\" = :c AND \"ContorSec\" = :cs"),
                           {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), contorSec}});
    return q.next() ? q.value(0).toInt() : 0;
}

std::optional<SerialNumbers::Found> SerialNumbers::find(double serie) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Contor\", \"ContorSec\" FROM \"Serie\" WHERE \"Serie\" = :s "
                                          "ORDER BY \"Contor\", \"ContorSec\" LIMIT 1"),
                           {{QStringLiteral(":s"), serie}});
    if (!q.next())
        return std::nullopt;
    return Found{q.value(0).toDouble(), q.value(1).toDouble()};
}
