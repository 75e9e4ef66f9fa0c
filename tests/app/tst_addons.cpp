#include "TestEnv.h"

#include "app/AddOnHost.h"
#include "app/ScriptedMessages.h"
#include "app/forms/AddOnMenuMerge.h"
#include "app/forms/TMainForm.h"

#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardItemModel>

namespace {

// Menus written as text: "A:0[B:0,C:1],D:2" = entry A of group 0 with sub-entries B
// and C, then D of group 2. Entries without sub-entries are plain actions.
struct Parsed
{
    QString caption;
    int group = 0;
    QList<Parsed> items;
};

QList<Parsed> parse(const QString &text, int &pos)
{
    QList<Parsed> list;
    while (pos < text.size() && text.at(pos) != QLatin1Char(']')) {
        Parsed p;
        const int colon = text.indexOf(QLatin1Char(':'), pos);
        p.caption = text.mid(pos, colon - pos);
        pos = colon + 1;
        int end = pos;
        while (end < text.size() && text.at(end).isDigit())
            ++end;
        p.group = text.mid(pos, end - pos).toInt();
        pos = end;
        if (pos < text.size() && text.at(pos) == QLatin1Char('[')) {
            ++pos;
            p.items = parse(text, pos);
            ++pos; // ']'
        }
        list << p;
        if (pos < text.size() && text.at(pos) == QLatin1Char(','))
            ++pos;
    }
    return list;
}

QList<Parsed> parse(const QString &text)
{
    int pos = 0;
    return parse(text, pos);
}

void fillTarget(QWidget *target, const QList<Parsed> &items)
{
    for (const Parsed &p : items) {
        QAction *action = nullptr;
        if (p.caption == QLatin1String("-")) {
            action = new QAction(target);
            action->setSeparator(true);
        } else if (!p.items.isEmpty()) {
            auto *menu = new QMenu(p.caption, target);
            fillTarget(menu, p.items);
            action = menu->menuAction();
        } else {
            action = new QAction(p.caption, target);
        }
        AddOnMenuMerge::setGroupIndex(action, p.group);
        target->addAction(action);
    }
}

void fillModule(std::vector<std::unique_ptr<AddOnMenuItem>> &items, const QList<Parsed> &parsed)
{
    for (const Parsed &p : parsed) {
        auto item = std::make_unique<AddOnMenuItem>();
        item->caption = p.caption;
        item->groupIndex = p.group;
        fillModule(item->items, p.items);
        items.push_back(std::move(item));
    }
}

QString render(const QWidget *menu)
{
    QStringList parts;
    for (const QAction *action : menu->actions()) {
        QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (action->menu())
            text += QLatin1Char('[') + render(action->menu()) + QLatin1Char(']');
        parts << text;
    }
    return parts.join(QLatin1Char(','));
}

QAction *entry(QWidget *menu, const QString &caption)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

QStringList readLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestAddOns : public QObject
{
    Q_OBJECT

    QString m_log;
    QTemporaryDir m_logDir;

private slots:
    void initTestCase()
    {
        m_log = m_logDir.filePath(QStringLiteral("addon.log"));
        qputenv("TESSARO_ADDON_LOG", m_log.toLocal8Bit());
    }
    void init() { QFile::remove(m_log); }

    void merge_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty module") << "A:0,B:1" << "" << "A,B";
        QTest::newRow("empty target") << "" << "X:3,Y:1" << "X,Y";
        QTest::newRow("greater than all: appended") << "A:0,B:1" << "C:5" << "A,B,C";
        QTest::newRow("smaller group: before") << "A:0,C:5" << "B:2" << "A,B,C";
        QTest::newRow("same group, other caption: after") << "A:0,B:1,C:2" << "X:1" << "A,B,X,C";
        QTest::newRow("module order kept") << "A:0,B:1,C:2" << "X:1,Y:1" << "A,B,X,Y,C";
        QTest::newRow("same group and caption: merged")
            << "A:0,L:2[I:0,E:0],H:9" << "L:2[-:1,S:1]" << "A,L[I,E,-,S],H";
        QTest::newRow("same caption, other group: not merged")
            << "A:0,L:2[I:0],H:9" << "L:3[S:0]" << "A,L[I],L[S],H";
        QTest::newRow("merged two levels deep")
            << "L:2[I:0[D:0],E:0]" << "L:2[I:0[X:1]]" << "L[I[D,X],E]";
        QTest::newRow("main menu Listari")
            << "&Sistem:0[Intrari:0],Setari:1[Parametri aplicatiei:0],Listari:2[&Intrari:0[&Documente:0],I&esiri:0[&Documente:0]],Ajutor:9[Actualizare online:0]"
            << "Listari:2[-:1,Situatie speciala:1],Module:5[Despre modul:0]"
            << "&Sistem[Intrari],Setari[Parametri aplicatiei],Listari[&Intrari[&Documente],I&esiri[&Documente],-,Situatie speciala],Module[Despre modul],Ajutor[Actualizare online]";
        // The main menu's Alt letters do not keep a module's entries apart from its own.
        QTest::newRow("captions matched without their Alt letters")
            << "&Sistem:0[Intrari:0],S&etari:1[Parametri aplicatiei:0],&Listari:2[&Intrari:0],&Ferestre:8[&Cascada:0],&Ajutor:9[Actualizare online:0]"
            << "Setari:1[Import:1],Listari:2[-:1,Situatie speciala:1],Module:5[Despre modul:0],Ferestre:8[Lista:1],&Ajutor:9[Despre:1]"
            << "&Sistem[Intrari],S&etari[Parametri aplicatiei,Import],&Listari[&Intrari,-,Situatie speciala],Module[Despre modul],&Ferestre[&Cascada,Lista],&Ajutor[Actualizare online,Despre]";
        QTest::newRow("a doubled ampersand is a real one")
            << "A&&B:1[X:0]" << "A&&B:1[Z:1],A&B:1[Y:1]" << "A&&B[X,Z],A&B[Y]";
    }
    void merge()
    {
        QFETCH(QString, target);
        QFETCH(QString, module);
        QFETCH(QString, result);
        QMenuBar bar;
        fillTarget(&bar, parse(target));
        AddOnMenu menu;
        fillModule(menu.items, parse(module));
        const int before = int(bar.findChildren<QAction *>().size());
        AddOnMenuMerge::merge(menu, &bar);
        QCOMPARE(render(&bar), result);

        // Every new entry is a copy named "_AddOn_Menu" + a running number, each name once.
        const QList<QAction *> after = bar.findChildren<QAction *>();
        QSet<QString> names;
        for (const QAction *action : after) {
            if (action->objectName().startsWith(QLatin1String("_AddOn_Menu")))
                names.insert(action->objectName());
        }
        QCOMPARE(int(names.size()), int(after.size()) - before);
    }

