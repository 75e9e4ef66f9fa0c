#include "TestEnv.h"

#include "app/IniFile.h"
#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/ParametersError.h"
#include "app/ScriptedMessages.h"
#include "app/forms/TDefaultDlg.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

namespace {

void writeFile(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestParameters : public QObject
{
    Q_OBJECT

private:
    // A shown dialog over the test's parameters, with the focus in its window.
    struct Dialog
    {
        TestEnv env;
        Parameters parameters;
        NationalFormats formats;
        ScriptedMessages messages;
        std::unique_ptr<TDefaultDlg> dlg;

        // Built once the test has set the parameters up.
        TDefaultDlg &open()
        {
            dlg = std::make_unique<TDefaultDlg>(parameters, formats, messages,
                                                TDefaultDlg::Files{env.dataDir(), env.workstation().iniPath()},
                                                QStringList());
            return *dlg;
        }
        template<typename T>
        T *child(const char *name) { return dlg->findChild<T *>(QString::fromLatin1(name)); }
        void click(const char *name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    };

    static void show(Dialog &d)
    {
        QDir().mkpath(d.env.dataDir());
        QDir().mkpath(d.env.home());
        if (!d.dlg)
            d.open();
        d.dlg->show();
        QApplication::setActiveWindow(d.dlg.get());
        QVERIFY(QTest::qWaitForWindowActive(d.dlg.get()));
    }

private slots:
    void newDirectoryDefaults()
    {
        TestEnv env;
        QDir().mkpath(env.dataDir());
        Parameters p;
        NationalFormats formats; // national: ',' until the first load
        p.load(env.dataDir(), formats);
        QCOMPARE(formats.decimalSeparator(), QLatin1Char('.'));
        QCOMPARE(formats.thousandSeparator(), QLatin1Char(','));
        QVERIFY(p.roundTva);
        QVERIFY(!p.calcTva);
        QCOMPARE(QList<double>({p.cfTva, p.tvaZero, p.tvaMed, p.tvaStd}), QList<double>({19, 0, 11, 19}));
        QCOMPARE(p.epsilon, 0.00001);
        QCOMPARE(p.nrZecimaleLei, 2);
        QCOMPARE(p.cFurn, QStringLiteral("401"));
    }

    // A key the next directory's file lacks keeps the value in memory, except the keys
    // with a fixed fallback.
    void laterLoadKeepsMissingKeys()
    {
        TestEnv env;
        writeFile(env.path(QStringLiteral("a/PVLDEF.INI")),
                  QStringLiteral("[Default]\nCFurn=402\nCfTVA=24\nCLot=5\nRound TVA=0\nCalc TVA=1\n"
                                 "Decimal separator=Coma\nSellPrice=calc\nFirmNo=3\nNr zecimale lei=4\n"
                                 "Epsilon=0,001\n"));
        writeFile(env.path(QStringLiteral("b/PVLDEF.INI")), QStringLiteral("[Default]\nCMf=372\n"));
        Parameters p;
        NationalFormats formats;
        p.load(env.path(QStringLiteral("a")), formats);
        QCOMPARE(formats.decimalSeparator(), QLatin1Char(','));
        QCOMPARE(p.sellPrice, Parameters::SellPrice::Calc);
        QVERIFY(p.lot); // any non-zero number is true
        QCOMPARE(p.epsilon, 0.001);

        p.load(env.path(QStringLiteral("b")), formats);
        QCOMPARE(p.cMf, QStringLiteral("372"));
        QCOMPARE(p.cFurn, QStringLiteral("402"));
        QCOMPARE(p.cfTva, 24.0);
        QCOMPARE(p.nrZecimaleLei, 4);
        QCOMPARE(p.epsilon, 0.001);
        QVERIFY(p.roundTva);
        QVERIFY(!p.calcTva);
        QCOMPARE(formats.decimalSeparator(), QLatin1Char('.'));
        QCOMPARE(p.sellPrice, Parameters::SellPrice::Fetch);
        QCOMPARE(p.firmNo, 0);
    }

    void conversionErrorStopsLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("badKey");
        QTest::addColumn<int>("nrZecimaleLei"); // read before "Epsilon", after the series
        QTest::addColumn<double>("factN1");

        QTest::newRow("epsilon with the other separator")
            << QStringLiteral("[Default]\nDecimal separator=Coma\nNr zecimale lei=5\nEpsilon=0.001\n"
                              "Epsilon1=0,5\nFirmNo=7\n[Series]\nFactN1=12\n")
            << QStringLiteral("Epsilon") << 5 << 12.0;
        QTest::newRow("series number")
            << QStringLiteral("[Default]\nCFurn=402\nNr zecimale lei=5\nEpsilon1=0.5\nFirmNo=7\n"
                              "[Series]\nFactN1=12\nFactN2=1x\n")
            << QStringLiteral("FactN2") << 2 << 12.0;;
        // A tolerance the dialog could never set is a bad value too, and is not used.
        QTest::newRow("epsilon too large")
            << QStringLiteral("[Default]\nNr zecimale lei=5\nEpsilon=1000\nEpsilon1=0.5\nFirmNo=7\n[Series]\nFactN1=12\n")
            << QStringLiteral("Epsilon") << 5 << 12.0;
        QTest::newRow("epsilon negative")
            << QStringLiteral("[Default]\nNr zecimale lei=5\nEpsilon=-1\nEpsilon1=0.5\nFirmNo=7\n[Series]\nFactN1=12\n")
            << QStringLiteral("Epsilon") << 5 << 12.0;
        QTest::newRow("epsilon zero")
            << QStringLiteral("[Default]\nNr zecimale lei=5\nEpsilon=0\nFirmNo=7\n[Series]\nFactN1=12\n")
            << QStringLiteral("Epsilon") << 5 << 12.0;
        QTest::newRow("epsilon below the smallest step")
            << QStringLiteral("[Default]\nNr zecimale lei=5\nEpsilon=0.00000000001\nFirmNo=7\n[Series]\nFactN1=12\n")
            << QStringLiteral("Epsilon") << 5 << 12.0;
    }

    // The dialog's own bounds are good values.
    void epsilonWithinBounds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("smallest") << "0.0000000001" << 1e-10;
        QTest::newRow("largest") << "1" << 1.0;
        QTest::newRow("between") << "0.001" << 0.001;
    }
    void epsilonWithinBounds()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        TestEnv env;
        writeFile(env.dataDir() + QStringLiteral("PVLDEF.INI"), QStringLiteral("[Default]\nEpsilon=%1\n").arg(text));
        Parameters p;
        NationalFormats formats;
        p.load(env.dataDir(), formats);
        QCOMPARE(p.epsilon, value);
    }
    void conversionErrorStopsLoad()
    {
        QFETCH(QString, file);
        QFETCH(QString, badKey);
        TestEnv env;
        writeFile(env.dataDir() + QStringLiteral("PVLDEF.INI"), file);
        Parameters p;
        NationalFormats formats;
        try {
            p.load(env.dataDir(), formats);
            QFAIL("the load should stop");
        } catch (const ParametersError &error) {
            QVERIFY2(error.message().contains(QLatin1Char('"') + badKey + QLatin1Char('"')),
                     qPrintable(error.message()));
        }
        QTEST(p.nrZecimaleLei, "nrZecimaleLei");
        QTEST(p.factN1, "factN1");
        QCOMPARE(p.epsilon, 0.00001);
        QCOMPARE(p.epsilon1, 0.01);
        QCOMPARE(p.firmNo, 0);
    }

