#include "TestEnv.h"

#include "app/ScriptedMessages.h"
#include "db/DataDirectoryOpener.h"
#include "db/Database.h"
#include "db/SchemaReader.h"
#include "db/TDatabaseValidator.h"
#include "db/TVTables.h"

#include <QSqlRecord>

using Kind = ScriptedMessages::Kind;

struct Opening
{
    explicit Opening(const TestEnv &env)
        : opener(valid, messages, env.workstation().iniPath(),
                 {[this](const QString &text) { statuses << text; }, {}, {}})
    {
        valid.setWorkstation(env.workstation());
        valid.setTables(TVTables::all());
        opener.installQuestionHandlers();
        opener.setRemember(false);
    }

    ScriptedMessages messages;
    TDatabaseValidator valid;
    QStringList statuses;
    DataDirectoryOpener opener;
};

static void run(const TestEnv &env, const QString &dir, const QStringList &statements)
{
    Database db(dir, env.workstation(), QStringLiteral("fixture"));
    db.open();
    for (const QString &s : statements)
        if (!s.trimmed().isEmpty())
            db.run(s);
}

static QVariantList row(const TestEnv &env, const QString &dir, const QString &select)
{
    Database db(dir, env.workstation(), QStringLiteral("reader"));
    db.open();
    QSqlQuery q = db.run(select);
    QVariantList values;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            values << (q.isNull(i) ? QVariant() : q.value(i));
    return values;
}

static std::optional<TVTable> layout(const TestEnv &env, const QString &dir, const QString &table)
{
    Database db(dir, env.workstation(), QStringLiteral("layout"));
    db.open();
    return SchemaReader(db).read(table, QStringLiteral("main"));
}

// A current database, then the given tables taken back to an older layout.
static void makeDatabase(const TestEnv &env, bool withVersion)
{
    Opening o(env);
    o.opener.installSilentHandlers();
    QVERIFY(o.opener.open(env.dataDir(), QString()));
    if (withVersion)
        run(env, env.dataDir(), {QStringLiteral("INSERT INTO \"Versiune\" VALUES ('0.1.0.0')")});
}

