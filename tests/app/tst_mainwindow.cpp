#include "TestEnv.h"

#include "app/IniFile.h"
#include "app/Refreshable.h"
#include "app/ScriptedMessages.h"
#include "app/Status.h"
#include "app/forms/TMainForm.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

namespace {

// A child window that counts how often it was told to re-read its data.
class RefreshProbe : public QWidget, public Refreshable
{
public:
    void refreshData() override { ++refreshed; }
    int refreshed = 0;
};

QAction *findEntry(QMenuBar *bar, const QStringList &path)
{
    QList<QAction *> actions = bar->actions();
    QAction *found = nullptr;
    for (const QString &caption : path) {
        found = nullptr;
        for (QAction *a : actions)
            if (!a->isSeparator() && a->text() == caption)
                found = a;
        if (!found)
            return nullptr;
        actions = found->menu() ? found->menu()->actions() : QList<QAction *>();
    }
    return found;
}

int entryCount(const QList<QAction *> &actions)
{
    int n = 0;
    for (QAction *a : actions) {
        if (a->isSeparator())
            continue;
        ++n;
        if (a->menu())
            n += entryCount(a->menu()->actions());
    }
    return n;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> makeForm(const TestEnv &env, ScriptedMessages &messages,
                                        StartupServices services = {})
    {
        return std::make_unique<TMainForm>(env.workstation(), messages, std::move(services),
                                           env.path(QStringLiteral("program")));
    }

private slots:
    void menuEntries_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        const QString S = QStringLiteral("&Sistem"), T = QStringLiteral("Setari"),
                      L = QStringLiteral("Listari"), LI = QStringLiteral("&Intrari"),
                      LE = QStringLiteral("I&esiri");
        struct Row { QStringList path; const char *hint; bool enabled; };
        const Row rows[] = {
            {{S}, " Editare cataloage, documente, vizualizare stocuri, facturi neîncasate, compunere oferte, etc.", true},
            {{S, "&Buget de lucru"}, " Selecteaza si deschide o baza de date de gestiune de stocuri", false},
            {{S, "Unitatea"}, "Specificati datele care descriu societatea pentru care se exploateaza baza de date.", false},
            {{S, "Intrari"}, " Introducere si modificare de documente de intrare in gestiunea de stocuri", false},
            {{S, "Iesiri"}, " Introducere si modificare de facturi si documente de iesire din gestiunea de stocuri", false},
            {{S, "Propuneri de casare"}, "Date pentru facturi proforma", false},
            {{S, "Nomenclator coduri de clasificare"}, " Introducere si modificare de articole", false},
            {{S, "&Furnizori"}, " Introducere si modificare de date despre furnizori", false},
            {{S, "Gestiuni"}, " Intretinere catalog de gestiuni", false},
            {{S, "Gestionari/Beneficiari"}, "Nomenclator gestionari, beneficiari", false},
            {{S, "Bugete"}, "Nomenclator bugete", false},
            {{S, "Stocuri &initiale"}, " Introducere si modificare de stocuri initiale", false},
            {{S, "&Stocuri curente"}, " Inspectare stocuri curente", false},
            {{S, "Iesire"}, " Inchide aplicatia de gestiune de stocuri.", true},
            {{T}, "Optiuni de configurare a programului", true},
            {{T, "Parametri aplicatiei"}, " Specificare valori implicite pentru conturi de furnizori, clienti, marfa/materiale, cheltuieli, TVA, coeficienti TVA", false},
            {{T, "Recalculare &stocuri"}, "Recalculeaza stocurile curente", false},
            {{T, "Sterge fisierele .cfg"}, "Seteaza configuratia implicita pentru tabele din dialoguri", true},
            {{L}, " Listare la imprimanta / vizualizare de situatii.", true},
            {{L, LI}, "Situatii diverse de intrari in gestiune", true},
            {{L, LI, "&Documente"}, "Lista documentelor de intrare dintr-o perioada data, grupate pe furnizor", false},
            {{L, LI, "&Articole"}, "Listarea înregistrarilor de intrare dintr-o perioada data, grupate pe articole.", false},
            {{L, LI, "&Furnizori"}, "", false},
            {{L, LI, "Bugete"}, "", false},
            {{L, LE}, "", true},
            {{L, LE, "&Bugete si beneficiari"}, "Centralizator a iesirilor pentru o anumita perioada, grupate pe clienti.", false},
            {{L, LE, "&Documente"}, "Lista documentelor de iesire dintr-o perioada data, grupate pe client.", false},
            {{L, LE, "&Articole (detaliat)"}, "Lista inregistrarilor de iesire dintr-o perioada data, grupate pe coduri de articol.", false},
            {{L, LE, "A&rticole (total)"}, "Total valoare, valoare vînzare si adaos comercial per articol", false},
            {{L, LE, "Ar&ticole (selectie)"}, "Total valoare, valoare vînzare si adaos comercial pentru articole selectate dupa denumire", false},
            {{L, "&Balanta"}, " Balanta de intrari si iesiri pentru o anumita perioada", false},
            {{L, "Balanta de &verificare"}, " Balanta detaliata de intrari si iesiri pentru o anumita perioada.", false},
            {{L, "&Lista de inventar la data..."}, " Situatia stocurilor la o data specificata.", false},
            {{L, "Registrul numerelor de inventar"}, "", false},
            {{L, "Fisa mijloacelor fixe"}, "", false},
            {{L, "Centralizator inventar"}, "", false},
            {{L, "Situatia amortizarii la data"}, "", false},
            {{L, "Situatia amortizarii la data pe conturi"}, "", false},
            {{L, "Centralizator calcul amortizari la data"}, "", false},
            {{L, "Centralizator calcul amortizari la data pe conturi"}, "", false},
            {{QStringLiteral("Ajutor")}, "", true},
            {{QStringLiteral("Ajutor"), "Actualizare online"}, "", false},
        };
        for (const Row &r : rows)
            QTest::newRow(qPrintable(r.path.join(QStringLiteral(" > "))))
                << r.path << QString::fromUtf8(r.hint) << r.enabled;
    }