    // Keys and sections this system does not use survive a save; the saved values read
    // back the same.
    void saveKeepsTheRestOfTheFiles()
    {
        TestEnv env;
        const QString data = env.dataDir() + QStringLiteral("PVLDEF.INI");
        const QString program = env.workstation().iniPath();
        writeFile(data, QStringLiteral("[Permision]\nConversie la RON=1\n[Default]\n; hand note\nCounty=BV\n"
                                       "Decimal separator=Coma\nCodProdusPeFact=1\nMyKey=kept\n"
                                       "Include Jurnal Cump=FCT\n[Series]\nSerFact=ABC\nFactN1=120\n"));
        writeFile(program, QStringLiteral("[Options]\nRefresh=5\nCheck for new version=1\n"
                                          "[PrinterSettings]\nFont=Arial\n"));
        Parameters p;
        NationalFormats formats;
        p.load(env.dataDir(), formats);
        p.checkForNewVersion = false;
        p.tvaMed = 10.6;
        p.cfTva = -5;
        p.normalize();
        p.save(env.dataDir(), program, formats);

        const QString saved = readFile(data);
        for (const char *line : {"[Permision]\nConversie la RON=1\n", "; hand note\n", "MyKey=kept\n",
                                 "County=BV\n", "Include Jurnal Cump=FCT\n", "Include Jurnal Vanz=AE;FCT\n",
                                 "SerFact=ABC\n", "FactN1=120\n", "CfTVA=0\n", "TVAMed=11\n",
                                 "Epsilon=0,00001\n", "Decimal separator=Coma\n", "CodProdusPeFact=1\n"})
            QVERIFY2(saved.contains(QString::fromUtf8(line)), line);
        QCOMPARE(saved.count(QStringLiteral("CodProdusPeFact")), 1);
        const QString options = readFile(program);
        QVERIFY(options.contains(QStringLiteral("Refresh=5\nCheck for new version=0\nBackup BD zilnic=1\n")));
        QVERIFY(options.contains(QStringLiteral("[PrinterSettings]\nFont=Arial")));

        Parameters again;
        NationalFormats otherFormats;
        again.load(env.dataDir(), otherFormats);
        again.loadProgramOptions(program);
        QCOMPARE(again.cfTva, 0.0);
        QCOMPARE(again.epsilon, 0.00001);
        QCOMPARE(again.factN1, 120.0);
        QVERIFY(!again.checkForNewVersion);
    }

