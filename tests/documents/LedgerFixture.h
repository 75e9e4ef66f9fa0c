#pragma once

// Shared by the documents tests: a data directory with every table, and documents and
// lines written straight into it.

#include "TestEnv.h"
#include "db/Database.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace ledger_test {

inline void createTables(Database &db)
{
    SchemaWriter writer(db);
    // One transaction: one disk sync instead of one per table.
    db.writeTransaction([&] {
        for (const TVTable &table : TVTables::all())
            writer.createTable(table, QLatin1String(Database::dataSchema));
    });
}

// A fresh workstation and data directory with every table, for one test function.
inline void openLedger(std::unique_ptr<TestEnv> &env, std::unique_ptr<Database> &db)
{
    env = std::make_unique<TestEnv>();
    db = std::make_unique<Database>(env->dataDir(), env->workstation());
    db->open();
    createTables(*db);
}

// The connection goes before its directory.
inline void closeLedger(std::unique_ptr<TestEnv> &env, std::unique_ptr<Database> &db)
{
    db.reset();
    env.reset();
}

inline QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// A document header; an empty registration date leaves it NULL.
inline void addDocument(Database &db, const char *table, double contor, const QString &registered)
{
    db.run(QStringLiteral("INSERT INTO \"%1\" (\"Contor\", \"Data_inregistrarii\", \"Tip\") VALUES (:c, :d, 'FCT')")
               .arg(QLatin1String(table)),
           {{QStringLiteral(":c"), contor}, {QStringLiteral(":d"), orNull(registered)}});
}

struct Line
{
    QString unit, group, article;
    double price = 0;
    QString lot, agent;
    double quantity = 0;
};

inline void addLine(Database &db, const char *table, double contor, double lineNumber, const Line &l)
{
    const bool entry = QLatin1String(table) == QLatin1String("Item_in");
    db.run(QStringLiteral("INSERT INTO \"%1\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                          "\"Cod_articol\", \"%2\", \"Lot\", \"Agent\", \"Cantitate\") VALUES (:c, :cs, :g, :gr, :a, :p, :l, :ag, :q)")
               .arg(QLatin1String(table), entry ? QStringLiteral("Pret_achizitie_lei") : QStringLiteral("Pret_achizitie")),
           {{QStringLiteral(":c"), contor}, {QStringLiteral(":cs"), lineNumber}, {QStringLiteral(":g"), orNull(l.unit)},
            {QStringLiteral(":gr"), orNull(l.group)}, {QStringLiteral(":a"), orNull(l.article)},
            {QStringLiteral(":p"), l.price}, {QStringLiteral(":l"), orNull(l.lot)}, {QStringLiteral(":ag"), orNull(l.agent)},
            {QStringLiteral(":q"), l.quantity}});
}

// Every table of the register as sorted text rows: what a refused operation must leave
// exactly as it found it.
inline QStringList everyTable(Database &db)
{
    QStringList rows;
    for (const TVTable &table : TVTables::all()) {
        QSqlQuery q = db.run(QStringLiteral("SELECT * FROM \"%1\"").arg(table.sqlName()));
        while (q.next()) {
            QStringList cells{table.sqlName()};
            for (int i = 0; i < q.record().count(); ++i)
                cells << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            rows << cells.join(QLatin1Char('|'));
        }
    }
    rows.sort();
    return rows;
}

// The rows of a stock table as "unit|group|article|price|lot|agent|quantity", sorted.
// An answer table gives its quantities as "\"QOut\", \"QIn\"".
inline QStringList stockRows(Database &db, const QString &from = QStringLiteral("\"Stoc\""),
                             const QString &quantities = QStringLiteral("\"Cantitate\""))
{
    QSqlQuery q = db.run(QStringLiteral("SELECT \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", "
                                        "\"Lot\", \"Agent\", %1 FROM %2")
                             .arg(quantities, from));
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << (q.value(i).isNull() ? QStringLiteral("-")
                      : (i == 3 || i >= 6) ? QString::number(q.value(i).toDouble(), 'g', 10)
                                           : q.value(i).toString());
        rows << cells.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

} // namespace ledger_test
