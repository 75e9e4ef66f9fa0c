#include "TestEnv.h"

#include "app/ScriptedMessages.h"
#include "db/DataDirectoryError.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/SchemaReader.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"
#include "db/forms/TDBValidMsgForm.h"

#include <QProgressBar>

using Kind = ScriptedMessages::Kind;

// One validator and opener over a test's directories, with the folder browser scripted:
// each call pops the next prepared answer (a directory, or empty for cancel).
struct Opening
{
    explicit Opening(const TestEnv &env)
        : opener(valid, messages, env.workstation().iniPath(),
                 {{}, {}, [this](QString &dir) {
                      browsedOn << dir;
                      if (choices.isEmpty() || choices.first().isEmpty()) {
                          if (!choices.isEmpty())
                              choices.removeFirst();
                          return false;
                      }
                      dir = choices.takeFirst();
                      return true;
                  }})
    {
        valid.setWorkstation(env.workstation());
        valid.setTables(TVTables::all());
        opener.installQuestionHandlers();
    }

    ScriptedMessages messages;
    TDatabaseValidator valid;
    QStringList browsedOn;
    QStringList choices;
    DataDirectoryOpener opener;
};

static void sql(const TestEnv &env, const QStringList &statements)
{
    Database db(env.dataDir(), env.workstation(), QStringLiteral("fixture"));
    db.open();
    for (const QString &s : statements)
        db.run(s);
}

static QStringList tables(const TestEnv &env, const QString &dir)
{
    Database db(dir, env.workstation(), QStringLiteral("reader"));
    db.open();
    return SchemaReader(db).tableNames(QStringLiteral("main"));
}

static void makeDatabase(const TestEnv &env)
{
    Opening o(env);
    o.opener.installSilentHandlers();
    o.opener.setRemember(false);
    QVERIFY(o.opener.open(env.dataDir(), QString()));
}

