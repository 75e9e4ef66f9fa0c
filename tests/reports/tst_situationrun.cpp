#include "TestEnv.h"

#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/WorkingSelection.h"
#include "db/Database.h"
#include "printing/PrintContext.h"
#include "printing/forms/QPrinterDevice.h"
#include "reports/forms/DepreciationSituationRun.h"

#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTimer>

using tessaro_test::runProgram;

// The windowed run from the "Listari" menu, every dialog confirmed with Enter as a user
// in a hurry would: units (all), date, print settings, budget (all), then the PDF.
class TestSituationRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterThroughEveryDialogPrintsTheReport_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("heading");
        QTest::newRow("at date") << int(SituationKind::AtDate) << "Situatia amortizarii mijloacelor fixe";
        QTest::newRow("summary") << int(SituationKind::Summary) << "din care, grupa";
    }

    void enterThroughEveryDialogPrintsTheReport()
    {
        QFETCH(int, kind);
        QFETCH(QString, heading);
        TestEnv env;
        const auto demo = runProgram(QStringLiteral(TESSARO_BINARY),
                                     {QStringLiteral("demo"), env.dataDir(), QStringLiteral("--assets"), QStringLiteral("40")});
        QCOMPARE(demo.exitCode, 0);
        Database db(env.dataDir(), env.workstation());
        db.open();
        Parameters parameters;
        NationalFormats formats;
        parameters.load(env.dataDir(), formats);

        auto device = std::make_unique<QPrinterDevice>();
        const QString pdf = env.path("situatie.pdf");
        device->printer().setOutputFileName(pdf);
        PrintContext print(std::move(device));
        ScriptedMessages messages;
        messages.answer(false); // every asset, not only the undepreciated ones
        WorkingSelection selection = WorkingSelection::startingOn(QDate(2026, 10, 31));

        int dialogs = 0;
        QTimer enter;
        connect(&enter, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            ++dialogs;
            QWidget *target = QApplication::focusWidget();
            QTest::keyClick(target && modal->isAncestorOf(target) ? target : modal, Qt::Key_Return);
        });
        enter.start(100);
        const bool printed = runDepreciationSituation(SituationKind(kind), nullptr, db, parameters, print,
                                                      messages, selection);
        enter.stop();
        QVERIFY2(printed, qPrintable(messages.texts().join('\n')));
        QVERIFY(dialogs >= 3);
        QCOMPARE(messages.texts(ScriptedMessages::Kind::YesNo),
                 QStringList{"Doriti doar listarea mijloacelor fixe neamortizate?"});
        QVERIFY(messages.texts(ScriptedMessages::Kind::Error).isEmpty());

        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString printedText = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printedText.contains(heading), qPrintable(printedText.left(2000)));
        QVERIFY(printedText.contains(QStringLiteral("Primăria Comunei Valea Lungă")));

        // The answer tables belong to the run and are gone after it.
        QSqlQuery left = db.run(QStringLiteral(
            "SELECT COUNT(*) FROM \"PVL_PRIV\".sqlite_master WHERE name IN ('ANSW_TMP', 'ANSW_ST')"));
        QVERIFY(left.next());
        QCOMPARE(left.value(0).toInt(), 0);
    }

    // A database error while the situation is built reads as the situations write it.
    void databaseErrorAsThePrintoutsWriteIt()
    {
        TestEnv env;
        const auto demo = runProgram(QStringLiteral(TESSARO_BINARY),
                                     {QStringLiteral("demo"), env.dataDir(), QStringLiteral("--assets"), QStringLiteral("10")});
        QCOMPARE(demo.exitCode, 0);
        Database db(env.dataDir(), env.workstation());
        db.open();
        db.run(QStringLiteral("DROP TABLE \"Grup\""));
        Parameters parameters;
        NationalFormats formats;
        parameters.load(env.dataDir(), formats);
        auto device = std::make_unique<QPrinterDevice>();
        device->printer().setOutputFileName(env.path("situatie.pdf"));
        PrintContext print(std::move(device));
        ScriptedMessages messages;
        messages.answer(false);
        WorkingSelection selection = WorkingSelection::startingOn(QDate(2026, 10, 31));
        QTimer enter;
        connect(&enter, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            QWidget *target = QApplication::focusWidget();
            QTest::keyClick(target && modal->isAncestorOf(target) ? target : modal, Qt::Key_Return);
        });
        enter.start(100);
        const bool printed = runDepreciationSituation(SituationKind::AtDate, nullptr, db, parameters, print, messages,
                                                      selection);
        enter.stop();
        QVERIFY(!printed);
        const QStringList errors = messages.texts(ScriptedMessages::Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("Eroare de acces la baza de date!\n<")), qPrintable(errors.first()));
        QVERIFY2(errors.first().endsWith(QStringLiteral(">!")), qPrintable(errors.first()));
        QVERIFY(!QFile::exists(env.path("situatie.pdf")));
    }
};

TESSARO_TEST_MAIN(TestSituationRun)
#include "tst_situationrun.moc"
