// The stock ledger on 100,000 assets: recalculation, stock at a date and single
// ChangeStock calls against the filled stock table.
#include "app/Workstation.h"
#include "db/Database.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"
#include "documents/StockAtDate.h"
#include "documents/StockKey.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <ctime>

namespace {
// Process CPU time in ms: the machine may be shared, wall time alone would mislead.
qint64 cpuMs()
{
    return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
}

struct Timer
{
    QElapsedTimer wall;
    qint64 cpu0 = cpuMs();
    Timer() { wall.start(); }
    void report(const char *what, int repeat = 1) const
    {
        std::printf("%-46s wall %8.1f ms   cpu %8.1f ms\n", what, double(wall.elapsed()) / repeat,
                    double(cpuMs() - cpu0) / repeat);
    }
};

qlonglong count(Database &db, const char *sql)
{
    QSqlQuery q = db.run(QString::fromUtf8(sql));
    return q.next() ? q.value(0).toLongLong() : 0;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int assets = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const Workstation ws(dir.path() + QStringLiteral("/home"));
    QDir().mkpath(dir.path() + QStringLiteral("/data"));
    Database db(dir.path() + QStringLiteral("/data"), ws);
    db.open();
    SchemaWriter writer(db);
    db.writeTransaction([&] {
        for (const TVTable &t : TVTables::all())
            writer.createTable(t, QLatin1String(Database::dataSchema));
    });

    {
        Timer t;
        // 100 lines per entry document, 20 units, every tenth asset partly taken out.
        db.writeTransaction([&] {
            db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < :docs - 1) "
                                  "INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Tip\", \"Numar\", \"Data\") "
                                  "SELECT i + 1, date('2015-01-01', '+' || (i % 3000) || ' days'), 'FCT', i, "
                                  "date('2015-01-01', '+' || (i % 3000) || ' days') FROM n"),
                   {{QStringLiteral(":docs"), assets / 100}});
            db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < :assets - 1) "
                                  "INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                                  "\"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", \"Agent\", \"Denumire\") "
                                  "SELECT i / 100 + 1, i % 100 + 1, 'G' || (i % 20), '2.' || (i % 50), "
                                  "'2.' || (i % 50) || '/' || i, date('2015-01-01', '+' || (i % 3000) || ' days'), "
                                  "1 + i % 3, 1000 + i % 997, CASE WHEN i % 4 = 0 THEN NULL ELSE 'B' || (i % 3) END, "
                                  "'Mijloc fix ' || i FROM n"),
                   {{QStringLiteral(":assets"), assets}});
            db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < :docs - 1) "
                                  "INSERT INTO \"Doc_out\" (\"Contor\", \"Data_inregistrarii\", \"Tip\") "
                                  "SELECT i + 1, date('2016-01-01', '+' || (i % 3000) || ' days'), 'BT' FROM n"),
                   {{QStringLiteral(":docs"), assets / 1000}});
            db.run(QStringLiteral("INSERT INTO \"Item_out\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                                  "\"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie\", \"Agent\") "
                                  "SELECT (rowid - 1) / 1000 + 1, rowid, \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                  "\"Lot\", 1, \"Pret_achizitie_lei\", \"Agent\" FROM \"Item_in\" WHERE rowid % 10 = 0"));
        });
        t.report("fill (documents and lines)");
    }
    std::printf("entry lines %lld, exit lines %lld\n", count(db, "SELECT COUNT(*) FROM \"Item_in\""),
                count(db, "SELECT COUNT(*) FROM \"Item_out\""));

    const double eps = 0.00001;
    for (int run = 0; run < 2; ++run) {
        Timer t;
        if (StockRecalculation(db, eps).run() != StockRecalculation::Outcome::Done)
            return 1;
        t.report(run == 0 ? "recalculation (empty Stoc)" : "recalculation (full Stoc)");
    }
    std::printf("stock rows %lld\n", count(db, "SELECT COUNT(*) FROM \"Stoc\""));

    for (bool lots : {true, false}) {
        Timer t;
        StockAtDate(db, lots).build(QDate(2020, 6, 30), {});
        t.report(lots ? "stock at date, all units, with lots" : "stock at date, all units, without lots");
    }
    std::printf("ANSW_ST rows %lld\n", count(db, "SELECT COUNT(*) FROM \"PVL_PRIV\".\"ANSW_ST\""));
    {
        Timer t;
        StockAtDate(db, true).build(QDate(2020, 6, 30), {QStringLiteral("G1"), QStringLiteral("G7"), QStringLiteral("G13")});
        t.report("stock at date, 3 units");
        std::printf("ANSW_ST rows %lld\n", count(db, "SELECT COUNT(*) FROM \"PVL_PRIV\".\"ANSW_ST\""));
    }

    StockLedger ledger(db, eps);
    constexpr int calls = 200;
    auto keyOf = [](int i) {
        return StockKey{QStringLiteral("G%1").arg(i % 20), QStringLiteral("2.%1").arg(i % 50),
                        QStringLiteral("2.%1/%2").arg(i % 50).arg(i),  1000.0 + i % 997,
                        QDate(2015, 1, 1).addDays(i % 3000), i % 4 == 0 ? QString() : QStringLiteral("B%1").arg(i % 3)};
    };
    {
        Timer t;
        db.writeTransaction([&] {
            for (int i = 0; i < calls; ++i)
                ledger.ChangeStock(keyOf(i * 397 % assets), 1);
        });
        t.report("ChangeStock, per call, inside one transaction", calls);
    }
    {
        Timer t;
        for (int i = 0; i < calls; ++i)
            ledger.ChangeStock(keyOf(i * 397 % assets), -1);
        t.report("ChangeStock, per call, own transaction each", calls);
    }
    return 0;
}
