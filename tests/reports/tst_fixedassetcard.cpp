#include "TestEnv.h"

#include "../printing/ExitDocumentFixture.h"

#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/forms/TSelDateDlg.h"
#include "printing/FixedAssetCardPrint.h"
#include "printing/PrintContext.h"
#include "printing/forms/FixedAssetCardRun.h"
#include "printing/forms/QPrinterDevice.h"
#include "printing/forms/TQRPrnDlg.h"
#include "reports/FixedAssetCard.h"

#include <QProcess>
#include <QPushButton>
#include <QTimer>

using tessaro_test::pdfText;
using tessaro_test::readText;

using tessaro_test::runProgram;

namespace {

// Beside the exit fixture: a milling machine in the initial stock, a lathe and a
// press (not depreciated) on reception 1, each 1000 lei over 36 months from March 2020;
// the lathe had 400 lei depreciated before it came. Group 2.1.3 lives 8 to 12 years.
const QStringList &cardLines()
{
    static const QStringList sql = {
        "INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"Denumire\", \"DurataMin\", \"DurataMax\") VALUES "
        "('2.1', '2.1.3', 'Masini unelte', 8, 12)",
        "INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
        "\"Denumire\", \"DurataTotala\", \"DurataRamasa\", \"ValoareAmortizata\", \"Lot\", \"Cantitate\", "
        "\"Pret_achizitie_lei\", \"TVA\", \"CalcAmortizare\") VALUES "
        "(-1, 20, 'A1', '2.1.3', 'INV100', 'Masina de frezat', 36, 36, 0, '2020-03-15', 1, 1000, 0, 1), "
        "(1, 3, 'B2', '2.1.3', 'INV101', 'Strung CNC', 36, 24, 400, '2020-03-15', 2, 1000, 380, 1), "
        "(1, 4, 'B2', '2.1.3', 'INV102', 'Presa hidraulica', 36, 36, 0, '2020-03-15', 1, 1000, 190, 0)",
    };
    return sql;
}

void fill(Database &db)
{
    exit_fixture::fill(db);
    db.writeTransaction([&] {
        for (const QString &s : cardLines())
            db.run(s);
    });
}

void makeDataDirectory(const TestEnv &env)
{
    exit_fixture::makeDataDirectory(env);
    Database db(env.dataDir(), env.workstation(), QStringLiteral("cards"));
    db.open();
    db.writeTransaction([&] {
        for (const QString &s : cardLines())
            db.run(s);
        db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", "
                              "\"Lot\", \"Cantitate\") VALUES ('B2', '3.1.1', 'INV010', 3199.99, '2019-03-15', 2)"));
    });
}

} // namespace

