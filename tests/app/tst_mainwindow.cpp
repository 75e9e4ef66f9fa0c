#include "TestEnv.h"

#include "app/ChildPlacement.h"
#include "app/IniFile.h"
#include "app/Refreshable.h"
#include "app/ScriptedMessages.h"
#include "app/Status.h"
#include "app/forms/AddOnMenuMerge.h"
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

// A child window asking for a size of its own, as a window with a wide grid does.
class AskingWidget : public QWidget
{
public:
    explicit AskingWidget(QSize wanted) : m_wanted(wanted) {}
    QSize sizeHint() const override { return m_wanted; }

private:
    QSize m_wanted;
};

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
        const QString S = QStringLiteral("&Sistem"), T = QStringLiteral("S&etari"),
                      L = QStringLiteral("&Listari"), LI = QStringLiteral("&Intrari"),
                      LE = QStringLiteral("I&esiri"), F = QStringLiteral("&Ferestre"),
                      A = QStringLiteral("&Ajutor");
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
            {{F}, "Aranjarea si alegerea ferestrelor deschise", true},
            {{F, "&Cascada"}, "Aseaza ferestrele deschise in cascada", false},
            {{F, "&Alaturate"}, "Aseaza ferestrele deschise una linga alta", false},
            {{F, "&Inchide toate"}, "Inchide toate ferestrele deschise", false},
            {{A}, "", true},
            {{A, "Actualizare online"}, "", false},
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
        // 5 menus, 2 submenus, 39 entries: exactly the rows above.
        QCOMPARE(entryCount(form->menuBar()->actions()), 46);
        QCOMPARE(findEntry(form->menuBar(), {QStringLiteral("&Sistem"), QStringLiteral("Iesire")})->shortcut(),
                 QKeySequence(QStringLiteral("Alt+X")));
        auto *sistem = form->findChild<QShortcut *>(QStringLiteral("SistemShortcut"));
        QVERIFY(sistem);
        QCOMPARE(sistem->key(), QKeySequence(QStringLiteral("Ctrl+I")));
    }

    // Top-level menus in their order, each with its own Alt letter, and the group indexes
    // add-on modules merge by.
    void topMenusAndGroups()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        QMenuBar *bar = form->menuBar();
        AddOnMenuMerge::setMainMenuGroupIndexes(bar);
        QStringList captions;
        QList<int> groups;
        QSet<QChar> letters;
        for (QAction *a : bar->actions()) {
            captions << a->text();
            groups << AddOnMenuMerge::groupIndex(a);
            const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
            QVERIFY2(amp >= 0, qPrintable(a->text()));
            QVERIFY2(!letters.contains(a->text().at(amp + 1).toUpper()), qPrintable(a->text()));
            letters.insert(a->text().at(amp + 1).toUpper());
        }
        QCOMPARE(captions, (QStringList{"&Sistem", "S&etari", "&Listari", "&Ferestre", "&Ajutor"}));
        QCOMPARE(groups, (QList<int>{0, 1, 2, 8, 9}));
    }

    // The window menu lists the open windows, the active one checked, brings the one
    // chosen to the front, and closes them all.
    void windowMenu()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        form->resize(1000, 700);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto *menu = form->findChild<QMenu *>(QStringLiteral("FerestreMenu"));
        QVERIFY(menu);
        auto named = [](const QString &title) {
            return [title] {
                auto *w = new QWidget;
                w->setWindowTitle(title);
                return w;
            };
        };
        QMdiSubWindow *stocks = form->openChild(QStringLiteral("A"), named(QStringLiteral("Stocuri curente")));
        QMdiSubWindow *units = form->openChild(QStringLiteral("B"), named(QStringLiteral("Catalog de gestiuni")));
        Q_EMIT menu->aboutToShow();
        QStringList entries;
        QList<QAction *> windowEntries;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator())
                continue;
            entries << a->text() + (a->isChecked() ? QStringLiteral(" *") : QString());
            if (a->objectName().startsWith(QLatin1String("WindowEntry")))
                windowEntries << a;
        }
        QCOMPARE(entries, (QStringList{"&Cascada", "&Alaturate", "&Inchide toate", "&1 Stocuri curente",
                                       "&2 Catalog de gestiuni *"}));
        QVERIFY(form->findChild<QAction *>(QStringLiteral("Cascade1"))->isEnabled());

        windowEntries.first()->trigger();
        QCOMPARE(form->mdiArea()->activeSubWindow(), stocks);

        form->findChild<QAction *>(QStringLiteral("Tile1"))->trigger();
        QVERIFY(!stocks->geometry().intersects(units->geometry()));

        form->findChild<QAction *>(QStringLiteral("CloseAll1"))->trigger();
        QTRY_VERIFY(form->mdiArea()->subWindowList().isEmpty());
        Q_EMIT menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 3);
        QVERIFY(!form->findChild<QAction *>(QStringLiteral("Cascade1"))->isEnabled());
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<bool>("hasPrevious");
        QTest::addColumn<QPoint>("previous");
        QTest::addColumn<QRect>("placed");
        const QRect area(0, 0, 1000, 600);
        QTest::newRow("first window at the corner") << area << QSize(750, 450) << false << QPoint() << QRect(0, 0, 750, 450);
        QTest::newRow("next one a step further") << area << QSize(750, 450) << true << QPoint(0, 0) << QRect(28, 28, 750, 450);
        QTest::newRow("larger than the area: cut down")
            << area << QSize(3000, 2000) << false << QPoint() << QRect(0, 0, 1000, 600);
        QTest::newRow("a step past the bottom: the corner again")
            << area << QSize(750, 450) << true << QPoint(140, 140) << QRect(0, 0, 750, 450);
        QTest::newRow("exactly fits after the step")
            << area << QSize(750, 450) << true << QPoint(122, 122) << QRect(150, 150, 750, 450);
        QTest::newRow("previous outside the area") << area << QSize(300, 200) << true << QPoint(-500, 10)
                                                   << QRect(0, 0, 300, 200);
        QTest::newRow("area with an offset") << QRect(10, 20, 500, 400) << QSize(200, 100) << true << QPoint(10, 20)
                                             << QRect(38, 48, 200, 100);
    }
    void placement()
    {
        QFETCH(QRect, area);
        QFETCH(QSize, wanted);
        QFETCH(bool, hasPrevious);
        QFETCH(QPoint, previous);
        QFETCH(QRect, placed);
        const std::optional<QPoint> before = hasPrevious ? std::optional<QPoint>(previous) : std::nullopt;
        const QRect got = ChildPlacement::place(area, wanted, before, 28);
        QCOMPARE(got, placed);
        QVERIFY(area.contains(got));
    }

    // Windows that ask for more room than there is, or open one after another, stay wholly
    // inside the client area, each cascaded from the one before.
    void childWindowsStayInside()
    {
        TestEnv env;
        ScriptedMessages messages;
        auto form = makeForm(env, messages);
        form->resize(1000, 700);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect area = form->mdiArea()->viewport()->rect();
        auto sized = [](QSize size) {
            return [size] {
                auto *w = new AskingWidget(size);
                w->setMinimumSize(100, 80);
                return w;
            };
        };
        QList<QMdiSubWindow *> opened;
        const QSize sizes[] = {{900, 520}, {2600, 1800}, {300, 200}, {700, 400}};
        for (int i = 0; i < 4; ++i)
            opened << form->openChild(QStringLiteral("W%1").arg(i), sized(sizes[i]));
        for (QMdiSubWindow *sub : opened) {
            QVERIFY2(area.contains(sub->geometry()),
                     qPrintable(QStringLiteral("%1,%2 %3x%4 outside %5x%6")
                                    .arg(sub->x()).arg(sub->y()).arg(sub->width()).arg(sub->height())
                                    .arg(area.width()).arg(area.height())));
        }
        // The second one is cut down to the area, so it starts at the corner again; the
        // third and fourth follow, one title bar down and right each.
        QCOMPARE(opened[0]->pos(), area.topLeft());
        QCOMPARE(opened[1]->geometry(), area);
        const int step = opened[2]->x();
        QVERIFY(step > 10);
        QCOMPARE(opened[2]->pos(), QPoint(step, step));
        QCOMPARE(opened[3]->pos(), QPoint(2 * step, 2 * step));

        // Brought back, an open window keeps its place.
        const QRect before = opened[0]->geometry();
        QCOMPARE(form->openChild(QStringLiteral("W0"), sized({10, 10})), opened[0]);
        QCOMPARE(opened[0]->geometry(), before);
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
