#include "documents/Counter.h"

#include "db/Database.h"
#include "db/SqlDialect.h"

#include <QSqlQuery>
#include <QVariant>

QString Counter::fieldName(Kind kind)
{
    switch (kind) {
    case Kind::In: return QStringLiteral("NewCounterIn");
    case Kind::Out: return QStringLiteral("NewCounterOut");
    case Kind::Off: return QStringLiteral("NewCounterOff");
    case Kind::Com: return QStringLiteral("NewCounterCom");
    case Kind::OffC: return QStringLiteral("NewCounterOffC");
    case Kind::Prof: return QStringLiteral("NewCounterProf");
    }
    return {};
}

// Only the first row counts, should a copied table ever hold more than one.
static const char *firstRow = "rowid = (SELECT MIN(rowid) FROM \"Counter\")";

double Counter::allocate(Kind kind)
{
    const QString field = SqlDialect::quote(fieldName(kind));
    return m_db.writeTransaction([&] {
        QSqlQuery update = m_db.run(QStringLiteral("UPDATE \"Counter\" SET %1 = COALESCE(%1, 0) + 1 WHERE %2")
                                        .arg(field, QLatin1String(firstRow)));
        if (update.numRowsAffected() == 0)
            m_db.run(QStringLiteral("INSERT INTO \"Counter\" (%1) VALUES (1)").arg(field));
        return last(kind);
    });
}

void Counter::giveBack(Kind kind, double number)
{
    const QString field = SqlDialect::quote(fieldName(kind));
    m_db.writeTransaction([&] {
        m_db.run(QStringLiteral("UPDATE \"Counter\" SET %1 = %1 - 1 WHERE %2 AND %1 = :n")
                     .arg(field, QLatin1String(firstRow)),
                 {{QStringLiteral(":n"), number}});
    });
}

double Counter::last(Kind kind) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COALESCE(%1, 0) FROM \"Counter\" WHERE %2")
                               .arg(SqlDialect::quote(fieldName(kind)), QLatin1String(firstRow)));
    return q.next() ? q.value(0).toDouble() : 0.0;
}
