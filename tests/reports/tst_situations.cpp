#include "TestEnv.h"

#include "SqlFile.h"

#include "db/Database.h"
#include "documents/StockAtDate.h"
#include "printing/PageSetup.h"
#include "printing/PrintSettings.h"
#include "printing/ReportEngine.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationReport.h"

#include <QFile>

using F = DepreciationSituation::Field;

// The depreciation situations beyond what the golden files show: the main-group
// breakdown, the general totals of the printouts, the tolerance of the selection, the
// refusals of the headless command.
class SituationsTest : public QObject
{
    Q_OBJECT

private slots:
    void mainGroupKey_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::newRow("three levels") << "2.1.1" << "2.";
        QTest::newRow("two digits") << "12.3" << "12.";
        QTest::newRow("no dot") << "301" << "";
        QTest::newRow("empty") << "" << "";
    }
    void mainGroupKey()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QCOMPARE(SituationReport::mainGroupKey(group), key);
    }

    // Beyond 11 main groups every group keeps its own entry; a known key adds up.
    void breakdownHasNoLimit()
    {
        QVector<SituationReport::Breakdown> list;
        for (int i = 1; i <= 14; ++i) {
            SituationReport::Breakdown b;
            b.key = QStringLiteral("%1.").arg(i);
            b.amounts[0] = 0.1;
            SituationReport::addTo(list, b);
            SituationReport::addTo(list, b);
        }
        QCOMPARE(list.size(), 14);
        QCOMPARE(list.last().key, QStringLiteral("14."));
        QCOMPARE(list.last().amounts[0], 0.2);
    }

    // "Total general" of each situation on the shared fixture at 30 June 2022, worked
    // out by hand from the depreciation rule: G2's INV003 counts with its transfer-in
    // line in the first situation and with its first entry everywhere else; the fourth
    // leaves out the negative stock of INV007; "only undepreciated" drops INV004 and,
    // in the first situation, INV003 too.
    void generalTotals_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("only");
        QTest::addColumn<QStringList>("totals");
        const auto k = [](SituationKind kind) { return int(kind); };
        QTest::newRow("situatia") << k(SituationKind::AtDate) << false
                                  << QStringList{"19.601,00", "4.500,00", "189,05", "12.610,06", "6.990,94"};
        QTest::newRow("situatia, neamortizate") << k(SituationKind::AtDate) << true
                                                << QStringList{"16.701,00", "3.000,00", "189,05", "9.710,06", "6.990,94"};
        QTest::newRow("pe conturi") << k(SituationKind::ByAccount) << false
                                    << QStringList{"19.601,00", "3.000,00", "255,72", "12.010,15", "7.590,85"};
        QTest::newRow("pe conturi, neamortizate") << k(SituationKind::ByAccount) << true
                                                  << QStringList{"19.101,00", "3.000,00", "255,72", "11.510,15", "7.590,85"};
        QTest::newRow("centralizator") << k(SituationKind::Summary) << false
                                       << QStringList{"19.601,00", "3.000,00", "255,72", "12.010,15", "7.590,85"};
        QTest::newRow("centralizator, neamortizate") << k(SituationKind::Summary) << true
                                                     << QStringList{"19.101,00", "3.000,00", "255,72", "11.510,15", "7.590,85"};
        QTest::newRow("centralizator pe conturi") << k(SituationKind::SummaryByAccount) << false
                                                  << QStringList{"20.401,00", "3.000,00", "275,72", "12.350,15", "8.050,85"};
        QTest::newRow("centralizator pe conturi, neamortizate")
            << k(SituationKind::SummaryByAccount) << true
            << QStringList{"19.901,00", "3.000,00", "275,72", "11.850,15", "8.050,85"};
    }
    void generalTotals()
    {
        QFETCH(int, kind);
        QFETCH(bool, only);
        QFETCH(QStringList, totals);
        TestEnv env;
        QCOMPARE(tessaro_test::initDataDir(QStringLiteral(TESSARO_BINARY), env,
                                           {QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/common.sql")}),
                 QString());
        Database db(env.dataDir(), env.workstation(), QStringLiteral("situations"));
        db.open();
        StockAtDate stock(db, false);
        QVERIFY(stock.build(QDate(2022, 6, 30), {}));
        DepreciationSituation situation(db);
        DepreciationSituation::Options o;
        o.date = QDate(2022, 6, 30);
        o.onlyUndepreciated = only;
        const auto k = SituationKind(kind);
        const QVector<ReportRow> assets = situation.build(k, o);
        situation.dropAnswerTable();
        stock.drop();
        QVERIFY(!db.run(QStringLiteral("SELECT name FROM \"PVL_PRIV\".sqlite_master WHERE name IN ('ANSW_TMP', 'ANSW_ST')")).next());

        PrintSettings settings;
        settings.applyPreset(PrintSettings::Landscape);
        SituationReport::Header header;
        header.date = o.date;
        header.onlyUndepreciated = only;
        const ReportDocument doc = SituationReport::document(k, header, assets, PageSetup::fromSettings(settings));
        const QStringList texts = doc.texts(doc.pageCount() - 1);
        const QString caption = k == SituationKind::SummaryByAccount ? QStringLiteral("Total general:")
                                                                     : QStringLiteral("Total general");
        const qsizetype at = texts.indexOf(caption);
        QVERIFY(at >= 0);
        QCOMPARE(texts.mid(at + 1, 5), totals);
        QCOMPARE(texts.contains(QStringLiteral("(numai cele neamortizate)")),
                 only && SituationKinds::isSummary(k));
    }

    // Stock of exactly +-epsilon is left out by the first three situations; the fourth
    // lists every positive quantity and no negative one. Epsilon 0.25 keeps the
    // arithmetic exact.
    void selectionAtEpsilon_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("articles");
        QTest::newRow("situatia") << int(SituationKind::AtDate) << QStringList{"MINUS-HALF", "PLUS-HALF"};
        QTest::newRow("pe conturi") << int(SituationKind::ByAccount) << QStringList{"MINUS-HALF", "PLUS-HALF"};
        QTest::newRow("centralizator") << int(SituationKind::Summary) << QStringList{"MINUS-HALF", "PLUS-HALF"};
        QTest::newRow("centralizator pe conturi") << int(SituationKind::SummaryByAccount)
                                                  << QStringList{"PLUS-EPS", "PLUS-HALF"};
    }
    void selectionAtEpsilon()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, articles);
        TestEnv env;
        QCOMPARE(tessaro_test::initDataDir(QStringLiteral(TESSARO_BINARY), env), QString());
        Database db(env.dataDir(), env.workstation(), QStringLiteral("epsilon"));
        db.open();
        db.run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"Denumire\", \"Cont_sint\") "
                              "VALUES ('2', '2.1.1', 'Masini', '2131')"));
        db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Data\") VALUES (1, '2022-01-10', '2022-01-10')"));
        db.run(QStringLiteral("INSERT INTO \"Doc_out\" (\"Contor\", \"Data_inregistrarii\", \"Data\") VALUES (1, '2022-02-10', '2022-02-10')"));
        // Entered and taken out: 0.25, -0.25, 0.5, -0.5.
        const QList<std::tuple<const char *, double, double>> stock{
            {"PLUS-EPS", 0.25, 0}, {"MINUS-EPS", 1, 1.25}, {"PLUS-HALF", 0.5, 0}, {"MINUS-HALF", 1, 1.5}};
        int n = 0;
        for (const auto &[article, in, out] : stock) {
            ++n;
            db.run(QStringLiteral("INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                                  "\"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", \"DurataTotala\", "
                                  "\"DurataRamasa\", \"ValoareAmortizata\", \"Denumire\", \"Domeniu\", \"CalcAmortizare\") "
                                  "VALUES (1, :n, 'G1', '2.1.1', :a, '2021-12-01', :q, 100, 12, 12, 0, 'Masina', 'privat', 1)"),
                   {{QStringLiteral(":n"), n}, {QStringLiteral(":a"), QString::fromLatin1(article)}, {QStringLiteral(":q"), in}});
            if (out)
                db.run(QStringLiteral("INSERT INTO \"Item_out\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                                      "\"Cod_articol\", \"Cantitate\", \"Pret_achizitie\", \"Lot\") "
                                      "VALUES (1, :n, 'G1', '2.1.1', :a, :q, 100, '2021-12-01')"),
                       {{QStringLiteral(":n"), n}, {QStringLiteral(":a"), QString::fromLatin1(article)}, {QStringLiteral(":q"), out}});
        }
        StockAtDate atDate(db, false);
        QVERIFY(atDate.build(QDate(2022, 6, 30), {}));
        DepreciationSituation situation(db);
        DepreciationSituation::Options o;
        o.date = QDate(2022, 6, 30);
        o.epsilon = 0.25;
        QStringList listed;
        for (const ReportRow &r : situation.build(SituationKind(kind), o))
            listed << r[F::Article].toString();
        listed.sort();
        QCOMPARE(listed, articles);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown report") << QStringList{"situatia", "--date", "2022-06-30"} << "Raport necunoscut";
        QTest::newRow("bad date") << QStringList{"situatia-amortizarii", "--date", "2022-02-30"} << "nu este o data corecta";
        QTest::newRow("not a data directory") << QStringList{"centralizator-amortizari", "--date", "2022-06-30", "--data", "NODATA"}
                                             << "nu este un director de date";
        QTest::newRow("unknown budget") << QStringList{"situatia-amortizarii", "--date", "2022-06-30", "--budget", "ZZ"}
                                       << "Bugetul <ZZ> nu exista!";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        TestEnv env;
        QCOMPARE(tessaro_test::initDataDir(QStringLiteral(TESSARO_BINARY), env), QString());
        if (!args.contains(QStringLiteral("--data")))
            args << QStringLiteral("--data") << env.dataDir();
        else
            args.replace(args.indexOf(QStringLiteral("NODATA")), env.path(QStringLiteral("empty")));
        const QString csv = env.path(QStringLiteral("out.csv")), pdf = env.path(QStringLiteral("out.pdf"));
        args << QStringLiteral("--csv") << csv << QStringLiteral("--pdf") << pdf;
        auto run = tessaro_test::runProgram(QStringLiteral(TESSARO_BINARY), QStringList{QStringLiteral("report")} + args);
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFile::exists(csv));
        QVERIFY(!QFile::exists(pdf));
    }
};

TESSARO_TEST_MAIN(SituationsTest)
#include "tst_situations.moc"
