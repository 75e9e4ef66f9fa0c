#include "TestEnv.h"

#include "app/ScriptedMessages.h"
#include "db/DailyBackup.h"
#include "db/DataDirectoryError.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"

#include <QSqlQuery>
#include <QStandardPaths>

static void makeDatabase(const TestEnv &env)
{
    ScriptedMessages messages;
    TDatabaseValidator valid;
    valid.setWorkstation(env.workstation());
    valid.setTables(TVTables::all());
    DataDirectoryOpener opener(valid, messages, env.workstation().iniPath());
    opener.installSilentHandlers();
    opener.setRemember(false);
    QVERIFY(opener.open(env.dataDir(), QString()));
}

static void addUnit(const TestEnv &env, const QString &code)
{
    Database db(env.dataDir(), env.workstation(), QStringLiteral("fill"));
    db.open();
    db.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES (:cod, 'Magazie')"),
           {{QStringLiteral(":cod"), code}});
}

// The management units found in a copied database, opened on its own.
static QStringList unitsIn(const QString &file)
{
    QStringList codes;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT \"Cod\" FROM \"Gest\" ORDER BY \"Cod\""), db);
            while (q.next())
                codes << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
    return codes;
}

static void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takenOncePerDayAndRestorable()
    {
        TestEnv env;
        makeDatabase(env);
        addUnit(env, QStringLiteral("G1"));
        writeFile(env.dataDir() + QStringLiteral("PVLDEF.INI"), "[Default]\nEpsilon=0.001\n");
        const QDate day(2024, 3, 1);
        const DailyBackup backup(env.dataDir());
        const QString folder = env.dataDir() + QStringLiteral("SalvariBrindell/20240301/");
        QCOMPARE(backup.copyFolder(day), folder);

        {
            // Taken while the program holds the database open, from its connection.
            Database db(env.dataDir(), env.workstation());
            db.open();
            QVERIFY(backup.run(day, db.connection()));
        }
        QCOMPARE(unitsIn(folder + Database::fileName()), QStringList{"G1"});
        QFile ini(folder + QStringLiteral("PVLDEF.INI"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("[Default]\nEpsilon=0.001\n"));
        QVERIFY(!QFileInfo::exists(env.dataDir() + QStringLiteral("SalvariBrindell/20240301.partial")));

        // Later the same day nothing is copied; the next day a new copy is made.
        addUnit(env, QStringLiteral("G2"));
        QVERIFY(!backup.run(day));
        QCOMPARE(unitsIn(folder + Database::fileName()), QStringList{"G1"});
        QVERIFY(backup.run(day.addDays(1)));
        QCOMPARE(unitsIn(env.dataDir() + QStringLiteral("SalvariBrindell/20240302/") + Database::fileName()),
                 (QStringList{"G1", "G2"}));
    }

    void switchedByProgramIni_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("taken");
        QTest::newRow("no INI file") << QByteArray() << true;
        QTest::newRow("on") << QByteArray("[Options]\nBackup BD zilnic=1\n") << true;
        QTest::newRow("off") << QByteArray("[Options]\nBackup BD zilnic=0\n") << false;
        QTest::newRow("not a number") << QByteArray("[options]\nbackup bd zilnic=nu\n") << true;
    }

    void switchedByProgramIni()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, taken);
        TestEnv env;
        makeDatabase(env);
        if (!ini.isEmpty())
            writeFile(env.workstation().iniPath(), ini);
        ScriptedMessages messages;
        TDatabaseValidator valid;
        valid.setWorkstation(env.workstation());
        valid.setTables(TVTables::all());
        DataDirectoryOpener opener(valid, messages, env.workstation().iniPath());
        opener.setToday(QDate(2024, 3, 1));

        QVERIFY(opener.open(env.dataDir(), QString()));
        QCOMPARE(QFileInfo::exists(env.dataDir() + QStringLiteral("SalvariBrindell/20240301/")
                                   + Database::fileName()),
                 taken);
    }

    void failureStopsTheOpening()
    {
        TestEnv env;
        makeDatabase(env);
        // A file where the copy folder should go: the folder cannot be made.
        writeFile(env.dataDir() + QStringLiteral("SalvariBrindell"), "in the way");
        DataDirectoryOpener::setLastDatabaseDir(QStringLiteral("/previous/"));
        ScriptedMessages messages;
        TDatabaseValidator valid;
        valid.setWorkstation(env.workstation());
        valid.setTables(TVTables::all());
        DataDirectoryOpener opener(valid, messages, env.workstation().iniPath());
        opener.setToday(QDate(2024, 3, 1));

        QVERIFY(!opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")));
        const QString expected = QStringLiteral("Nu pot salva baza de date in directorul %1SalvariBrindell/20240301/")
                                     .arg(env.dataDir());
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().first().startsWith(expected), qPrintable(messages.texts().first()));
        QCOMPARE(DataDirectoryOpener::lastDatabaseDir(), QStringLiteral("/previous/"));
    }

    void unwritableDirectoryCopiedElsewhere()
    {
        TestEnv env;
        makeDatabase(env);
        QFile::setPermissions(env.dataDir(), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(env.dataDir()).isWritable()) {
            QFile::setPermissions(env.dataDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write everywhere");
        }
        const DailyBackup backup(env.dataDir());
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/Tessaro/SalvariBrindell/20240301") + env.dataDir();
        QCOMPARE(backup.copyFolder(QDate(2024, 3, 1)), folder);
        QVERIFY(backup.run(QDate(2024, 3, 1)));
        QFile::setPermissions(env.dataDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(unitsIn(folder + Database::fileName()), QStringList());
        QVERIFY(QFileInfo::exists(folder + Database::fileName()));
    }
};

TESSARO_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
