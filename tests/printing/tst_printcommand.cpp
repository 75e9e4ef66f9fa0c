#include "TestEnv.h"

#include "ExitDocumentFixture.h"

#include <QProcess>

using tessaro_test::pdfText;
using tessaro_test::readText;

using tessaro_test::runProgram;

class TestPrintCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvOfEachDocument_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("contor");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("movement note")
            << "bon-de-miscare" << "7"
            << QStringList{"Cod_gestiune,Cod_grupa,Cod_articol,Denumire,Agent,Cantitate,Pret_achizitie,Valoare",
                           "A1,2.1.3,INV001,Strung paralel SN 4471,B01,2,100.255,200.51",
                           "A1,2.1.3,INV001,Strung paralel SN 4471,B01,1,12500.5,12500.5",
                           "A1,2.2.1,INV002,Autoturism Dacia,B02,1,45000,45000"};
        QTest::newRow("scrapping list")
            << "lista-casari" << "4"
            << QStringList{"Cod_gestiune,Cod_grupa,Cod_articol,Denumire,AnLuna,Cantitate,Norm,Expir,Proc,"
                           "Pret_achizitie,Valoare,Agent",
                           "A1,2.1.3,INV001,Strung paralel,03/2024,1,60,0,39.98,12500.5,12500.5,B01",
                           "A1,2.2.1,INV002,Autoturism Dacia,03/2021,1,60,0,100,45000,45000,B02",
                           "B2,3.1.1,INV010,Calculator birou,03/2019,2,60,24,100,3199.99,6399.98,B01",
                           "B2,3.3.1,INV011,Scaun ergonomic,12/2025,3,2,0,100,0.335,1.01,"};
        QTest::newRow("reception note")
            << "nota-receptie" << "1"
            << QStringList{"Cod_gestiune,Cod_grupa,Cod_articol,Denumire,Cantitate,Pret_achizitie_lei,Valoare,TVA",
                           "B2,3.3.1,INV011,Scaun ergonomic,3,0.335,1.01,0.19",
                           "B2,2.1.3,INV020,Strung de banc,2,1234.5678,2469.14,469.14"};
    }
    void csvOfEachDocument()
    {
        QFETCH(QString, document);
        QFETCH(QString, contor);
        QFETCH(QStringList, lines);
        TestEnv env;
        exit_fixture::makeDataDirectory(env);
        const QString csv = env.path(QStringLiteral("out.csv"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  {"print", document, "--data", env.dataDir(), "--contor", contor, "--csv", csv});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(readText(csv), lines.join('\n') + '\n');
        QCOMPARE(r.out.trimmed(), QStringLiteral("%1 randuri scrise in %2").arg(lines.size() - 1).arg(csv));
    }

    void pdfOfEachDocument_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("movement note")
            << QStringList{"bon-de-miscare", "--contor", "7"}
            << QStringList{"BON DE MISCARE MIJLOACE FIXE", "GESTIUNE PRIMITOARE : Scoala Generala", "57.701,01",
                           "PRIMITOR:", "Pop Vasile"}
            << QStringList{"Comisia de casare"};
        QTest::newRow("scrapping list with the closing text")
            << QStringList{"lista-casari", "--contor", "4", "--comment"}
            << QStringList{"Lista mijloacelor fixe casate", "Gestiunea: Scoala Generala", "Total general:", "63.901,49",
                           "Comisia de casare:", "Membru: Pop Dan"}
            << QStringList{};
        QTest::newRow("scrapping list without it")
            << QStringList{"lista-casari", "--contor", "4"} << QStringList{"Total general:"}
            << QStringList{"Comisia de casare"};
        QTest::newRow("reception note") << QStringList{"nota-receptie", "--contor", "1"}
                                        << QStringList{"Nota de receptie", "Strung de banc", "Total document:"}
                                        << QStringList{"BON DE MISCARE"};
    }
    void pdfOfEachDocument()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, absent);
        TestEnv env;
        exit_fixture::makeDataDirectory(env);
        QFile foot(env.dataDir() + QStringLiteral("INVFOOT.TXT"));
        QVERIFY(foot.open(QIODevice::WriteOnly));
        foot.write("Comisia de casare:\r\nMembru: Pop Dan\r\n");
        foot.close();
        const QString pdf = env.path(QStringLiteral("out.pdf"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  QStringList{"print"} + args + QStringList{"--data", env.dataDir(), "--pdf", pdf});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out.trimmed(), QStringLiteral("1 pagini scrise in %1").arg(pdf));
        const QString text = pdfText(pdf);
        for (const QString &t : texts)
            QVERIFY2(text.contains(t), qPrintable(t));
        for (const QString &t : absent)
            QVERIFY2(!text.contains(t), qPrintable(t));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args"); // @DATA: the data directory
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown exit document")
            << QStringList{"bon-de-miscare", "--data", "@DATA", "--contor", "99"} << 1
            << "Eroare: Documentul de iesire cu numarul de inregistrare 99 nu exista!";
        QTest::newRow("unknown scrapping document")
            << QStringList{"lista-casari", "--data", "@DATA", "--contor", "1", "--comment"} << 1
            << "Eroare: Documentul de iesire cu numarul de inregistrare 1 nu exista!";
        QTest::newRow("unknown entry document")
            << QStringList{"nota-receptie", "--data", "@DATA", "--contor", "7"} << 1
            << "Eroare: Documentul de intrare cu numarul de inregistrare 7 nu exista!";
        QTest::newRow("unknown printout") << QStringList{"factura", "--data", "@DATA", "--contor", "7"} << 2
                                          << "Document necunoscut: factura";
        QTest::newRow("comment on a movement note")
            << QStringList{"bon-de-miscare", "--data", "@DATA", "--contor", "7", "--comment"} << 2
            << "Argument necunoscut: --comment";
        QTest::newRow("no contor") << QStringList{"bon-de-miscare", "--data", "@DATA"} << 2
                                   << "Utilizare: tessaro print DOCUMENT";
        QTest::newRow("contor not a number") << QStringList{"lista-casari", "--data", "@DATA", "--contor", "patru"}
                                             << 2 << "Eroare: <patru> nu este un numar de inregistrare.";
        QTest::newRow("not a data directory") << QStringList{"lista-casari", "--data", "@DATA/nu", "--contor", "4"}
                                              << 1 << "nu este un director de date";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        exit_fixture::makeDataDirectory(env);
        const QString csv = env.path(QStringLiteral("out.csv")), pdf = env.path(QStringLiteral("out.pdf"));
        args.replaceInStrings(QStringLiteral("@DATA"), env.dataDir());
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  QStringList{"print"} + args + QStringList{"--csv", csv, "--pdf", pdf});
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!QFile::exists(csv));
        QVERIFY(!QFile::exists(pdf));
    }
};

TESSARO_TEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
