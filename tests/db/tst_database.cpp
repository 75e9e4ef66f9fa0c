#include "TestEnv.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"
#include "db/VersionStore.h"

#include <QSqlQuery>

#include <stdexcept>

static QVariant scalar(const Database &db, const QString &sql)
{
    QSqlQuery q = db.run(sql);
    return q.next() ? q.value(0) : QVariant();
}

class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensAsConfigured()
    {
        TestEnv env;
        {
            Database db(env.dataDir(), env.workstation());
            db.open();
            QCOMPARE(db.connection().connectionName(), QStringLiteral("TARVEN"));
            QCOMPARE(scalar(db, "PRAGMA busy_timeout").toInt(), 5000);
            QCOMPARE(scalar(db, "PRAGMA journal_mode").toString(), QStringLiteral("delete"));
            QCOMPARE(scalar(db, "PRAGMA foreign_keys").toInt(), 0);
            QCOMPARE(scalar(db, "SELECT count(*) FROM pragma_database_list WHERE name = 'PVL_PRIV'").toInt(), 1);
            QVERIFY(QFileInfo::exists(env.dataDir() + "tessaro.sqlite"));
            QVERIFY(QFileInfo::exists(env.home() + "PVL_PRIV/PVL_PRIV.sqlite"));
        }
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("TARVEN")));
    }

    // The private file is scratch space written without syncing: a damaged one is started
    // anew instead of keeping the workstation from opening its data directory.
    void damagedPrivateFileIsReplaced_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("this is not a database at all, only text", 40).repeated(200);
        QTest::newRow("header only") << QByteArray("SQLite format 3\0", 16) + QByteArray(84, '\xff');
    }
    void damagedPrivateFileIsReplaced()
    {
        QFETCH(QByteArray, content);
        TestEnv env;
        {
            Database db(env.dataDir(), env.workstation());
            db.open();
            db.run(QStringLiteral("CREATE TABLE \"Client\" (\"Cod_client\" TEXT)"));
            db.run(QStringLiteral("INSERT INTO \"Client\" VALUES ('B1')"));
        }
        QFile file(env.home() + "PVL_PRIV/PVL_PRIV.sqlite");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();

        Database db(env.dataDir(), env.workstation());
        db.open();
        db.run(QStringLiteral("CREATE TABLE \"PVL_PRIV\".\"ANSW_X\" (a)"));
        db.run(QStringLiteral("INSERT INTO \"PVL_PRIV\".\"ANSW_X\" VALUES (1)"));
        QCOMPARE(scalar(db, "SELECT count(*) FROM \"PVL_PRIV\".\"ANSW_X\"").toInt(), 1);
        QCOMPARE(scalar(db, "SELECT \"Cod_client\" FROM \"Client\"").toString(), QStringLiteral("B1"));
        QCOMPARE(scalar(db, "PRAGMA \"PVL_PRIV\".synchronous").toInt(), 0);
    }

    void openFailureLeavesNothing()
    {
        TestEnv env;
        Database db(env.path("missing/"), env.workstation());
        QVERIFY_THROWS_EXCEPTION(DbError, db.open());
        QVERIFY(!db.isOpen());
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("TARVEN")));

        Database first(env.dataDir(), env.workstation(), QStringLiteral("same"));
        first.open();
        Database second(env.dataDir(), env.workstation(), QStringLiteral("same"));
        QVERIFY_THROWS_EXCEPTION(DbError, second.open());
        QVERIFY(first.isOpen());
    }

    void writeTransaction_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("commits") << "" << 2;
        QTest::newRow("key violation rolls back") << "duplicate" << 0;
        QTest::newRow("foreign exception rolls back") << "throw" << 0;
        QTest::newRow("nested failure rolls back all") << "nested" << 0;
    }

    void writeTransaction()
    {
        QFETCH(QString, failure);
        QFETCH(int, rowsAfter);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        SchemaWriter(db).createTable(*TVTables::find(QStringLiteral("Valuta")), "main");
        const auto insert = [&](const QString &code) {
            db.run(QStringLiteral("INSERT INTO \"Valuta\" (\"Moneda\") VALUES (:m)"), {{":m", code}});
        };
        bool caughtDb = false, caughtOther = false;
        try {
            db.writeTransaction([&] {
                insert("LEI");
                if (failure == "nested")
                    db.writeTransaction([&] { insert("LEI"); });
                insert(failure == "duplicate" ? "LEI" : "EUR");
                if (failure == "throw")
                    throw std::runtime_error("refuzat");
            });
        } catch (const DbError &e) {
            caughtDb = e.isKeyViolation();
        } catch (const std::runtime_error &) {
            caughtOther = true;
        }
        QCOMPARE(caughtDb, failure == "duplicate" || failure == "nested");
        QCOMPARE(caughtOther, failure == "throw");
        QVERIFY(!db.inTransaction());
        QCOMPARE(scalar(db, "SELECT count(*) FROM \"Valuta\"").toInt(), rowsAfter);
        // The connection is usable again after a rollback.
        QCOMPARE(db.writeTransaction([&] { insert("USD"); return 7; }), 7);
    }

    // The write lock is taken at the start, so a second writer waits and then fails
    // instead of both reading and then colliding.
    void writeLockTakenAtStart()
    {
        TestEnv env;
        Database a(env.dataDir(), env.workstation(), QStringLiteral("a"));
        Database b(env.dataDir(), env.workstation(), QStringLiteral("b"));
        a.open();
        b.open();
        SchemaWriter(a).createTable(*TVTables::find(QStringLiteral("Counter")), "main");
        b.run(QStringLiteral("PRAGMA busy_timeout = 100"));
        bool bRefused = false;
        a.writeTransaction([&] {
            try {
                b.writeTransaction([&] {
                    b.run(QStringLiteral("INSERT INTO \"Counter\" (\"NewCounterIn\") VALUES (1)"));
                });
            } catch (const DbError &) {
                bRefused = true;
            }
        });
        QVERIFY(bRefused);
        QVERIFY(!b.inTransaction());
        QCOMPARE(scalar(a, "SELECT count(*) FROM \"Counter\"").toInt(), 0);
    }

    void versionStore_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("updates");
        using O = VersionStore::Outcome;
        QTest::newRow("empty") << "" << "1.2.3.4" << int(O::Inserted) << "1.2.3.4" << 0;
        QTest::newRow("same") << "1.2.3.4" << "1.2.3.4" << int(O::Unchanged) << "1.2.3.4" << 0;
        QTest::newRow("older") << "1.0.0.9" << "1.2.3.4" << int(O::Updated) << "1.2.3.4" << 1;
        QTest::newRow("empty value") << "NULL" << "1.2.3.4" << int(O::Updated) << "1.2.3.4" << 1;
        QTest::newRow("cut to the field") << "" << "10.20.30.40" << int(O::Inserted) << "10.20.30.4" << 0;
    }

    void versionStore()
    {
        QFETCH(QString, stored);
        QFETCH(QString, version);
        QFETCH(int, outcome);
        QFETCH(QString, after);
        QFETCH(int, updates);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        SchemaWriter(db).createTable(*TVTables::find(QStringLiteral("Versiune")), "main");
        if (!stored.isEmpty())
            db.run(QStringLiteral("INSERT INTO \"Versiune\" VALUES (:v)"),
                   {{":v", stored == "NULL" ? QVariant() : QVariant(stored)}});
        // Counts the writes the store makes to an existing record.
        db.run(QStringLiteral("CREATE TABLE upd (n INTEGER)"));
        db.run(QStringLiteral("CREATE TRIGGER ver_upd AFTER UPDATE ON \"Versiune\" "
                              "BEGIN INSERT INTO upd VALUES (1); END"));

        VersionStore store(db);
        QCOMPARE(int(store.store(version)), outcome);
        QCOMPARE(store.read(), after);
        QCOMPARE(scalar(db, "SELECT count(*) FROM \"Versiune\"").toInt(), 1);
        QCOMPARE(scalar(db, "SELECT count(*) FROM upd").toInt(), updates);
        QCOMPARE(store.store(version), VersionStore::Outcome::Unchanged);
    }
};

TESSARO_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
