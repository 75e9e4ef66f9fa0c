#include "TestEnv.h"

#include "LedgerFixture.h"

using namespace ledger_test;
using tessaro_test::runProgram;

class TestStockCli : public QObject
{
    Q_OBJECT

private:
    // A data directory with a few documents and a stock that has drifted from them.
    void fill(const TestEnv &env)
    {
        Database db(env.dataDir(), env.workstation(), QStringLiteral("fill"));
        db.open();
        createTables(db);
        addDocument(db, "Doc_in", -1, {});
        addLine(db, "Item_in", -1, 1, {"A1", "2.1", "X/001", 1234567.5, "2020-01-15", {}, 1});
        addDocument(db, "Doc_in", 1, QStringLiteral("2024-01-10"));
        addLine(db, "Item_in", 1, 1, {"A1", "2.1", "X/002", 0.1, {}, "B1", 2});
        addLine(db, "Item_in", 1, 2, {"B2", "2,1", "Zăpadă \"mare\"", 3, {}, {}, 1});
        addDocument(db, "Doc_out", 1, QStringLiteral("2024-02-01"));
        addLine(db, "Item_out", 1, 1, {"A1", "2.1", "X/002", 0.1, {}, "B1", 1.5});
        db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", \"Cantitate\") "
                              "VALUES ('A1', '2.1', 'X/777', 5, 9)"));
    }

private Q_SLOTS:
    void recalc()
    {
        TestEnv env;
        fill(env);
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), {"recalc", "--data", env.dataDir()});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("Recalcularea stocurilor curente s-a efectuat cu succes!"));
        Database db(env.dataDir(), env.workstation(), QStringLiteral("check"));
        db.open();
        QCOMPARE(stockRows(db), (QStringList{"A1|2.1|X/001|1234567.5|2020-01-15|-|1", "A1|2.1|X/002|0.1|-|B1|0.5",
                                             "B2|2,1|Zăpadă \"mare\"|3|-|-|1"}));
    }

    void stockAt_data()
    {
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("csv");
        const QString head = QStringLiteral("Cod_gestiune,Cod_grupa,Cod_articol,Pret_achizitie,Lot,Agent,QIn,QOut\n");
        const QString init = QStringLiteral("A1,2.1,X/001,1234567.5,2020-01-15,,1,0\n");
        QTest::newRow("all units") << QStringList{} << "2024-12-31"
                                   << head + init + "A1,2.1,X/002,0.1,,B1,2,1.5\nB2,\"2,1\",\"Zăpadă \"\"mare\"\"\",3,,,1,0\n";
        QTest::newRow("one unit, before the exit") << QStringList{"--units", "A1"} << "2024-01-31"
                                                   << head + init + "A1,2.1,X/002,0.1,,B1,2,0\n";
        QTest::newRow("initial stock at any date") << QStringList{"--units", "A1,ZZ"} << "1990-01-01" << head + init;
    }
    void stockAt()
    {
        QFETCH(QStringList, units);
        QFETCH(QString, date);
        QFETCH(QString, csv);
        TestEnv env;
        fill(env);
        const QString file = env.path(QStringLiteral("stoc.csv"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  QStringList{"stock-at", "--data", env.dataDir(), "--date", date, "--csv", file} + units);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), csv);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args"); // @DATA: the data directory, @CSV: the output file
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("recalc without --data") << QStringList{"recalc"} << 2 << "Utilizare: tessaro recalc --data DIR";
        QTest::newRow("recalc, unknown argument") << QStringList{"recalc", "--data", "@DATA", "--fast", "1"} << 2
                                                  << "Argument necunoscut: --fast";
        QTest::newRow("recalc, not a data directory") << QStringList{"recalc", "--data", "@EMPTY"} << 1
                                                      << "nu este un director de date";
        QTest::newRow("recalc while busy") << QStringList{"recalc", "--data", "@DATA", "@BUSY"} << 1
                                           << "un alt utilizator le foloseste";
        QTest::newRow("stock-at without --csv") << QStringList{"stock-at", "--data", "@DATA", "--date", "2024-01-01"} << 2
                                                << "Utilizare: tessaro stock-at";
        QTest::newRow("stock-at, bad date") << QStringList{"stock-at", "--data", "@DATA", "--date", "2024-02-30", "--csv", "@CSV"}
                                            << 2 << "<2024-02-30> nu este o data corecta";
        QTest::newRow("stock-at, national date") << QStringList{"stock-at", "--data", "@DATA", "--date", "1.2.2024", "--csv", "@CSV"}
                                                 << 2 << "nu este o data corecta";
        QTest::newRow("stock-at, not a data directory")
            << QStringList{"stock-at", "--data", "@EMPTY", "--date", "2024-01-01", "--csv", "@CSV"} << 1 << "lipseste tessaro.sqlite";
        QTest::newRow("stock-at, hostile unit")
            << QStringList{"stock-at", "--data", "@DATA", "--date", "2024-01-01", "--units", "A1') OR 1=1 --", "--csv", "@CSV"}
            << 1 << "Nu exista documente pentru gestiunea si data specificate!";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        fill(env);
        const QString csv = env.path(QStringLiteral("out.csv"));
        QDir().mkpath(env.path(QStringLiteral("empty")));
        std::unique_ptr<Database> holder;
        if (args.removeAll(QStringLiteral("@BUSY"))) {
            holder = std::make_unique<Database>(env.dataDir(), env.workstation(), QStringLiteral("holder"));
            holder->open();
            holder->run(QStringLiteral("BEGIN IMMEDIATE"));
        }
        for (QString &a : args)
            a = a == QLatin1String("@DATA") ? env.dataDir() : a == QLatin1String("@CSV") ? csv
                : a == QLatin1String("@EMPTY") ? env.path(QStringLiteral("empty")) : a;
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(csv));
        QVERIFY(!QFile::exists(env.path(QStringLiteral("empty/tessaro.sqlite"))));
        if (holder)
            holder->run(QStringLiteral("ROLLBACK"));
        // The drifted stock was not touched by any refusal.
        Database db(env.dataDir(), env.workstation(), QStringLiteral("check"));
        db.open();
        QCOMPARE(stockRows(db), QStringList{"A1|2.1|X/777|5|-|-|9"});
    }
};

TESSARO_TEST_MAIN(TestStockCli)
#include "tst_stockcli.moc"
