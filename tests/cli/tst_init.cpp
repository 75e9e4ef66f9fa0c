#include "TestEnv.h"

#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/SchemaReader.h"

using tessaro_test::runProgram;

class TestInit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newAndExistingDirectory()
    {
        TestEnv env;
        const QString dir = env.dataDir() + QStringLiteral("nou/");
        const auto first = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("init"), dir});
        QCOMPARE(first.exitCode, 0);
        QVERIFY2(first.out.contains(QStringLiteral("este valida")), qPrintable(first.out + first.err));

        {
            Database db(dir, env.workstation(), QStringLiteral("change"));
            db.open();
            QCOMPARE(SchemaReader(db).tableNames(QStringLiteral("main")).size(), 47);
            db.run(QStringLiteral("DROP TABLE \"Gest\""));
            db.run(QStringLiteral("ALTER TABLE \"Firmdata\" DROP COLUMN \"Capital_text\""));
            db.run(QStringLiteral("INSERT INTO \"Valuta\" VALUES ('EUR', 'Euro')"));
        }
        // On an existing directory: what is missing is made again without a question.
        const auto second = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("init"), dir});
        QCOMPARE(second.exitCode, 0);
        Database db(dir, env.workstation(), QStringLiteral("check"));
        db.open();
        QCOMPARE(SchemaReader(db).tableNames(QStringLiteral("main")).size(), 47);
        QVERIFY(SchemaReader(db).read(QStringLiteral("Firmdata"), QStringLiteral("main"))->field(QStringLiteral("Capital_text")));
        QSqlQuery q = db.run(QStringLiteral("SELECT \"Denumire\" FROM \"Valuta\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Euro"));
    }

    // Only --remember makes the directory the one the windowed program opens next.
    void remember()
    {
        TestEnv env;
        DataDirectoryOpener::setLastDatabaseDir(QStringLiteral("/before/"));
        const QString dir = env.dataDir() + QStringLiteral("demo/");
        auto r = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("init"), dir});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(DataDirectoryOpener::lastDatabaseDir(), QStringLiteral("/before/"));
        r = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("init"), QStringLiteral("--remember"), dir});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(DataDirectoryOpener::lastDatabaseDir().startsWith(QDir::cleanPath(dir)),
                 qPrintable(DataDirectoryOpener::lastDatabaseDir()));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("unwritable path") << QStringList{"init", "/proc/tessaro-nu-exista/date"} << 1
                                         << "Nu pot crea directorul /proc/tessaro-nu-exista/date/";
        QTest::newRow("older program's tables") << QStringList{"init", "@old"} << 1
                                                << "contine tabele ale unei versiuni mai vechi";
        QTest::newRow("no directory") << QStringList{"init"} << 2 << "Utilizare: tessaro init [--remember] DIR";
    }

    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        if (args.value(1) == QLatin1String("@old")) {
            args[1] = env.dataDir();
            QFile f(env.dataDir() + QStringLiteral("CATALOG.DB"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("paradox");
        }
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        if (args.value(1) == env.dataDir())
            QCOMPARE(QDir(env.dataDir()).entryList(QDir::Files), QStringList{"CATALOG.DB"});
    }
};

TESSARO_TEST_MAIN(TestInit)
#include "tst_init.moc"
