#include "documents/ManagementUnits.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

QString ManagementUnits::first() const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cod\" FROM \"Gest\" ORDER BY \"Cod\" LIMIT 1"));
    return q.next() ? q.value(0).toString() : QString();
}

QString ManagementUnits::name(const QString &code) const
{
    if (code.isEmpty())
        return {};
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Denumire\" FROM \"Gest\" WHERE \"Cod\" = :c"),
                           {{QStringLiteral(":c"), code}});
    return q.next() ? q.value(0).toString() : QString();
}

bool ManagementUnits::exists(const QString &code) const
{
    if (code.isEmpty())
        return false;
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Gest\" WHERE \"Cod\" = :c"), {{QStringLiteral(":c"), code}});
    return q.next();
}

QList<ManagementUnits::Unit> ManagementUnits::byName() const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\" ORDER BY \"Denumire\" COLLATE RO, \"Cod\""));
    QList<Unit> units;
    while (q.next())
        units << Unit{q.value(0).toString(), q.value(1).toString()};
    return units;
}
