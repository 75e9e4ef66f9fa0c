#pragma once

#include "db/Database.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QStringList>
#include <QVariantMap>

// A data directory with the nomenclator tables, filled row by row with bound values.
namespace catalog_fixture {

// The tables the nomenclator windows read, made from their real definitions.
inline void createTables(Database &db)
{
    for (const char *name : {"Materiale", "Grup", "Catalog", "Valuta", "Gest", "Client", "Furn",
                             "Firmdata", "User", "Doc_in", "Item_in"})
        SchemaWriter(db).createTable(*TVTables::find(QString::fromLatin1(name)),
                                     QString::fromLatin1(Database::dataSchema));
}

inline void insert(Database &db, const QString &table, const QVariantMap &values)
{
    QStringList names;
    QStringList holders;
    QVariantMap bound;
    int i = 0;
    for (auto it = values.cbegin(); it != values.cend(); ++it, ++i) {
        names << QLatin1Char('"') + it.key() + QLatin1Char('"');
        holders << QStringLiteral(":v%1").arg(i);
        bound.insert(QStringLiteral(":v%1").arg(i), it.value());
    }
    db.run(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
               .arg(table, names.join(QLatin1Char(',')), holders.join(QLatin1Char(','))),
           bound);
}

inline int count(Database &db, const QString &table)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table));
    return q.next() ? q.value(0).toInt() : -1;
}

} // namespace catalog_fixture
