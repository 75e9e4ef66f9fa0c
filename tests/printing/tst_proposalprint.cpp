#include "TestEnv.h"

#include "ExitDocumentFixture.h"
#include "db/SchemaUpgrade.h"
#include "printing/ProposalList.h"
#include "printing/ScrappingList.h"

#include <QProcess>

using tessaro_test::pdfText;
using tessaro_test::readText;

using tessaro_test::runProgram;
using F = ScrappingList::Field;

namespace {

// Three proposals of a lathe put into use on 15.03.2001 with a 60-month life, on three
// dates; the first also proposes a 120-month asset of another unit.
const QStringList &proposals()
{
    static const QStringList sql = {
        "INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Denumire\", \"DurataTotala\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", \"Agent\") VALUES "
        "(-1, 10, 'A1', '2.1.3', 'INV050', 'Strung carusel', 60, '2001-03-15', 1, 8000, 'B01'), "
        "(-1, 11, 'B2', '2.2.9', 'INV051', 'Cuptor industrial', 120, '2001-03-15', 2, 3199.99, 'B02')",
        "INSERT INTO \"Doc_prof\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Data\") VALUES "
        "(1, '2006-03-15', 5, '2006-03-15'), (2, '2004-03-15', 6, '2004-03-15'), (3, '2007-09-15', 7, '2007-09-15')",
        "INSERT INTO \"Item_prof\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Cantitate\", \"Pret_achizitie\", \"Lot\", \"Agent\") VALUES "
        "(1, 1, 'B2', '2.2.9', 'INV051', 2, 3199.99, '2001-03-15', 'B02'), "
        "(1, 2, 'A1', '2.1.3', 'INV050', 1, 8000, '2001-03-15', 'B01'), "
        "(2, 1, 'A1', '2.1.3', 'INV050', 1, 8000, '2001-03-15', 'B01'), "
        "(3, 1, 'A1', '2.1.3', 'INV050', 1, 8000, '2001-03-15', 'B01')",
    };
    return sql;
}

void addProposals(Database &db)
{
    db.writeTransaction([&] {
        SchemaUpgrade(db).runFieldByField();
        for (const QString &s : proposals())
            db.run(s);
    });
}

void makeDataDirectory(const TestEnv &env)
{
    exit_fixture::makeDataDirectory(env);
    Database db(env.dataDir(), env.workstation(), QStringLiteral("proposals"));
    db.open();
    addProposals(db);
}

} // namespace

class TestProposalPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Age and wear of the lathe at each proposal's date.
    void wearAtProposalDate_data()
    {
        QTest::addColumn<double>("contor");
        QTest::addColumn<double>("expired");
        QTest::addColumn<double>("wear");
        QTest::newRow("at the end of its life") << 1.0 << 0.0 << 100.0;
        QTest::newRow("1096 of 1826 days") << 2.0 << 0.0 << 60.02;
        QTest::newRow("549 days past its life") << 3.0 << 18.04 << 100.0;
    }
    void wearAtProposalDate()
    {
        QFETCH(double, contor);
        QFETCH(double, expired);
        QFETCH(double, wear);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        exit_fixture::fill(db);
        addProposals(db);
        ProposalList list(db, 1);
        QVERIFY(list.load(contor));
        const ReportRow row = list.rows().constFirst();
        QCOMPARE(row[F::Article].toString(), QStringLiteral("INV050"));
        QCOMPARE(row[F::Name].toString(), QStringLiteral("Strung carusel"));
        QCOMPARE(row[F::YearMonth].toString(), QStringLiteral("03/2001"));
        QCOMPARE(row[F::Norm].toDouble(), 60.0);
        QCOMPARE(row[F::Expired].toDouble(), expired);
        QCOMPARE(row[F::Wear].toDouble(), wear);
        QCOMPARE(list.organisation().identificationLines().value(0), QStringLiteral("Primăria Comunei Vadu Moților"));
        QVERIFY(!list.load(9));
        QVERIFY(list.rows().isEmpty());
    }

    void csv_data()
    {
        QTest::addColumn<QString>("contor");
        QTest::addColumn<QStringList>("lines");
        const QString head = QStringLiteral("Cod_gestiune,Cod_grupa,Cod_articol,Denumire,AnLuna,Cantitate,Norm,Expir,Proc,"
                                            "Pret_achizitie,Valoare,Agent");
        // Ordered by unit: B2's line 1 comes after A1's line 2.
        QTest::newRow("two units") << "1"
                                   << QStringList{head, "A1,2.1.3,INV050,Strung carusel,03/2001,1,60,0,100,8000,8000,B01",
                                                  "B2,2.2.9,INV051,Cuptor industrial,03/2001,2,120,0,50,3199.99,6399.98,B02"};
        QTest::newRow("past its life") << "3"
                                       << QStringList{head, "A1,2.1.3,INV050,Strung carusel,03/2001,1,60,18.04,100,8000,8000,B01"};
    }
    void csv()
    {
        QFETCH(QString, contor);
        QFETCH(QStringList, lines);
        TestEnv env;
        makeDataDirectory(env);
        const QString csv = env.path(QStringLiteral("out.csv"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), {"print", "propunere-casare", "--data", env.dataDir(),
                                                                   "--contor", contor, "--csv", csv});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(readText(csv), lines.join('\n') + '\n');
    }

    void pdfAndRefusal()
    {
        TestEnv env;
        makeDataDirectory(env);
        const QString pdf = env.path(QStringLiteral("out.pdf"));
        auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                            {"print", "propunere-casare", "--data", env.dataDir(), "--contor", "1", "--pdf", pdf});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString text = pdfText(pdf);
        for (const char *t : {"Lista mijloacelor fixe propuse pentru a fi scoase din functiune", "la data 15.03.2006",
                              "Durata in luni", "normata", "Gestiunea: Primarie", "Total gestiunea: Primarie",
                              "Total gestiunea: Scoala Generala", "6.399,98", "Total general:", "14.399,98"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);

        r = runProgram(QStringLiteral(TESSARO_BINARY),
                       {"print", "propunere-casare", "--data", env.dataDir(), "--contor", "9", "--csv", pdf + ".csv"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.trimmed().split('\n').constLast(),
                 QStringLiteral("Eroare: Propunerea de casare cu numarul de inregistrare 9 nu exista!"));
        QVERIFY(!QFile::exists(pdf + ".csv"));
    }
};

TESSARO_TEST_MAIN(TestProposalPrint)
#include "tst_proposalprint.moc"
