#include "TestEnv.h"

#include "app/ApplicationErrors.h"
#include "app/BackgroundTiling.h"
#include "app/GridLayout.h"
#include "app/IniFile.h"
#include "app/IniOptions.h"
#include "app/PrivateDirectory.h"
#include "app/ProgramVersion.h"
#include "app/ScriptedMessages.h"
#include "app/SingleInstance.h"
#include "app/forms/GridLayoutHeader.h"
#include "db/DbError.h"

#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>

#include <stdexcept>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Throws from its event handler, as a form's handler does when a save fails.
class Thrower : public QObject
{
public:
    std::function<void()> raise;
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            raise();
        return QObject::event(e);
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void iniOptions_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("intervalMs");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QString>("image");
        QTest::newRow("no file") << QByteArray() << 30000 << true << QString();
        QTest::newRow("refresh 5") << QByteArray("[Options]\nRefresh=5\n") << 5000 << true << QString();
        QTest::newRow("case and spaces")
            << QByteArray("[OPTIONS]\n refresh = 7 \ncheck for new version=0\nImageBackground=/p/a b.png\n")
            << 7000 << false << QStringLiteral("/p/a b.png");
        QTest::newRow("other section only") << QByteArray("[PrinterSettings]\nRefresh=5\n") << 30000 << true << QString();
        QTest::newRow("not a number") << QByteArray("[Options]\nRefresh=abc\nCheck for new version=x\n")
                                      << 30000 << true << QString();
        QTest::newRow("zero switches off") << QByteArray("[Options]\nRefresh=0\n") << 0 << true << QString();
        QTest::newRow("negative switches off") << QByteArray("[Options]\nRefresh=-3\n") << 0 << true << QString();
        QTest::newRow("as QSettings rewrites it")
            << QByteArray("[Options]\nCheck%20for%20new%20version=0\nImageBackground=\"/p/a,b.png\"\n")
            << 30000 << false << QStringLiteral("/p/a,b.png");
        QTest::newRow("any non-zero is on") << QByteArray("[Options]\nCheck for new version=2\n") << 30000 << true << QString();
    }

    void iniOptions()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, intervalMs);
        QFETCH(bool, check);
        QFETCH(QString, image);
        TestEnv env;
        const QString path = env.workstation().iniPath();
        if (!ini.isNull())
            writeFile(path, ini);
        const IniOptions options = IniOptions::read(IniFile(path));
        QCOMPARE(options.refreshIntervalMs(), intervalMs);
        QCOMPARE(options.checkForNewVersion, check);
        QCOMPARE(options.imageBackground, image);
    }

    void exitKeysKeepTheRestOfTheFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray() << QByteArray("[Options]\nToolbar=0\nGermana=0\n");
        QTest::newRow("keys updated in place")
            << QByteArray("[options]\r\nTOOLBAR=1\r\n; note\r\nCheck for new version=1\r\n")
            << QByteArray("[options]\nTOOLBAR=0\n; note\nCheck for new version=1\nGermana=0\n");
        QTest::newRow("section added after others")
            << QByteArray("[PrinterSettings]\nFont Name=Arial\n")
            << QByteArray("[PrinterSettings]\nFont Name=Arial\n\n[Options]\nToolbar=0\nGermana=0\n");
    }

    void exitKeysKeepTheRestOfTheFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TestEnv env;
        const QString path = env.workstation().iniPath();
        if (!before.isNull())
            writeFile(path, before);
        IniFile ini(path);
        // Written by another part of the program after the main window read the file.
        if (!before.isNull())
            writeFile(path, before);
        QVERIFY(IniOptions::writeAtExit(ini));
        QCOMPARE(readFile(path), after);
    }

    void backgroundTiling_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("count");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("100x80 in 950x500") << QSize(100, 80) << QSize(950, 500) << QSize(10, 7) << QPoint(900, 480);
        QTest::newRow("exact fit adds a row and column") << QSize(100, 100) << QSize(200, 100) << QSize(3, 2) << QPoint(200, 100);
        QTest::newRow("larger than area") << QSize(800, 600) << QSize(640, 480) << QSize(1, 1) << QPoint(0, 0);
        QTest::newRow("no picture") << QSize(0, 80) << QSize(950, 500) << QSize(0, 0) << QPoint();
    }

    void backgroundTiling()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, area);
        QFETCH(QSize, count);
        QFETCH(QPoint, last);
        QCOMPARE(BackgroundTiling::tileCount(picture, area), count);
        const QList<QPoint> tiles = BackgroundTiling::tilePositions(picture, area);
        QCOMPARE(tiles.size(), count.width() * count.height());
        if (!tiles.isEmpty()) {
            QCOMPARE(tiles.first(), QPoint(0, 0));
            QCOMPARE(tiles.last(), last);
        }
    }

    void layoutFilesMoveOnlyOnFirstStart()
    {
        TestEnv env;
        const QString program = env.path(QStringLiteral("program/"));
        QVERIFY(QDir().mkpath(program));
        writeFile(program + QStringLiteral("pavlon.cfg"), "pavlon");
        writeFile(program + QStringLiteral("stocksPret.cfg"), "pret");
        writeFile(program + QStringLiteral("DocProf.cfg"), "not moved"); // not in the list
        const PrivateDirectory priv(env.home() + QStringLiteral("deep/er/PVL_PRIV"));

        QVERIFY(priv.prepare(program));
        QCOMPARE(readFile(priv.path() + QStringLiteral("pavlon.cfg")), QByteArray("pavlon"));
        QCOMPARE(readFile(priv.path() + QStringLiteral("stocksPret.cfg")), QByteArray("pret"));
        QVERIFY(!QFile::exists(program + QStringLiteral("pavlon.cfg")));
        QVERIFY(QFile::exists(program + QStringLiteral("DocProf.cfg")));
        QVERIFY(!QFile::exists(priv.path() + QStringLiteral("DocProf.cfg")));

        // A later start leaves the program directory alone.
        writeFile(program + QStringLiteral("catlook.cfg"), "catlook");
        QVERIFY(priv.prepare(program));
        QVERIFY(QFile::exists(program + QStringLiteral("catlook.cfg")));
        QVERIFY(!QFile::exists(priv.path() + QStringLiteral("catlook.cfg")));
    }

    void resetDeletesOnlyTheListedFiles()
    {
        TestEnv env;
        const PrivateDirectory priv(env.workstation().privateDirectory());
        QVERIFY(priv.prepare(QString()));
        const QStringList listed = PrivateDirectory::deletedOnReset();
        for (const QString &name : listed + QStringList{"mine.cfg", "ANSW_ST.sqlite", "PAVLON.CFG.bak"})
            writeFile(priv.path() + name, "x");
        ScriptedMessages messages;
        priv.resetLayouts(messages);
        for (const QString &name : listed)
            QVERIFY2(!QFile::exists(priv.path() + name), qPrintable(name));
        QCOMPARE(QDir(priv.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"ANSW_ST.sqlite", "PAVLON.CFG.bak", "mine.cfg"}));
        QCOMPARE(messages.texts(),
                 QStringList{"S-a setat configuratia implicita pentru tabelele din dialoguri"});
        // Nothing left to delete: the message still confirms the default layouts.
        messages.clear();
        priv.resetLayouts(messages);
        QCOMPARE(messages.texts().size(), 1);
    }

    void gridLayoutRoundTrip()
    {
        TestEnv env;
        QStandardItemModel model(3, 4);
        QTableView saved;
        saved.setModel(&model);
        QHeaderView *header = saved.horizontalHeader();
        header->resizeSection(0, 140);
        header->resizeSection(3, 55);
        header->moveSection(3, 0);
        header->setSectionHidden(1, true);
        const QString path = PrivateDirectory(env.home()).layoutFile(QStringLiteral("stocks"));
        QCOMPARE(path, env.home() + QStringLiteral("stocks.cfg"));
        QVERIFY(GridLayoutHeader::save(header, path));

        QTableView restored;
        restored.setModel(&model);
        QVERIFY(GridLayoutHeader::restore(restored.horizontalHeader(), path));
        QCOMPARE(GridLayoutHeader::capture(restored.horizontalHeader()), GridLayoutHeader::capture(header));
        QCOMPARE(restored.horizontalHeader()->logicalIndex(0), 3);
        QCOMPARE(restored.horizontalHeader()->sectionSize(0), 140);
    }

    void badGridLayoutKeepsTheDesign_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not json") << QByteArray("\x01\x02garbage");
        QTest::newRow("other column count")
            << QByteArray(R"({"columns":[{"visual":0,"width":50,"hidden":false}]})");
        QTest::newRow("positions repeat")
            << QByteArray(R"({"columns":[{"visual":0,"width":50,"hidden":false},{"visual":0,"width":50,"hidden":false}]})");
        QTest::newRow("negative width")
            << QByteArray(R"({"columns":[{"visual":1,"width":-5,"hidden":false},{"visual":0,"width":50,"hidden":false}]})");
    }

    void badGridLayoutKeepsTheDesign()
    {
        QFETCH(QByteArray, content);
        TestEnv env;
        const QString path = env.home() + QStringLiteral("docout.cfg");
        if (!content.isEmpty())
            writeFile(path, content);
        QStandardItemModel model(1, 2);
        QTableView view;
        view.setModel(&model);
        const GridLayout design = GridLayoutHeader::capture(view.horizontalHeader());
        QVERIFY(!GridLayoutHeader::restore(view.horizontalHeader(), path));
        QCOMPARE(GridLayoutHeader::capture(view.horizontalHeader()), design);
    }

    void secondInstanceAsksTheFirst()
    {
        TestEnv env;
        const QString name = SingleInstance::serverNameFor(env.home());
        SingleInstance first(name);
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        QVERIFY(first.start());
        QVERIFY(first.isPrimary());

        SingleInstance second(name);
        QVERIFY(!second.start());
        QVERIFY(!second.isPrimary());
        QTRY_COMPARE(shown.size(), 1);

        // Another workstation directory is another copy.
        SingleInstance elsewhere(SingleInstance::serverNameFor(env.dataDir()));
        QVERIFY(elsewhere.start());
    }

    void realSecondCopyExitsAndRaisesTheFirst()
    {
        TestEnv env; // the program's TESSARO_HOME
        SingleInstance first(SingleInstance::serverNameFor(env.home()));
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        QVERIFY(first.start());
        // Had it opened its window, the program would still be running at the timeout.
        const auto run = tessaro_test::runProgram(QStringLiteral(TESSARO_BINARY), {}, 20000);
        QCOMPARE(run.exitCode, 0);
        QTRY_COMPARE(shown.size(), 1);
        QVERIFY(!QFile::exists(env.workstation().iniPath()));
    }

    void exceptionsReachingTheLoop_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("shownKind");
        QTest::addColumn<QString>("text");
        QTest::newRow("duplicate key") << 0 << int(ScriptedMessages::Kind::Warning)
                                       << ApplicationErrors::duplicateKeyText();
        QTest::newRow("other database error") << 1 << int(ScriptedMessages::Kind::Error)
                                              << QStringLiteral("Eroare de acces la baza de date!\n<disk I/O error>");
        QTest::newRow("other exception") << 2 << int(ScriptedMessages::Kind::Error)
                                         << QStringLiteral("Fisier lipsa");
        QTest::newRow("not an std::exception") << 3 << int(ScriptedMessages::Kind::Error)
                                               << QStringLiteral("Eroare neprevazuta.");
    }

    void exceptionsReachingTheLoop()
    {
        QFETCH(int, kind);
        QFETCH(int, shownKind);
        QFETCH(QString, text);
        Thrower thrower;
        thrower.raise = [kind] {
            switch (kind) {
            case 0: throw DbError(QStringLiteral("UNIQUE constraint failed: Gest.Cod"), true);
            case 1: throw DbError(QStringLiteral("disk I/O error"), false);
            case 2: throw std::runtime_error("Fisier lipsa");
            default: throw 42;
            }
        };
        ScriptedMessages messages;
        QEvent event(QEvent::User);
        const bool handled = ApplicationErrors::guard(
            [&] { return QCoreApplication::sendEvent(&thrower, &event); }, messages);
        QVERIFY(!handled);
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(int(messages.shown().first().kind), shownKind);
        QCOMPARE(messages.shown().first().text, text);
    }

    void programVersion_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("version");
        QTest::newRow("four parts") << "1.2.3.4" << "1.2.3.4";
        QTest::newRow("three parts") << "0.1.0" << "0.1.0.0";
        QTest::newRow("none") << "" << "0.0.0.0";
        QTest::newRow("garbage") << "1.x" << "0.0.0.0";
        QTest::newRow("too many") << "1.2.3.4.5" << "0.0.0.0";
    }

    void programVersion()
    {
        QFETCH(QString, raw);
        QFETCH(QString, version);
        QCOMPARE(ProgramVersion::normalized(raw), version);
    }
};

TESSARO_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
