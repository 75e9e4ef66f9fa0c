#include "TestEnv.h"

#include "app/ScriptedMessages.h"
#include "app/forms/DesktopServices.h"
#include "app/forms/MainCommands.h"
#include "app/forms/TMainForm.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "documents/StockRecalculation.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlQuery>

using tessaro_test::runProgram;

// The windowed program put together as GuiMain does: start-up on the directory used
// last, then the menu entries that open the nomenclator windows.
class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nomenclatorWindowsOpenOnTheDataDirectory_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("child");
        QTest::newRow("catalogue") << "Catalog1" << "TCatLookupForm";
        QTest::newRow("units") << "Gestiuni1" << "TGestlookupForm";
        QTest::newRow("suppliers") << "Furnizori1" << "TFurnLookupForm";
        QTest::newRow("budgets") << "Bugete1" << "TClientLookupForm";
        QTest::newRow("initial stocks") << "IniStock1" << "TIniStockForm";
        QTest::newRow("current stocks") << "Stocks1" << "TStocksForm";
    }

    void nomenclatorWindowsOpenOnTheDataDirectory()
    {
        QFETCH(QString, action);
        QFETCH(QString, child);
        TestEnv env;
        const auto init = runProgram(QStringLiteral(TESSARO_BINARY),
                                     {QStringLiteral("init"), QStringLiteral("--remember"), env.dataDir()});
        QCOMPARE(init.exitCode, 0);

        ScriptedMessages messages;
        DesktopServices services(env.workstation(), messages);
        TMainForm window(env.workstation(), messages, services.hooks(), env.path("legacy"));
        registerMainCommands(window, services, messages);
        QVERIFY2(window.dataDirectory().startsWith(QDir::cleanPath(env.dataDir())),
                 qPrintable(messages.texts().join('\n')));
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Evidenta mijloacelor fixe - ")));
        QVERIFY(services.database());

        QAction *entry = window.findChild<QAction *>(action);
        QVERIFY(entry && entry->isEnabled());
        entry->trigger();
        entry->trigger(); // single instance: the second command brings it to the front
        const auto children = window.mdiArea()->subWindowList();
        QCOMPARE(children.size(), 1);
        QCOMPARE(children.first()->widget()->objectName(), child);
        QVERIFY2(messages.texts(ScriptedMessages::Kind::Error).isEmpty(),
                 qPrintable(messages.texts().join('\n')));

    }

    // "Recalculare stocuri" from the menu rebuilds the stock and says so.
    void recalculationFromTheMenu()
    {
        TestEnv env;
        const auto demo = runProgram(QStringLiteral(TESSARO_BINARY),
                                     {QStringLiteral("demo"), env.dataDir(), QStringLiteral("--assets"), QStringLiteral("30")});
        QCOMPARE(demo.exitCode, 0);
        DataDirectoryOpener::setLastDatabaseDir(env.dataDir());
        ScriptedMessages messages;
        DesktopServices services(env.workstation(), messages);
        TMainForm window(env.workstation(), messages, services.hooks(), env.path("legacy"));
        registerMainCommands(window, services, messages);
        QVERIFY(services.database());
        // The stock the demo's documents kept, line by line, is what the menu rebuilds.
        const auto stock = [&] {
            QSqlQuery q = services.database()->run(
                QStringLiteral("SELECT \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", "
                               "\"Lot\", \"Agent\", \"Cantitate\" FROM \"Stoc\" ORDER BY 1, 2, 3, 4, 5, 6"));
            QStringList rows;
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < 7; ++i)
                    cells << q.value(i).toString();
                rows << cells.join(QLatin1Char('|'));
            }
            return rows;
        };
        const QStringList kept = stock();
        QVERIFY(!kept.isEmpty());
        services.database()->run(QStringLiteral("DELETE FROM \"Stoc\""));
        messages.clear();
        window.findChild<QAction *>(QStringLiteral("RecalcStocks1"))->trigger();
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Information),
                 QStringList{StockRecalculation::doneText()});
        QSqlQuery q = services.database()->run(QStringLiteral("SELECT COUNT(*) FROM \"Stoc\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), int(kept.size()));
        QCOMPARE(stock(), kept);
    }

    // Without a data directory the windows say so instead of failing on the tables.
    void withoutDataDirectory()
    {
        TestEnv env;
        DataDirectoryOpener::setLastDatabaseDir(env.path("missing/"));
        ScriptedMessages messages;
        messages.setDefaultAnswer(false);
        DesktopServices services(env.workstation(), messages);
        StartupServices hooks = services.hooks();
        hooks.openLastDatabase = nullptr; // the browser would ask; start with none open
        TMainForm window(env.workstation(), messages, hooks, env.path("legacy"));
        registerMainCommands(window, services, messages);
        QVERIFY(window.dataDirectory().isEmpty());
        messages.clear();
        window.findChild<QAction *>(QStringLiteral("Catalog1"))->trigger();
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                 QStringList{DesktopServices::noDatabaseText()});
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
    }
};

TESSARO_TEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