// The layout of a directory last opened by the version before the version record.
static const char *const kOldLayout = R"(
DROP TABLE "Item_in";
CREATE TABLE "Item_in" ("Contor" DOUBLE, "Contor_secundar" DOUBLE, "Cod_gestiune" VARCHAR(4), "Cod_grupa" VARCHAR(20), "Cod_articol" VARCHAR(30), "Cantitate" DOUBLE, "Pret_achizitie_valuta" DOUBLE, "Valuta" VARCHAR(3), "Pret_achizitie_lei" DOUBLE, "Pret_echiv_USD" DOUBLE, "TVA" DOUBLE, "Cont_marfa" VARCHAR(20), "Cont_TVA_Intrari" VARCHAR(20), "Agent" VARCHAR(3), PRIMARY KEY ("Contor", "Contor_secundar"));
CREATE INDEX "Item_in_ByCodArt" ON "Item_in" ("Cod_grupa" COLLATE RO, "Cod_articol" COLLATE RO, "Pret_achizitie_lei");
INSERT INTO "Item_in" VALUES (5, 1, 'G1', '2.1.1', 'INV001', 1, 1200.5, 'LEI', 1200.5, 300, 228, '2131', '4426', 'B1');
INSERT INTO "Item_in" VALUES (5, 2, 'G1', '2.1.1', 'INV002', 2, 80, 'EUR', 400, 90, 0, '214', '4426', 'B2');
DROP TABLE "Stoc";
CREATE TABLE "Stoc" ("Cod_gestiune" VARCHAR(4), "Cod_grupa" VARCHAR(20), "Cod_articol" VARCHAR(30), "Pret_achizitie" DOUBLE, "Cantitate" DOUBLE, "Agent" VARCHAR(3), PRIMARY KEY ("Cod_gestiune", "Cod_grupa", "Cod_articol", "Pret_achizitie"));
INSERT INTO "Stoc" VALUES ('G1', '2.1.1', 'INV001', 1200.5, 1, 'B1');
DROP TABLE "Item_out";
CREATE TABLE "Item_out" ("Contor" DOUBLE, "Contor_secundar" DOUBLE, "Cod_gestiune" VARCHAR(4), "Cod_grupa" VARCHAR(20), "Cod_articol" VARCHAR(30), "Cantitate" DOUBLE, "Pret_achizitie" DOUBLE, "Pret_vinzare" DOUBLE, "Pret_vz_echiv_USD" DOUBLE, "TVA" DOUBLE, "Cont_marfa" VARCHAR(20), "Cont_cheltuieli" VARCHAR(20), "Cont_TVA_Iesiri" VARCHAR(20), "Cont_accize" VARCHAR(20), "Acciza" DOUBLE, "Cont_adaos" VARCHAR(20), "Cont_venituri" VARCHAR(20), PRIMARY KEY ("Contor", "Contor_secundar"));
INSERT INTO "Item_out" ("Contor", "Contor_secundar", "Cod_articol", "Cantitate") VALUES (9, 1, 'INV002', 1);
DROP TABLE "Ch_agent";
CREATE TABLE "Ch_agent" ("Agent" VARCHAR(3), "Data" DATE, "Tip" VARCHAR(10), "Chitanta" VARCHAR(10), "Suma" DOUBLE, "Comentariu" VARCHAR(40), PRIMARY KEY ("Agent", "Data", "Tip", "Chitanta"));
INSERT INTO "Ch_agent" VALUES ('AB', '2003-05-06', 'CH', '12', 50, 'Plata avans');
INSERT INTO "Acces" ("Niv_acces") VALUES (0);
INSERT INTO "Acces" ("Niv_acces") VALUES (1);
ALTER TABLE "Acces" DROP COLUMN "Comenzi";
ALTER TABLE "Acces" DROP COLUMN "Comenzi_Emise";
ALTER TABLE "Acces" DROP COLUMN "Comenzi_Neonorate";
ALTER TABLE "Acces" DROP COLUMN "Centralizator";
ALTER TABLE "Acces" DROP COLUMN "Stoc_Total";
ALTER TABLE "Acces" DROP COLUMN "Modul_Aux";
ALTER TABLE "Acces" DROP COLUMN "Op_Arhivare";
ALTER TABLE "Acces" DROP COLUMN "Vinz_Zilnice";
ALTER TABLE "Acces" DROP COLUMN "Vinz_Perioada";
ALTER TABLE "Acces" DROP COLUMN "Retur";
ALTER TABLE "Acces" DROP COLUMN "Grila_discount";
DROP TABLE "Grup";
CREATE TABLE "Grup" ("Cod_grupa" VARCHAR(20), "Denumire" VARCHAR(100), "Cont_sint" VARCHAR(20), PRIMARY KEY ("Cod_grupa"));
INSERT INTO "Grup" VALUES ('2.1.1', 'Cladiri', '212');
ALTER TABLE "Client" DROP COLUMN "Discount";
ALTER TABLE "Client" DROP COLUMN "Grila";
ALTER TABLE "Client" DROP COLUMN "Lock";
ALTER TABLE "Client" DROP COLUMN "Limita_credit";
ALTER TABLE "Client" DROP COLUMN "Credit_actual";
ALTER TABLE "Client" DROP COLUMN "Rest_credit";
ALTER TABLE "Client" DROP COLUMN "Atentie";
INSERT INTO "Client" ("Cod_client", "Nume_client") VALUES ('B1', 'Buget local');
ALTER TABLE "Counter" DROP COLUMN "NewCounterOffC";
ALTER TABLE "Counter" DROP COLUMN "NewCounterProf";
INSERT INTO "Counter" ("NewCounterIn", "NewCounterOut") VALUES (6, 10);
ALTER TABLE "Catalog" DROP COLUMN "Stock_minim";
ALTER TABLE "Catalog" DROP COLUMN "Cod_bare";
ALTER TABLE "Catalog" DROP COLUMN "CantReteta";
CREATE INDEX "Catalog_ByGeneric1" ON "Catalog" ("Generic 1");
CREATE INDEX "Catalog_ByGeneric2" ON "Catalog" ("Generic 2");
CREATE INDEX "Catalog_ByGeneric3" ON "Catalog" ("Generic 3");
CREATE INDEX "Catalog_ByGeneric4" ON "Catalog" ("Generic 4");
INSERT INTO "Catalog" ("Grupa", "Cod", "Denumire") VALUES ('2.1.1', 'INV001', 'Birou');
ALTER TABLE "Firmdata" DROP COLUMN "Capital";
ALTER TABLE "Firmdata" DROP COLUMN "Capital_text";
DROP TABLE "Target";
DROP TABLE "Serie";
INSERT INTO "Doc_in" ("Contor", "Numar", "Tip", "Explicatie") VALUES (5, 7, 'AE', 'Transfer');
INSERT INTO "Doc_out" ("Contor", "Numar", "Tip", "Explicatie") VALUES (9, 7, 'AE', NULL);
INSERT INTO "Doc_out" ("Contor", "Numar", "Tip", "Explicatie") VALUES (10, 8, 'AE', '');
)";