    // The sample module through the real start-up hook of the main window: loaded, its
    // "Listari" entries inside the existing submenu, told the data directory, its entry
    // clickable; unloaded with ClearAddOnDLL, after which its copied entries call nothing.
    void sampleModuleWholePath()
    {
        TestEnv env;
        ScriptedMessages messages;
        AddOnHost host(messages);
        const QStringList paths{QStringLiteral(TESSARO_ADDON_SAMPLE), QStringLiteral(TESSARO_ADDON_DTL)};
        StartupServices services;
        services.openLastDatabase = [&](QWidget *) { return env.dataDir(); };
        services.loadAddOns = [&](QMenuBar *bar, const QString &dir) {
            AddOnMenuMerge::load(host, paths, bar, dir);
        };
        services.addOnsChangeDirectory = [&](const QString &dir) { host.setDataDirectory(dir); };
        TMainForm form(env.workstation(), messages, std::move(services), env.path(QStringLiteral("program")));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));

        QCOMPARE(host.count(), 2);
        QCOMPARE(host.module(0).name(), QStringLiteral("Rapoarte speciale"));
        QCOMPARE(host.module(0).family(), AddOnModule::Family::Qdr);
        QCOMPARE(host.module(1).name(), QStringLiteral("AddOn 0"));
        QCOMPARE(host.module(1).family(), AddOnModule::Family::Dtl);

        QMenuBar *bar = form.menuBar();
        QStringList top;
        for (const QAction *action : bar->actions())
            top << action->text();
        QCOMPARE(top, (QStringList{"&Sistem", "S&etari", "&Listari", "Module", "&Ferestre", "&Ajutor"}));
        QMenu *listari = entry(bar, QStringLiteral("&Listari"))->menu();
        QCOMPARE(listari->objectName(), QStringLiteral("ListariMenu"));
        QAction *special = listari->actions().last();
        QCOMPARE(special->text(), QStringLiteral("Situatie speciala"));
        QVERIFY(special->objectName().startsWith(QLatin1String("_AddOn_Menu")));
        QCOMPARE(special->statusTip(), QStringLiteral("Situatie livrata de modul"));
        QCOMPARE(special->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QVERIFY(listari->actions().at(listari->actions().size() - 2)->isSeparator());
        QVERIFY(!entry(entry(bar, QStringLiteral("Module"))->menu(), QStringLiteral("Despre modul"))->isEnabled());

        const QString dir = form.dataDirectory();
        QCOMPARE(readLog(m_log), (QStringList{
            "Init:Tessaro",
            "Dtl:SOFTWARE\\Brindell\\Tessaro\\AddOns\\SpecRap\\",
            "Init:Tessaro",
            "MainForm:Evidenta mijloacelor fixe - " + dir,
            "MainForm:Evidenta mijloacelor fixe - " + dir,
            "ChangeDB:" + dir,
            "ChangeDB:" + dir}));

        QFile::remove(m_log);
        special->trigger();
        host.setDataDirectory(env.path(QStringLiteral("other/")));
        host.unloadAll();
        special->trigger();
        QCOMPARE(readLog(m_log), (QStringList{
            "Click:Situatie speciala",
            "Caption:Evidenta mijloacelor fixe - " + dir,
            "ChangeDB:" + env.path(QStringLiteral("other/")),
            "ChangeDB:" + env.path(QStringLiteral("other/")),
            "Clear",
            "Clear"}));
        QCOMPARE(host.count(), 0);
    }

    // A refused module is reported once with its path; loading goes on with the next.
    void refusedModules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("without ClearAddOnDLL") << QStringLiteral(TESSARO_ADDON_NOCLEAR);
        QTest::newRow("missing file") << QStringLiteral("/nonexistent/libmodul.so");
        QTest::newRow("empty path") << QString();
        QTest::newRow("not a library") << QStringLiteral(TESSARO_SOURCE_DIR "/tests/addon_sample/CMakeLists.txt");
    }
    void refusedModules()
    {
        QFETCH(QString, path);
        ScriptedMessages messages;
        AddOnHost host(messages);
        host.load({path, QStringLiteral(TESSARO_ADDON_SAMPLE)});
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Error),
                 QStringList{QStringLiteral("Nu pot încarca modulul \"%1\" !").arg(path)});
        QCOMPARE(host.count(), 1);
        QCOMPARE(host.module(0).path(), QStringLiteral(TESSARO_ADDON_SAMPLE));
        // The refused module was never initialised nor cleared.
        host.unloadAll();
        QCOMPARE(readLog(m_log), (QStringList{"Init:Tessaro", "Clear"}));
    }

    void moduleListFromSettings()
    {
        TestEnv env;
        const QString file = env.path(QStringLiteral("Tessaro.conf"));
        {
            QSettings settings(file, QSettings::IniFormat);
            QVERIFY(AddOnHost::moduleList(settings).isEmpty());
            settings.setValue(QStringLiteral("Other/x"), QStringLiteral("/not/a/module"));
            settings.setValue(QStringLiteral("AddOns/Rapoarte"), QStringLiteral("/opt/a.so"));
            settings.setValue(QStringLiteral("AddOns/Bilant"), QStringLiteral("/opt/b.so"));
        }
        QSettings settings(file, QSettings::IniFormat);
        QCOMPARE(AddOnHost::moduleList(settings), (QStringList{"/opt/b.so", "/opt/a.so"}));

        // No list: no module, no message, the menu as it was.
        ScriptedMessages messages;
        AddOnHost host(messages);
        QMenuBar bar;
        fillTarget(&bar, parse(QStringLiteral("A:0,B:1")));
        AddOnMenuMerge::load(host, {}, &bar, env.dataDir());
        QCOMPARE(host.count(), 0);
        QVERIFY(messages.isEmpty());
        QCOMPARE(render(&bar), QStringLiteral("A,B"));
    }

    // An entry-document window offered to the modules: the module reads the current
    // document through its handles and its menu lands in the window's menu.
    void documentWindowOffered()
    {
        ScriptedMessages messages;
        AddOnHost host(messages);
        host.load({QStringLiteral(TESSARO_ADDON_SAMPLE), QStringLiteral(TESSARO_ADDON_DTL)});

        QWidget window;
        window.setWindowTitle(QStringLiteral("Intrari"));
        QMenuBar menu(&window);
        QStandardItemModel documents(0, 2);
        documents.setHorizontalHeaderLabels({QStringLiteral("Contor"), QStringLiteral("Nr_doc")});
        documents.appendRow({new QStandardItem(QStringLiteral("1")), new QStandardItem(QStringLiteral("F-12"))});
        documents.appendRow({new QStandardItem(QStringLiteral("2")), new QStandardItem(QStringLiteral("F-13"))});
        QItemSelectionModel selection(&documents);
        selection.setCurrentIndex(documents.index(1, 0), QItemSelectionModel::NoUpdate);
        QStandardItemModel lines(3, 1);

        QFile::remove(m_log);
        AddOnMenuMerge::offerDocInForm(host, &window, &menu, {&documents, &selection}, {&lines, nullptr});
        QCOMPARE(render(&menu), QStringLiteral("Tiparire speciala"));
        QCOMPARE(readLog(m_log), (QStringList{"DocIn:Intrari", "DocNumber:F-13", "Lines:3"}));

        // No module has an exit-document entry point: nothing is offered.
        QMenuBar outMenu(&window);
        AddOnMenuMerge::offerDocOutForm(host, &window, &outMenu, {&documents, &selection}, {&lines, nullptr});
        QVERIFY(outMenu.actions().isEmpty());
    }
};

TESSARO_TEST_MAIN(TestAddOns)
#include "tst_addons.moc"