class TestValidation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { DataDirectoryOpener::setLastDatabaseDir(QString()); }

    void newDirectory_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("browseElsewhere");
        QTest::addColumn<bool>("opened");

        QTest::newRow("yes creates every table") << true << false << true;
        QTest::newRow("no, browser cancelled") << false << false << false;
        QTest::newRow("no, another folder chosen") << false << true << true;
    }

    void newDirectory()
    {
        QFETCH(bool, answer);
        QFETCH(bool, browseElsewhere);
        QFETCH(bool, opened);
        TestEnv env;
        const QString other = env.path(QStringLiteral("other/"));
        QDir().mkpath(other);
        Opening o(env);
        o.messages.answer(answer);
        o.choices << (browseElsewhere ? other : QString());

        QCOMPARE(o.opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")), opened);

        const QString question = QStringLiteral("Nu exista o baza de date valida in directorul %1!\n"
                                                "Doriti crearea uneia noi?");
        QCOMPARE(o.messages.texts(Kind::YesNo).value(0), question.arg(env.dataDir()));
        if (!answer)
            QCOMPARE(o.browsedOn, QStringList{env.dataDir()});
        const QString made = browseElsewhere ? other : env.dataDir();
        if (opened) {
            QCOMPARE(tables(env, made).size(), 47);
            QCOMPARE(o.valid.directory(), made);
            QCOMPARE(DataDirectoryOpener::lastDatabaseDir(), made);
            if (browseElsewhere) // the other folder is empty too: asked again, default Yes
                QCOMPARE(o.messages.texts(Kind::YesNo).value(1), question.arg(other));
        } else {
            QCOMPARE(o.messages.texts(Kind::Error),
                     QStringList{QStringLiteral("Nu pot valida baza de date!\n"
                                                "Nu exista o baza de date valida in directorul %1!")
                                     .arg(env.dataDir())});
            QVERIFY(DataDirectoryOpener::lastDatabaseDir().isEmpty());
        }
        // Looking at a directory never leaves an empty database behind.
        QCOMPARE(QFile::exists(env.dataDir() + Database::fileName()), !browseElsewhere && opened);
    }

    void existingDatabaseChosenInstead()
    {
        TestEnv env;
        const QString other = env.path(QStringLiteral("other/"));
        QDir().mkpath(other);
        {
            Opening maker(env);
            maker.opener.installSilentHandlers();
            QVERIFY(maker.opener.open(other, QString()));
        }
        Database db(other, env.workstation(), QStringLiteral("fill"));
        db.open();
        db.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Magazie')"));
        db.close();
        Opening o(env);
        o.messages.answer(false);
        o.choices << other;

        QVERIFY(o.opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")));
        QCOMPARE(o.valid.directory(), other);
        QCOMPARE(o.messages.texts(Kind::YesNo).size(), 1);
        QVERIFY(!QFile::exists(env.dataDir() + Database::fileName()));
        db.open();
        QSqlQuery q = db.run(QStringLiteral("SELECT \"Denumire\" FROM \"Gest\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Magazie"));
    }

    void oneTableMissing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no leaves it missing") << false;
    }

    void oneTableMissing()
    {
        QFETCH(bool, answer);
        TestEnv env;
        makeDatabase(env);
        sql(env, {QStringLiteral("DROP TABLE \"Gest\"")});
        Opening o(env);
        o.messages.answer(answer);

        QVERIFY(o.opener.open(env.dataDir(), QString()));
        QCOMPARE(o.messages.texts(),
                 QStringList{QStringLiteral("Tabela Gest.db nu exista! Doriti crearea uneia noi?")});
        QCOMPARE(tables(env, env.dataDir()).contains(QStringLiteral("Gest")), answer);
    }

    void badTable_data()
    {
        QTest::addColumn<QString>("create");
        QTest::addColumn<QString>("message");

        QTest::newRow("field in other letter case")
            << "CREATE TABLE \"Gest\" (\"cod\" VARCHAR(4), \"Denumire\" VARCHAR(30), PRIMARY KEY (\"cod\"))"
            << "Cîmp invalid (Cod) în tabela Gest.db!";
        QTest::newRow("field of other size")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), \"Denumire\" VARCHAR(20), PRIMARY KEY (\"Cod\"))"
            << "Cîmp invalid (Denumire) în tabela Gest.db!";
        QTest::newRow("field of other type")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), \"Denumire\" DOUBLE, PRIMARY KEY (\"Cod\"))"
            << "Cîmp invalid (Denumire) în tabela Gest.db!";
        QTest::newRow("required field")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), \"Denumire\" VARCHAR(30) NOT NULL, PRIMARY KEY (\"Cod\"))"
            << "Cîmp invalid (Denumire) în tabela Gest.db!";
        QTest::newRow("field missing")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), PRIMARY KEY (\"Cod\"))"
            << "Cîmp absent (Denumire) în tabela Gest.db!";
        QTest::newRow("primary key on other fields")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), \"Denumire\" VARCHAR(30), PRIMARY KEY (\"Denumire\"))"
            << "Index primar invalid pentru tabela Gest.db!";
        QTest::newRow("no primary key")
            << "CREATE TABLE \"Gest\" (\"Cod\" VARCHAR(4), \"Denumire\" VARCHAR(30))"
            << "Index primar invalid pentru tabela Gest.db!";
    }

    void badTable()
    {
        QFETCH(QString, create);
        QFETCH(QString, message);
        TestEnv env;
        makeDatabase(env);
        sql(env, {QStringLiteral("DROP TABLE \"Gest\""), create});
        DataDirectoryOpener::setLastDatabaseDir(QStringLiteral("/previous/"));
        Opening o(env);

        QVERIFY(!o.opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")));
        QCOMPARE(o.messages.texts(), QStringList{QStringLiteral("Nu pot valida baza de date!\n") + message});
        QCOMPARE(DataDirectoryOpener::lastDatabaseDir(), QStringLiteral("/previous/"));

        // A handler of OnBadTable may let the difference pass.
        Opening lenient(env);
        QStringList reported;
        lenient.valid.setOnBadTable([&](TDatabaseValidator *, const QString &text, bool &proceed) {
            reported << text;
            proceed = true;
        });
        lenient.valid.setCustomMessage(QStringLiteral("Contactati furnizorul."));
        QVERIFY(lenient.opener.open(env.dataDir(), QString()));
        QVERIFY(reported.contains(message + QStringLiteral("\n\nContactati furnizorul.")));
    }

    void secondaryIndex_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("recreate");
        QTest::addColumn<QString>("message");

        const QString otherFields = QStringLiteral("DROP INDEX \"Gest_ByName\"; "
                                                   "CREATE INDEX \"Gest_ByName\" ON \"Gest\" (\"Cod\")");
        const QString plain = QStringLiteral("DROP INDEX \"Gest_ByName\"; "
                                             "CREATE INDEX \"Gest_ByName\" ON \"Gest\" (\"Denumire\")");
        const QString missing = QStringLiteral("DROP INDEX \"Gest_ByName\"");
        QTest::newRow("other fields rebuilt") << otherFields << true << "";
        QTest::newRow("not case-insensitive rebuilt") << plain << true << "";
        QTest::newRow("missing added") << missing << true << "";
        QTest::newRow("other fields reported") << otherFields << false
            << "Indexul invalid ByName nu corespunde cîmpurilor Denumire pentru tabela Gest.db!";
        QTest::newRow("missing reported") << missing << false
            << "Index absent (ByName) pentru cîmpurile Denumire si tabela Gest.db!";
    }

    void secondaryIndex()
    {
        QFETCH(QString, change);
        QFETCH(bool, recreate);
        QFETCH(QString, message);
        TestEnv env;
        makeDatabase(env);
        sql(env, change.split(QStringLiteral("; ")));
        sql(env, {QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Magazie')")});
        Opening o(env);
        o.valid.setRecreateIndex(recreate);

        QCOMPARE(o.opener.open(env.dataDir(), QString()), message.isEmpty());
        QCOMPARE(o.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty()) {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("check"));
            db.open();
            const auto gest = SchemaReader(db).read(QStringLiteral("Gest.db"), QStringLiteral("main"));
            QVERIFY(gest);
            const TVTable *def = TVTables::find(QStringLiteral("Gest.db"));
            QCOMPARE(def->differences(*gest), QStringList());
            QSqlQuery count = db.run(QStringLiteral("SELECT COUNT(*) FROM \"Gest\""));
            QVERIFY(count.next());
            QCOMPARE(count.value(0).toInt(), 1);
        }
    }

    void olderProgramDirectoryUntouched()
    {
        TestEnv env;
        const QMap<QString, QByteArray> files{{QStringLiteral("CATALOG.DB"), "paradox table"},
                                              {QStringLiteral("Gest.db"), "another"},
                                              {QStringLiteral("CATALOG.PX"), "index"}};
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile f(env.dataDir() + it.key());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(it.value());
        }
        Opening o(env);

        QVERIFY(!o.opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")));
        QCOMPARE(o.messages.texts(Kind::Error).size(), 1);
        QVERIFY(o.messages.texts(Kind::Error).first().startsWith(
            QStringLiteral("Nu pot valida baza de date!\nDirectorul %1 contine tabele").arg(env.dataDir())));
        QVERIFY(o.messages.texts(Kind::YesNo).isEmpty());
        QCOMPARE(QDir(env.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList(files.keys()));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile f(env.dataDir() + it.key());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), it.value());
        }
    }

    void lastDatabaseDirectory()
    {
        TestEnv env;
        makeDatabase(env);
        DataDirectoryOpener::setLastDatabaseDir(env.dataDir());
        Opening o(env);
        QVERIFY(o.opener.OpenLastDatabase());
        QVERIFY(o.browsedOn.isEmpty());

        // A remembered directory that is gone sends the user to the browser; cancel ends quietly.
        DataDirectoryOpener::setLastDatabaseDir(env.path(QStringLiteral("gone/")));
        Opening gone(env);
        QVERIFY(!gone.opener.OpenLastDatabase());
        QCOMPARE(gone.browsedOn, QStringList{env.path(QStringLiteral("gone/"))});
        QVERIFY(gone.messages.isEmpty());
    }

    void newDirectoryFromTheBrowser()
    {
        TestEnv env;
        const QString made = DataDirectoryOpener::makeNewDirectory(env.dataDir(), QStringLiteral("an/2024"));
        QCOMPARE(made, env.dataDir() + QStringLiteral("an/2024/"));
        QFile ini(made + QStringLiteral("PVLDEF.INI"));
        QVERIFY(ini.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromUtf8(ini.readAll()).trimmed(), QStringLiteral("[Permision]\nConversie la RON=1"));

        try {
            DataDirectoryOpener::makeNewDirectory(QStringLiteral("/proc/tessaro"), QStringLiteral("nou"));
            QFAIL("made under /proc");
        } catch (const DataDirectoryError &e) {
            QCOMPARE(e.text(), QStringLiteral("Nu pot crea directorul /proc/tessaro/nou/"));
        }
    }

    void splashWindowAtStart()
    {
        TestEnv env;
        DataDirectoryOpener::setLastDatabaseDir(env.dataDir());
        ScriptedMessages messages;
        TDBValidMsgForm form(messages, env.workstation());
        form.ProgressBar1->show();

        QVERIFY(form.OpenLastDatabase());
        QCOMPARE(form.directory(), env.dataDir());
        QCOMPARE(form.ProgressBar1->value(), 100);
        QVERIFY(!form.isVisible());
        QCOMPARE(messages.texts(Kind::YesNo).size(), 1);
        QCOMPARE(tables(env, env.dataDir()).size(), 47);
    }
};

TESSARO_TEST_MAIN(TestValidation)
#include "tst_validation.moc"
