#include "documents/LineNumbers.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

double LineNumbers::next(Table table, double contor) const
{
    const char *name = table == Table::ItemIn ? "Item_in" : table == Table::ItemOut ? "Item_out" : "Item_prof";
    QSqlQuery q = m_db.run(QStringLiteral("SELECT MAX(\"Contor_secundar\") FROM \"%1\" WHERE \"Contor\" = :c")
                               .arg(QLatin1String(name)),
                           {{QStringLiteral(":c"), contor}});
    if (!q.next() || q.value(0).isNull())
        return 1;
    return q.value(0).toDouble() + 1;
}