static void makeOldDatabase(const TestEnv &env)
{
    makeDatabase(env, false);
    run(env, env.dataDir(), QString::fromUtf8(kOldLayout).split(QLatin1Char(';')));
}

static QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TestUpgrade : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oldLayoutUpgradedWithItsData()
    {
        TestEnv env;
        makeOldDatabase(env);
        Opening o(env);
        o.opener.setToday(QDate(2024, 3, 1));

        QVERIFY2(o.opener.open(env.dataDir(), QString()), qPrintable(o.messages.texts().join('|')));
        QCOMPARE(o.messages.texts(Kind::Information),
                 (QStringList{QStringLiteral("Preluat din versiunea precedenta..."),
                              QStringLiteral("S-a actualizat baza de date")}));
        QCOMPARE(o.messages.texts(Kind::Error), QStringList());
        QCOMPARE(o.statuses.first(), QStringLiteral("Se actualizeaza structura fisierului Ch_Agent.Db"));
        QVERIFY(o.statuses.contains(QStringLiteral("Se actualizeaza baza de date !")));

        const QString dir = env.dataDir();
        QCOMPARE(row(env, dir, "SELECT \"Cod_articol\", \"Cantitate\", \"Pret_achizitie_valuta\", \"Valuta\", "
                               "\"Pret_achizitie_lei\", \"Cont_TVA_Intrari\", \"Agent\", \"Lot\", \"Contor_Com\" "
                               "FROM \"Item_in\" WHERE \"Contor_secundar\" = 2"),
                 (QVariantList{"INV002", 2.0, 80.0, "EUR", 400.0, "4426", "B2", QVariant(), QVariant()}));
        QCOMPARE(row(env, dir, "SELECT COUNT(*) FROM \"Item_in\"").value(0).toInt(), 2);
        QCOMPARE(row(env, dir, "SELECT \"Pret_achizitie\", \"Lot\", \"Agent\", \"Cantitate\" FROM \"Stoc\""),
                 (QVariantList{1200.5, QVariant(), "B1", 1.0}));
        QCOMPARE(row(env, dir, "SELECT \"Comentariu\", \"Emitent\" FROM \"Ch_agent\""),
                 (QVariantList{"Plata avans", QVariant()}));
        QCOMPARE(row(env, dir, "SELECT \"Cod_material\", \"Cod_grupa\", \"Denumire\" FROM \"Grup\""),
                 (QVariantList{QVariant(), "2.1.1", "Cladiri"}));
        QCOMPARE(row(env, dir, "SELECT \"CantReteta\", \"Denumire\" FROM \"Catalog\""),
                 (QVariantList{1.0, "Birou"}));
        QCOMPARE(row(env, dir, "SELECT group_concat(\"Niv_acces\" || ':' || COALESCE(\"Retur\", '-') || "
                               "COALESCE(\"Grila_discount\", '-')) FROM \"Acces\" ORDER BY \"Niv_acces\""),
                 QVariantList{"0:11,1:--"});
        QCOMPARE(row(env, dir, "SELECT \"NewCounterIn\", \"NewCounterOut\" FROM \"Counter\""),
                 (QVariantList{6.0, 10.0}));
        QCOMPARE(row(env, dir, "SELECT group_concat(CAST(\"Contor\" AS INTEGER) || '=' || \"Explicatie\") FROM \"Doc_out\""),
                 QVariantList{"9=Transfer,10="});
        // Fields the definitions leave out are added all the same.
        QVERIFY(layout(env, dir, "Gest")->field("Gestionar"));
        QVERIFY(layout(env, dir, "Item_prof")->field("Cod_bare"));
        QCOMPARE(layout(env, dir, "Catalog")->indexes().size(), 3);

        // The daily copy holds the directory as it was before the upgrade.
        const QString copy = dir + QStringLiteral("SalvariBrindell/20240301/");
        QVERIFY(!layout(env, copy, "Item_in")->field("Lot"));
        QCOMPARE(row(env, copy, "SELECT COUNT(*) FROM \"Item_in\"").value(0).toInt(), 2);

        // Upgraded once: the next opening changes nothing and says nothing.
        run(env, dir, {QStringLiteral("INSERT INTO \"Versiune\" VALUES ('0.1.0.0')")});
        Opening again(env);
        QVERIFY(again.opener.open(dir, QString()));
        QVERIFY(again.messages.isEmpty());
        QVERIFY(again.statuses.isEmpty());
    }

    void newDatabaseHasTheUpgradedFields()
    {
        TestEnv env;
        Opening o(env);
        o.opener.installSilentHandlers();
        QVERIFY(o.opener.open(env.dataDir(), QString()));
        const QString dir = env.dataDir();
        QVERIFY(layout(env, dir, "Gest")->field("Gestionar"));
        for (const char *f : {"Lot", "Agent", "Cod_bare", "Cont_marfa"})
            QVERIFY2(layout(env, dir, "Item_prof")->field(f), f);
        QVERIFY(o.messages.texts(Kind::Information).isEmpty());

        // Nothing is left for a second opening to add.
        run(env, dir, {QStringLiteral("INSERT INTO \"Versiune\" VALUES ('0.1.0.0')")});
        Opening again(env);
        QVERIFY(again.opener.open(dir, QString()));
        QVERIFY(again.messages.isEmpty());
        QVERIFY(again.statuses.isEmpty());
    }

    void eachStepAddsItsField_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("preVersion");
        QTest::addColumn<QString>("information");

        const auto add = [](const char *table, const char *fields, bool pre = false, const char *info = "") {
            QTest::addRow("%s.%s", table, fields)
                << table << QString::fromLatin1(fields).split(';') << pre << info;
        };
        add("Grup", "Target");
        add("Counter", "NewCounterOffC");
        add("Client", "Discount");
        add("Client", "Grila");
        add("Client", "Lock;Limita_credit");
        add("Client", "Credit_actual;Rest_credit;Atentie");
        add("Catalog", "Stock_minim");
        add("Grup", "DurataMin;DurataMax");
        add("Item_in", "Denumire;Domeniu;CalcAmortizare");
        add("Item_in", "DurataTotala;DurataRamasa;ValoareAmortizata");
        add("Catalog", "CantReteta");
        add("Item_in", "Serii");
        add("Catalog", "Cod_bare");
        add("Item_in", "Cod_bare");
        add("Item_out", "Cod_bare");
        add("Stoc", "Cod_bare");
        add("Acces", "Retur");
        add("Acces", "Grila_discount");
        add("Counter", "NewCounterProf");
        add("Firmdata", "Capital");
        add("Firmdata", "Capital_text", false, "S-a actualizat baza de date");
        add("Acces", "Comenzi", true);
        add("Acces", "Vinz_Perioada", true);
        add("Item_out", "Lot", true);
        add("Item_out", "Agent", true, "Preluat din versiunea precedenta...");
        add("Ch_agent", "Emitent", true);
    }

    void eachStepAddsItsField()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, fields);
        QFETCH(bool, preVersion);
        QFETCH(QString, information);
        TestEnv env;
        makeDatabase(env, !preVersion);
        QStringList drops;
        for (const QString &f : fields)
            drops << QStringLiteral("ALTER TABLE \"%1\" DROP COLUMN \"%2\"").arg(table, f);
        run(env, env.dataDir(), drops);
        QVERIFY(!layout(env, env.dataDir(), table)->field(fields.first()));
        Opening o(env);

        // Success means the check found the table as defined again.
        QVERIFY2(o.opener.open(env.dataDir(), QString()), qPrintable(o.messages.texts().join('|')));
        for (const QString &f : fields)
            QVERIFY2(layout(env, env.dataDir(), table)->field(f), qPrintable(f));
        QCOMPARE(o.messages.texts(Kind::Information),
                 information.isEmpty() ? QStringList() : QStringList{information});
    }

    void failedUpgradeLeavesDirectoryAsItWas()
    {
        TestEnv env;
        makeOldDatabase(env);
        run(env, env.dataDir(), {QStringLiteral("CREATE TRIGGER \"blocked\" BEFORE UPDATE ON \"Catalog\" "
                                                "BEGIN SELECT RAISE(ABORT, 'actualizare blocata'); END")});
        QFile ini(env.workstation().iniPath());
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Options]\nBackup BD zilnic=0\n");
        ini.close();
        const QString file = env.dataDir() + Database::fileName();
        const QByteArray before = contentOf(file);
        const QStringList entries = QDir(env.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        Opening o(env);

        QVERIFY(!o.opener.open(env.dataDir(), QStringLiteral("Nu pot valida baza de date!\n")));
        const QStringList errors = o.messages.texts(Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("Eroare de acces la baza de date!")), qPrintable(errors.first()));
        QVERIFY(errors.first().contains(QStringLiteral("actualizare blocata")));
        QVERIFY(o.messages.texts(Kind::Information).isEmpty());
        QCOMPARE(contentOf(file), before);
        QCOMPARE(QDir(env.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
    }

    void transferRepair_data()
    {
        QTest::addColumn<QString>("inType");
        QTest::addColumn<QString>("inText");
        QTest::addColumn<int>("outNumber");
        QTest::addColumn<QString>("outText");
        QTest::addColumn<QString>("expected");

        QTest::newRow("paired, empty") << "AE" << "Transfer" << 7 << "" << "Transfer";
        QTest::newRow("paired, blanks") << "AE" << "Transfer" << 7 << "   " << "Transfer";
        QTest::newRow("paired, own text kept") << "AE" << "Transfer" << 7 << "Predare" << "Predare";
        QTest::newRow("other number") << "AE" << "Transfer" << 8 << "" << "";
        QTest::newRow("entry not a transfer") << "AE" << "Receptie" << 7 << "" << "";
        QTest::newRow("entry of other type") << "NR" << "Transfer" << 7 << "" << "";
    }

    void transferRepair()
    {
        QFETCH(QString, inType);
        QFETCH(QString, inText);
        QFETCH(int, outNumber);
        QFETCH(QString, outText);
        QFETCH(QString, expected);
        TestEnv env;
        makeDatabase(env, true);
        Database db(env.dataDir(), env.workstation(), QStringLiteral("fill"));
        db.open();
        db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Numar\", \"Tip\", \"Explicatie\") "
                              "VALUES (1, 7, :tip, :text)"),
               {{":tip", inType}, {":text", inText}});
        db.run(QStringLiteral("INSERT INTO \"Doc_out\" (\"Contor\", \"Numar\", \"Tip\", \"Explicatie\") "
                              "VALUES (1, :numar, 'AE', :text)"),
               {{":numar", outNumber}, {":text", outText.isEmpty() ? QVariant() : QVariant(outText)}});
        db.close();
        Opening o(env);

        QVERIFY(o.opener.open(env.dataDir(), QString()));
        QCOMPARE(row(env, env.dataDir(), "SELECT COALESCE(\"Explicatie\", '') FROM \"Doc_out\"").value(0).toString().trimmed(),
                 expected);
    }
};

TESSARO_TEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