    // A file that cannot be written stops the save with its name and the system's reason,
    // and the other file is left as it was when it comes later.
    void failedSaveSaysWhy_data()
    {
        QTest::addColumn<bool>("programFails"); // else the data directory's file
        QTest::newRow("program options") << true;
        QTest::newRow("data directory parameters") << false;
    }
    void failedSaveSaysWhy()
    {
        QFETCH(bool, programFails);
        TestEnv env;
        const QString data = env.dataDir() + QStringLiteral("PVLDEF.INI");
        const QString program = env.workstation().iniPath();
        writeFile(data, QStringLiteral("[Default]\nEpsilon=0.001\n"));
        writeFile(program, QStringLiteral("[Options]\nRefresh=5\n"));
        const QString failing = programFails ? program : data;
        QVERIFY(QFile::remove(failing));
        QVERIFY(QDir().mkdir(failing)); // a folder where the file should be
        Parameters p;
        NationalFormats formats;
        p.epsilon = 0.01;
        QString message;
        try {
            p.save(env.dataDir(), program, formats);
        } catch (const ParametersError &e) {
            message = e.message();
        }
        QVERIFY2(message.startsWith(programFails ? QStringLiteral("Nu pot salva optiunile in fisierul ")
                                                 : QStringLiteral("Nu pot salva parametrii in fisierul ")),
                 qPrintable(message));
        QVERIFY2(message.contains(failing) && message.endsWith(QStringLiteral("Is a directory")), qPrintable(message));
        if (programFails)
            QCOMPARE(readFile(data), QStringLiteral("[Default]\nEpsilon=0.001\n"));
        QVERIFY(QFileInfo(failing).isDir());
    }

    void currencyList()
    {
        QCOMPARE(Parameters::currencyCodes(QSqlDatabase()), QStringList());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("currencies"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE Valuta (Moneda VARCHAR(3) PRIMARY KEY)")));
            for (const char *code : {"USD", "EUR", "CHF"})
                QVERIFY(q.exec(QStringLiteral("INSERT INTO Valuta VALUES ('%1')").arg(QLatin1String(code))));
            QCOMPARE(Parameters::currencyCodes(db), QStringList({"USD", "EUR", "CHF"}));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("currencies"));
    }