class TestFixedAssetCard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { NationalFormats::current().setSeparators(QLatin1Char(',')); }

    // The date of full depreciation and the share of the duration run at the card date.
    void fullDateAndShare_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("initial");
        QTest::addColumn<QDate>("lot");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<double>("share");
        const QDate march2020(2020, 3, 15);
        QTest::newRow("36 months from March 2020, a year on") << 1000.0 << 36.0 << 0.0 << march2020
                                                              << QDate(2021, 3, 31) << 2023 << 3 << 33.33;
        QTest::newRow("in its last month") << 1000.0 << 36.0 << 0.0 << march2020 << QDate(2023, 3, 1) << 2023 << 3
                                           << 100.0;
        QTest::newRow("after its duration") << 1000.0 << 36.0 << 0.0 << march2020 << QDate(2023, 4, 1) << 2023 << 3
                                            << 100.0;
        QTest::newRow("before its month of use") << 1000.0 << 36.0 << 0.0 << march2020 << QDate(2020, 2, 29) << 2023
                                                 << 3 << 0.0;
        QTest::newRow("in its month of use") << 1000.0 << 36.0 << 0.0 << march2020 << QDate(2020, 3, 1) << 2023 << 3
                                             << 0.0;
        // 400 of 1000 over 36 months: 14.4 months at entry, 14 for the date.
        QTest::newRow("depreciated in part at entry") << 1000.0 << 36.0 << 400.0 << march2020 << QDate(2021, 3, 31)
                                                      << 2022 << 1 << 73.33;
        QTest::newRow("December: a whole number of years") << 1000.0 << 36.0 << 0.0 << QDate(2020, 12, 1)
                                                           << QDate(2021, 12, 1) << 2023 << 12 << 33.33;
        // 2.5 months at entry round to 2, not 3.
        QTest::newRow("half a month at entry goes to even") << 100.0 << 10.0 << 25.0 << QDate(2020, 1, 10)
                                                            << QDate(2020, 1, 10) << 2020 << 9 << 25.0;
        // 12.5 months end in the thirteenth.
        QTest::newRow("fractional duration") << 1000.0 << 12.5 << 0.0 << march2020 << QDate(2021, 3, 1) << 2021 << 4
                                             << 96.0;
        // Depreciated at entry beyond its duration: a month before its date of use.
        QTest::newRow("more depreciated than its duration") << 120.0 << 12.0 << 150.0 << QDate(2020, 2, 1)
                                                            << QDate(2020, 2, 1) << 2019 << 11 << 100.0;
    }
    void fullDateAndShare()
    {
        QFETCH(double, price);
        QFETCH(double, total);
        QFETCH(double, initial);
        QFETCH(QDate, lot);
        QFETCH(QDate, date);
        QFETCH(double, share);
        const auto full = FixedAssetCards::fullDepreciation(price, total, initial, lot);
        QVERIFY(full);
        QTEST(full->first, "year");
        QTEST(full->second, "month");
        const auto got = FixedAssetCards::durationShare(price, total, initial, lot, date);
        QVERIFY(got);
        QCOMPARE(*got, share);
    }

    void withoutDurationOrDate_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<QDate>("lot");
        QTest::newRow("no duration") << 0.0 << QDate(2020, 3, 1);
        QTest::newRow("negative duration") << -12.0 << QDate(2020, 3, 1);
        QTest::newRow("no date of use") << 36.0 << QDate();
    }
    void withoutDurationOrDate()
    {
        QFETCH(double, total);
        QFETCH(QDate, lot);
        QVERIFY(!FixedAssetCards::fullDepreciation(1000, total, 0, lot));
        QVERIFY(!FixedAssetCards::durationShare(1000, total, 0, lot, QDate(2021, 3, 1)));
    }

    void shareText_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("share");
        QTest::addColumn<QString>("text");
        QTest::newRow("comma") << QChar(',') << 33.33 << "33,33 %";
        QTest::newRow("period") << QChar('.') << 33.33 << "33.33 %";
        QTest::newRow("whole") << QChar(',') << 100.0 << "100 %";
        QTest::newRow("nothing run") << QChar(',') << 0.0 << "0 %";
        QTest::newRow("one decimal") << QChar(',') << 96.5 << "96,5 %";
    }
    void shareText()
    {
        QFETCH(QChar, separator);
        QFETCH(double, share);
        NationalFormats::current().setSeparators(separator);
        FixedAssetCard card;
        card.share = share;
        QTEST(card.shareText(), "text");
        card.share.reset();
        QVERIFY(card.shareText().isEmpty());
    }

    // Cards read from the register: the initial stock counts the month of its date, the
    // card variant depreciates in the month of use, a line not depreciated shows no
    // full date, life or share.
    void card_data()
    {
        QTest::addColumn<double>("contor");
        QTest::addColumn<double>("line");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("provenance");
        QTest::addColumn<QString>("movement");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("monthly");
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("life");
        // Initial stock of 1.1.2019: December 2021 is its 36th month, which takes the
        // rounding difference (counted from March 2020 it would be the 21st).
        QTest::newRow("initial stock, its last month") << -1.0 << 20.0 << QDate(2021, 12, 31) << "" << "" << 1000.0
                                                       << 27.70 << "2023/3" << "58,33 %" << "10";
        QTest::newRow("initial stock, after it") << -1.0 << 20.0 << QDate(2022, 1, 31) << "" << "" << 1000.0 << 0.0
                                                 << "2023/3" << "61,11 %" << "10";
        // 2 x 1000 less 400 over 24 months; a monthly amount in the month of use.
        QTest::newRow("reception, month of use") << 1.0 << 3.0 << QDate(2020, 3, 31) << "FCT, 88, 30.12.2025"
                                                 << "88/30.12.2025 Dotare scoala" << 2000.0 << 66.67 << "2022/1"
                                                 << "40 %" << "10";
        QTest::newRow("not depreciated") << 1.0 << 4.0 << QDate(2021, 3, 31) << "FCT, 88, 30.12.2025"
                                         << "88/30.12.2025 Dotare scoala" << 1000.0 << 27.78 << "" << "" << "";
    }
    void card()
    {
        QFETCH(double, contor);
        QFETCH(double, line);
        QFETCH(QDate, date);
        QFETCH(QString, movement);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        fill(db);
        NationalFormats::current().setSeparators(QLatin1Char(','));
        const auto card = FixedAssetCards::load(db, {contor, line}, date);
        QVERIFY(card);
        QCOMPARE(card->group, QStringLiteral("2.1"));
        QCOMPARE(card->classification, QStringLiteral("2.1.3"));
        QTEST(card->provenance, "provenance");
        QCOMPARE(card->hasMovement, !movement.isEmpty());
        if (card->hasMovement)
            QCOMPARE(card->movementDocument + ' ' + card->movementText, movement);
        QTEST(card->value, "value");
        QTEST(card->monthly, "monthly");
        const QString full = card->fullYear ? QStringLiteral("%1/%2").arg(*card->fullYear).arg(*card->fullMonth) : QString();
        QTEST(full, "full");
        QTEST(card->shareText(), "share");
        QTEST(card->normalYears ? QString::number(*card->normalYears) : QString(), "life");
        QVERIFY(!FixedAssetCards::load(db, {contor, 99}, date));
    }

    // The stock window's line for an inventory number: only entry lines of a unit that
    // holds the number in stock, the first by document and line.
    void lineOfArticle_data()
    {
        QTest::addColumn<QStringList>("stockUnits");
        QTest::addColumn<QString>("line");
        QTest::newRow("stock in both units: the initial stock") << QStringList{"B2", "A1"} << "-1/1";
        QTest::newRow("stock only where it was transferred") << QStringList{"A1"} << "5/1";
        QTest::newRow("stock in the unit of the initial stock") << QStringList{"B2"} << "-1/1";
        QTest::newRow("no stock") << QStringList{} << "";
    }
    void lineOfArticle()
    {
        QFETCH(QStringList, stockUnits);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        fill(db);
        db.writeTransaction([&] {
            for (const QString &unit : stockUnits)
                db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                      "\"Pret_achizitie\", \"Lot\", \"Cantitate\") "
                                      "VALUES (:U, '2.1.3', 'INV001', 12500.5, '2024-03-15', 1)"),
                       {{QStringLiteral(":U"), unit}});
        });
        const auto key = FixedAssetCards::lineOfArticle(db, QStringLiteral("INV001"));
        QTEST(key ? QStringLiteral("%1/%2").arg(key->contor).arg(key->contorSecundar) : QString(), "line");
    }

    void printedCsv_data()
    {
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<QString>("line");
        QTest::newRow("reception line") << QStringList{"--contor", "1", "--secundar", "3"}
                                        << "2.1,2.1.3,INV101,\"FCT, 88, 30.12.2025\",2020,3,2000,2022,1,66.67,Strung CNC,10,40";
        QTest::newRow("initial stock line") << QStringList{"--contor", "-1", "--secundar", "20"}
                                            << "2.1,2.1.3,INV100,,2020,3,1000,2023,3,27.78,Masina de frezat,10,0";
        QTest::newRow("not depreciated") << QStringList{"--contor", "1", "--secundar", "4"}
                                         << "2.1,2.1.3,INV102,\"FCT, 88, 30.12.2025\",2020,3,1000,,,27.78,Presa hidraulica,,";
        // INV010 is in stock in B2 only, where the initial stock brought it.
        QTest::newRow("by inventory number") << QStringList{"--article", "INV010"}
                                             << ",3.1.1,INV010,,2019,3,6399.98,,,0,Calculator birou,,";
    }
    void printedCsv()
    {
        QFETCH(QStringList, choice);
        QFETCH(QString, line);
        TestEnv env;
        makeDataDirectory(env);
        const QString csv = env.path(QStringLiteral("fisa.csv"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  QStringList{"print", "fisa", "--data", env.dataDir(), "--date", "2020-03-31", "--csv", csv}
                                      + choice);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(readText(csv), QStringLiteral("Grupa,Cod_grupa,Cod_articol,Provenienta,AnPIF,LunaPIF,Valoare,"
                                               "AnAmortizareCompleta,LunaAmortizareCompleta,AmortizareLunara,Denumire,"
                                               "DurataNormala,Cota\n")
                                    + line + '\n');
    }

    void printedPdfAndRefusals()
    {
        TestEnv env;
        makeDataDirectory(env);
        const QString pdf = env.path(QStringLiteral("fisa.pdf"));
        auto r = runProgram(QStringLiteral(TESSARO_BINARY), {"print", "fisa", "--data", env.dataDir(), "--contor", "1",
                                                             "--secundar", "3", "--date", "2021-03-31", "--pdf", pdf});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString text = pdfText(pdf).simplified();
        for (const char *t : {"Primăria Comunei Vadu Moților", "Cod fiscal: RO4562110", "FISA MIJLOCULUI FIX",
                              "la data de 31.3.2021", "Data darii in", "Data amortizarii",
                              "FCT, 88, 30.12.2025", "2.000,00", "66,67", "Strung CNC", "10 ani", "73,33 %",
                              "88/30.12.2025", "Dotare scoala", "Debit", "Credit", "Sold"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);

        const QString gone = QStringLiteral("Eroare la localizarea mijlocului fix. Reluati operatiunea de listare a fisei!");
        const QList<QStringList> refused = {{"--contor", "1", "--secundar", "99"}, {"--article", "INV999"}};
        for (const QStringList &choice : refused) {
            r = runProgram(QStringLiteral(TESSARO_BINARY),
                           QStringList{"print", "fisa", "--data", env.dataDir(), "--date", "2021-03-31", "--csv",
                                       env.path("x.csv")} + choice);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(gone), qPrintable(r.err));
            QVERIFY(!QFile::exists(env.path("x.csv")));
        }
        // A line and an inventory number together, or half a line, are usage errors.
        for (const QStringList &choice : QList<QStringList>{{"--contor", "1", "--article", "INV010"}, {"--contor", "1"}}) {
            r = runProgram(QStringLiteral(TESSARO_BINARY),
                           QStringList{"print", "fisa", "--data", env.dataDir(), "--date", "2021-03-31", "--csv",
                                       env.path("x.csv")} + choice);
            QCOMPARE(r.exitCode, 2);
        }
    }

    // The window's run: print dialog, then the date; a cancelled date prints nothing.
    void dateDialog_data()
    {
        QTest::addColumn<bool>("confirmDate");
        QTest::newRow("date given") << true;
        QTest::newRow("date cancelled") << false;
    }
    void dateDialog()
    {
        QFETCH(bool, confirmDate);
        TestEnv env;
        makeDataDirectory(env);
        Database db(env.dataDir(), env.workstation());
        db.open();
        Parameters parameters;
        parameters.firmNo = 1;
        auto device = std::make_unique<QPrinterDevice>();
        const QString pdf = env.path("fisa.pdf");
        device->printer().setOutputFileName(pdf);
        PrintContext print(std::move(device));
        print.settings().orientation = PrintSettings::Landscape;
        ScriptedMessages messages;
        int dateDialogs = 0;
        bool portraitAtDialog = false;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dlg = qobject_cast<TSelDateDlg *>(modal)) {
                ++dateDialogs;
                QCOMPARE(dlg->date(), QDate::currentDate());
                dlg->setDate(QDate(2021, 3, 31));
                dlg->findChild<QPushButton *>(confirmDate ? "OkBtn" : "CancelBtn")->click();
            } else if (qobject_cast<TQRPrnDlg *>(modal)) {
                portraitAtDialog = print.settings().orientation == PrintSettings::Portrait;
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        press.start(50);
        const bool printed = printFixedAssetCardOf(nullptr, db, parameters, print, messages, QStringLiteral("INV010"));
        press.stop();
        QVERIFY(portraitAtDialog);
        QCOMPARE(dateDialogs, 1);
        QCOMPARE(printed, confirmDate);
        QCOMPARE(QFile::exists(pdf), confirmDate);
        if (confirmDate)
            QVERIFY(pdfText(pdf).contains(QStringLiteral("la data de 31.3.2021")));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join('\n')));
    }

    // One page per card, each with its own values.
    void onePagePerCard()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        fill(db);
        QVector<FixedAssetCard> cards;
        for (const EntryLineKey &key : FixedAssetCards::linesOfDocument(db, 1))
            cards.append(*FixedAssetCards::load(db, key, QDate(2021, 3, 31)));
        FixedAssetCardPrint printout(cards, 2);
        const ReportDocument doc = printout.document(PageSetup());
        QCOMPARE(doc.pageCount(), 4);
        QCOMPARE(doc.title, QStringLiteral("Nota de receptie"));
        const QStringList names = {"Scaun ergonomic", "Strung de banc", "Strung CNC", "Presa hidraulica"};
        for (int p = 0; p < names.size(); ++p) {
            QCOMPARE(doc.pageOf(names[p]), p);
            QVERIFY(doc.find(p, QStringLiteral("FISA MIJLOCULUI FIX")));
        }
    }
};

TESSARO_TEST_MAIN(TestFixedAssetCard)
#include "tst_fixedassetcard.moc"