    void menuEntries()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        QAction *entry = findEntry(form->menuBar(), path);
        QVERIFY2(entry, qPrintable(path.join(QStringLiteral(" > "))));
        QCOMPARE(entry->statusTip(), hint);
        QCOMPARE(entry->isEnabled(), enabled);
        QVERIFY(entry->isVisible());
    }

    void menuHasNothingElse()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        // 4 menus, 2 submenus, 36 entries: exactly the rows above.
        QCOMPARE(entryCount(form->menuBar()->actions()), 42);
        QCOMPARE(findEntry(form->menuBar(), {QStringLiteral("&Sistem"), QStringLiteral("Iesire")})->shortcut(),
                 QKeySequence(QStringLiteral("Alt+X")));
        auto *sistem = form->findChild<QShortcut *>(QStringLiteral("SistemShortcut"));
        QVERIFY(sistem);
        QCOMPARE(sistem->key(), QKeySequence(QStringLiteral("Ctrl+I")));
    }

    void buttonsFollowTheirEntries_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("action");
        QTest::newRow("in") << "SpeedDocIn" << "Intrari" << "DocIn1";
        QTest::newRow("suppliers") << "SpeedFurn" << "Furnizori" << "Furnizori1";
        QTest::newRow("codes") << "SpeedArt" << "Coduri clasificare" << "Catalog1";
        QTest::newRow("units") << "SpeedPay2" << "Gestiuni" << "Gestiuni1";
        QTest::newRow("custodians") << "SpeedCln" << "Gestionari" << "Gestionari1";
        QTest::newRow("stocks") << "SpeedStocks" << "Stocuri" << "Stocks1";
        QTest::newRow("out") << "SpeedDocOut" << "Iesiri" << "DocOut1";
    }

    void buttonsFollowTheirEntries()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, action);
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        auto *b = form->findChild<QToolButton *>(button);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QAction *a = form->findChild<QAction *>(action);
        QCOMPARE(b->statusTip(), a->statusTip());
        QVERIFY(!b->isEnabled());

        int runs = 0;
        QVERIFY(form->setCommand(action, [&runs] { ++runs; }));
        QVERIFY(b->isEnabled());
        b->click();
        QCOMPARE(runs, 1);
    }

    void hintsAndStatusReachTheStatusLine()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        auto *line = form->findChild<QLabel *>(QStringLiteral("StatusLine"));
        QVERIFY(line);
        // What a menu sends for the entry under the mouse.
        QStatusTipEvent tip(QStringLiteral(" Inspectare stocuri curente"));
        QCoreApplication::sendEvent(form->menuBar(), &tip);
        QCOMPARE(line->text(), QStringLiteral(" Inspectare stocuri curente"));
        Status::show(QStringLiteral("Listez..."));
        QCOMPARE(line->text(), QStringLiteral("Listez..."));
    }

    void startWithoutIni()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        QCOMPARE(form->windowTitle(), QStringLiteral("Evidenta mijloacelor fixe"));
        QVERIFY(form->dataDirectory().isEmpty());
        QCOMPARE(form->refreshTimer()->interval(), 30000);
        QVERIFY(form->refreshTimer()->isActive());
        QVERIFY(form->options().checkForNewVersion);
        const QDate today = QDate::currentDate();
        QCOMPARE(form->selection().periodStart, today.addDays(-30));
        QCOMPARE(form->selection().periodEnd, today);
        QCOMPARE(form->selection().referenceDate, today);
        QVERIFY(messages.isEmpty());
    }

    void refreshTimerReachesChildren()
    {
        TestEnv env;
        IniFile ini(env.workstation().iniPath());
        ini.setValue(QStringLiteral("Options"), QStringLiteral("Refresh"), QStringLiteral("5"));
        QVERIFY(ini.save());
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        QCOMPARE(form->refreshTimer()->interval(), 5000);

        auto *probe = new RefreshProbe;
        form->openChild(QStringLiteral("Probe"), [probe] { return probe; });
        form->openChild(QStringLiteral("Plain"), [] { return new QWidget; });
        form->refreshTimer()->start(10);
        QTRY_VERIFY(probe->refreshed >= 2);
    }

    void childWindowsAreSingleInstance()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        int created = 0;
        auto make = [&created] { ++created; return new QWidget; };
        QMdiSubWindow *first = form->openChild(QStringLiteral("TDocInForm"), make);
        first->showMinimized();
        QMdiSubWindow *again = form->openChild(QStringLiteral("TDocInForm"), make);
        QCOMPARE(again, first);
        QCOMPARE(created, 1);
        QVERIFY(!again->isMinimized());
        QCOMPARE(form->mdiArea()->subWindowList().size(), 1);
    }

    void refusalWhileChildOpen_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("buget") << "ChangeDB";
        QTest::newRow("parametri") << "Parametri1";
        QTest::newRow("actualizare") << "OnlineUpdate1";
    }

    void refusalWhileChildOpen()
    {
        QFETCH(QString, action);
        TestEnv env;
        ScriptedMessages messages;
        int opened = 0;
        StartupServices services;
        services.selectDatabase = [&opened](QWidget *, const QString &) { ++opened; return QString(); };
        services.editParameters = [&opened](QWidget *, const QString &) { ++opened; };
        services.onlineUpdate = [&opened](QWidget *, const QString &) { ++opened; };
        auto form = makeForm(env, messages, services);
        QAction *a = form->findChild<QAction *>(action);
        QVERIFY(a->isEnabled());

        QVERIFY(!form->refuseWhileChildrenOpen());
        form->openChild(QStringLiteral("TCatalogForm"), [] { return new QWidget; });
        a->trigger();
        QCOMPARE(opened, 0);
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                 QStringList{QStringLiteral("Inchideti toate ferestrele!")});

        form->mdiArea()->closeAllSubWindows();
        messages.clear();
        a->trigger();
        QCOMPARE(opened, 1);
        QVERIFY(messages.isEmpty());
    }

    void dataDirectoryAndVersion()
    {
        TestEnv env;
        ScriptedMessages messages;
        QStringList calls;
        QString nextChoice; // what the user picks in "&Buget de lucru"; empty = cancel
        StartupServices services;
        services.openLastDatabase = [&](QWidget *) { return env.dataDir() + QStringLiteral("a"); };
        services.loadParameters = [&](const QString &dir) { calls << QStringLiteral("params ") + dir; };
        services.storeVersion = [&](const QString &dir, const QString &v) {
            calls << QStringLiteral("version %1 %2").arg(dir, v);
        };
        services.selectDatabase = [&](QWidget *, const QString &current) {
            calls << QStringLiteral("select ") + current;
            return nextChoice;
        };
        services.addOnsChangeDirectory = [&](const QString &dir) { calls << QStringLiteral("addons ") + dir; };
        services.quietVersionCheck = [&](QWidget *, const QString &v) { calls << QStringLiteral("check ") + v; };
        auto form = makeForm(env, messages, services);
        const QString a = env.dataDir() + QStringLiteral("a/");
        QCOMPARE(form->dataDirectory(), a);
        QCOMPARE(form->windowTitle(), QStringLiteral("Evidenta mijloacelor fixe - ") + a);
        QCOMPARE(calls, QStringList({QStringLiteral("params ") + a, QStringLiteral("version ") + a + QStringLiteral(" 0.1.0.0")}));

        calls.clear();
        form->versionTimer()->start(0);
        QTRY_COMPARE(form->hint(), TMainForm::contactLine() + QStringLiteral(" - Versiunea 0.1.0.0"));
        QCOMPARE(calls, QStringList({QStringLiteral("version ") + a + QStringLiteral(" 0.1.0.0"),
                                     QStringLiteral("check 0.1.0.0")}));

        // A cancelled choice keeps the directory and the caption.
        calls.clear();
        form->findChild<QAction *>(QStringLiteral("ChangeDB"))->trigger();
        QCOMPARE(form->dataDirectory(), a);
        QCOMPARE(form->windowTitle(), QStringLiteral("Evidenta mijloacelor fixe - ") + a);
        QCOMPARE(calls, QStringList({QStringLiteral("select ") + a, QStringLiteral("addons ") + a}));

        calls.clear();
        nextChoice = env.dataDir() + QStringLiteral("b");
        form->findChild<QAction *>(QStringLiteral("ChangeDB"))->trigger();
        const QString b = env.dataDir() + QStringLiteral("b/");
        QCOMPARE(form->dataDirectory(), b);
        QCOMPARE(form->windowTitle(), QStringLiteral("Gestiune de stocuri - ") + b);
        QCOMPARE(calls, QStringList({QStringLiteral("select ") + a, QStringLiteral("params ") + b,
                                     QStringLiteral("addons ") + b}));
    }

    void exitWritesOptions()
    {
        TestEnv env;
        {
            QFile file(env.workstation().iniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("; kept\n[Options]\nRefresh=5\nCheck for new version=0\nToolbar=1\n\n[PrinterSettings]\nFont=Arial\n");
        }
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        QVERIFY(!form->options().checkForNewVersion);
        form.reset();
        IniFile ini(env.workstation().iniPath());
        QCOMPARE(ini.lines(), QStringList({"; kept", "[Options]", "Refresh=5", "Check for new version=0",
                                           "Toolbar=0", "Germana=0", "", "[PrinterSettings]", "Font=Arial"}));
    }

    void deleteCfgEntry()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        const QString priv = env.workstation().privateDirectory();
        for (const char *name : {"pavlon.cfg", "DocProf.cfg", "mine.cfg"}) {
            QFile f(priv + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        form->findChild<QAction *>(QStringLiteral("DeleteCfg1"))->trigger();
        QVERIFY(!QFile::exists(priv + QStringLiteral("pavlon.cfg")));
        QVERIFY(!QFile::exists(priv + QStringLiteral("DocProf.cfg")));
        QVERIFY(QFile::exists(priv + QStringLiteral("mine.cfg")));
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Information),
                 QStringList{QStringLiteral("S-a setat configuratia implicita pentru tabelele din dialoguri")});
    }

    void secondCopyBringsWindowBack()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        form->showMaximized();
        form->showMinimized();
        QTRY_VERIFY(form->isMinimized());
        form->bringToFront();
        QTRY_VERIFY(!form->isMinimized());
        QVERIFY(form->isVisible());
    }
};

TESSARO_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