    void epsilonSpin_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("shown");
        QTest::newRow("down five times") << 0.00001 << "SpinEpsilonDown" << 5 << 1e-10 << "0.0000000001";
        QTest::newRow("sixth press stuck") << 0.00001 << "SpinEpsilonDown" << 6 << 1e-10 << "0.0000000001";
        QTest::newRow("up to one") << 0.1 << "SpinEpsilonUp" << 1 << 1.0 << "1";
        QTest::newRow("up stops at one") << 0.1 << "SpinEpsilonUp" << 3 << 1.0 << "1";
    }
    void epsilonSpin()
    {
        QFETCH(double, start);
        QFETCH(QString, button);
        QFETCH(int, presses);
        Dialog d;
        d.formats.setSeparators(QLatin1Char('.'));
        d.parameters.epsilon = start;
        d.parameters.nrZecimaleLei = 9;
        d.open();
        for (int i = 0; i < presses; ++i)
            d.click(button.toLatin1().constData());
        QTEST(d.parameters.epsilon, "expected");
        QTEST(d.child<QLabel>("LabelEpsilon")->text(), "shown");

        for (int i = 0; i < 3; ++i)
            d.click("UpDownZecLeiUp");
        QCOMPARE(d.parameters.nrZecimaleLei, 10);
        QCOMPARE(d.child<QLineEdit>("EditZecLei")->text(), QStringLiteral("10"));
    }

    void separatorChoiceActsAtOnce()
    {
        Dialog d;
        d.formats.setSeparators(QLatin1Char('.'));
        show(d);
        QCOMPARE(d.dlg->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentWidget()->objectName(),
                 QStringLiteral("TabCalcul"));
        QCOMPARE(d.child<QLabel>("LabelExample")->text(), QStringLiteral("12,345.67"));
        d.click("RadioVirgula");
        QCOMPARE(d.child<QLabel>("LabelExample")->text(), QStringLiteral("12.345,67"));
        d.click("CancelBtn");
        QCOMPARE(d.dlg->result(), int(QDialog::Rejected));
        QCOMPARE(d.formats.decimalSeparator(), QLatin1Char(','));
        QCOMPARE(d.formats.thousandSeparator(), QLatin1Char('.'));
        QVERIFY(!QFile::exists(d.env.dataDir() + QStringLiteral("PVLDEF.INI")));
    }

    void accountCheckOnLeaving_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("valid");
        QTest::newRow("analytics") << "4426.01.001" << true;
        QTest::newRow("three separators") << "4426.01.001.1" << false;
        QTest::newRow("synthetic too long") << "12345678901.1" << false;
    }
    void accountCheckOnLeaving()
    {
        QFETCH(QString, account);
        QFETCH(bool, valid);
        Dialog d;
        show(d);
        d.dlg->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
        auto *furn = d.child<QLineEdit>("EditCFurn");
        furn->setFocus();
        furn->setText(account);
        d.child<QLineEdit>("EditCMf")->setFocus();
        QCOMPARE(d.messages.texts(ScriptedMessages::Kind::Warning).size(), valid ? 0 : 1);
        if (!valid) {
            QCOMPARE(d.messages.texts().constFirst(), QStringLiteral("Specificati contul in format (9)999.(9)99.(9)99 !"));
            QCOMPARE(QApplication::focusWidget(), furn);
            QCOMPARE(furn->selectedText(), account.left(Parameters::AccountLength));
            // Towards "Renunta" nothing is checked.
            d.messages.clear();
            d.child<QPushButton>("CancelBtn")->setFocus();
            QVERIFY(d.messages.isEmpty());
        }
    }

    // OK checks the accounts in order (hidden ones too) and saves only when all are valid.
    void okChecksThenSaves()
    {
        Dialog d;
        d.parameters.cTvaE = QStringLiteral("1.2.3.4");
        show(d);
        d.child<QLineEdit>("EditCCh")->setText(QStringLiteral("6071234567890"));
        d.child<QSpinBox>("SpinCfTVA")->setValue(-5);
        d.click("OkBtn");
        QCOMPARE(QApplication::focusWidget(), d.child<QLineEdit>("EditCCh"));
        QVERIFY(!QFile::exists(d.env.dataDir() + QStringLiteral("PVLDEF.INI")));

        d.child<QLineEdit>("EditCCh")->setText(QStringLiteral("607.01"));
        d.click("OkBtn");
        auto *tvaE = d.child<QLineEdit>("EditCTVA_E");
        QVERIFY(tvaE->isVisible()); // its page shows so that it can be corrected
        QCOMPARE(QApplication::focusWidget(), tvaE);
        QCOMPARE(d.messages.texts(ScriptedMessages::Kind::Warning).size(), 2);

        tvaE->setText(QStringLiteral("4427"));
        d.click("OkBtn");
        QCOMPARE(d.dlg->result(), int(QDialog::Accepted));
        QCOMPARE(d.parameters.cfTva, 0.0);
        QCOMPARE(d.parameters.cCh, QStringLiteral("607.01"));
        IniFile saved(d.env.dataDir() + QStringLiteral("PVLDEF.INI"));
        QCOMPARE(saved.value(QStringLiteral("Default"), QStringLiteral("CfTVA")), QStringLiteral("0"));
        QCOMPARE(saved.value(QStringLiteral("Default"), QStringLiteral("CTVA_E")), QStringLiteral("4427"));
    }
};

TESSARO_TEST_MAIN(TestParameters)
#include "tst_parameters.moc"
