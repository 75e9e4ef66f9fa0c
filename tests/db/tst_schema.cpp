#include "TestEnv.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaReader.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QSqlQuery>

#include <memory>

static const QString kMain = QLatin1String(Database::dataSchema);
static const QString kPriv = QLatin1String(Database::privateSchema);

class TestSchema : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<Database> db;

private Q_SLOTS:
    void initTestCase()
    {
        env = std::make_unique<TestEnv>();
        db = std::make_unique<Database>(env->dataDir(), env->workstation(), QStringLiteral("schema"));
        db->open();
        SchemaWriter writer(*db);
        for (const TVTable &t : TVTables::all())
            writer.createTable(t, kMain);
        for (const TVTable &t : TVTables::privateTables())
            writer.createTable(t, kPriv);
    }

    void cleanupTestCase() { db.reset(); }

    void readBackEqualsDefinition_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("schema");
        for (const TVTable &t : TVTables::all())
            QTest::newRow(qPrintable(t.name())) << t.name() << kMain;
        for (const TVTable &t : TVTables::privateTables())
            QTest::newRow(qPrintable(t.name())) << t.name() << kPriv;
    }

    void readBackEqualsDefinition()
    {
        QFETCH(QString, table);
        QFETCH(QString, schema);
        const TVTable *def = TVTables::find(table);
        QVERIFY(def);
        const std::optional<TVTable> actual = SchemaReader(*db).read(def->name(), schema);
        QVERIFY(actual.has_value());
        QVERIFY2(def->differences(*actual).isEmpty(),
                 qPrintable(def->differences(*actual).join(QLatin1Char('\n'))));
        QVERIFY(*actual == *def);
        // The private tables live only in the private schema, and the reverse.
        QVERIFY(!SchemaReader(*db).hasTable(table, schema == kMain ? kPriv : kMain));
    }

    void transcription_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("fieldCount");
        QTest::addColumn<QString>("primaryKey");
        QTest::addColumn<QStringList>("secondary");

        QTest::newRow("Versiune") << "Versiune.db" << 1 << "" << QStringList{};
        QTest::newRow("Counter") << "Counter.DB" << 6 << "" << QStringList{};
        QTest::newRow("Serie") << "Serie.DB" << 6 << "" << QStringList{};
        QTest::newRow("Target") << "Target.DB" << 6 << "" << QStringList{};
        QTest::newRow("Catalog") << "Catalog.DB" << 25 << "Grupa;Cod"
                                 << QStringList{"ByName", "ByDescript"};
        QTest::newRow("Client") << "Client.DB" << 18 << "Cod_client" << QStringList{"ByName"};
        QTest::newRow("Gest without Gestionar") << "Gest.db" << 2 << "Cod" << QStringList{"ByName"};
        QTest::newRow("Item_in") << "Item_in.DB" << 24 << "Contor;Contor_secundar"
                                 << QStringList{"ByCodArt", "ByGestArt"};
        QTest::newRow("Item_out") << "Item_out.DB" << 20 << "Contor;Contor_secundar"
                                  << QStringList{"ByCodArt"};
        QTest::newRow("Item_prof without upgrade fields")
            << "Item_prof.DB" << 10 << "Contor;Contor_secundar" << QStringList{"ByCodArt"};
        QTest::newRow("Stoc") << "Stoc.DB" << 8
                              << "Cod_gestiune;Cod_grupa;Cod_articol;Pret_achizitie;Lot;Agent"
                              << QStringList{};
        QTest::newRow("Splvpay") << "Splvpay.DB" << 8
                                 << "Cod_furn;Contor_document;Valuta;Data_platii;NrCtr"
                                 << QStringList{};
        QTest::newRow("Acces") << "Acces.DB" << 47 << "Niv_acces" << QStringList{};
        QTest::newRow("Alocatie") << "Alocatie.DB" << 4 << "Contor;Contor_secundar;CodAlocatie"
                                  << QStringList{"CodAlocatie"};
        QTest::newRow("Doc_out") << "Doc_out.DB" << 9 << "Contor" << QStringList{"ByDate"};
        QTest::newRow("ANSW_TMP") << "ANSW_TMP" << 23 << "Cod_Gestiune;Cod_grupa;Cod_articol"
                                  << QStringList{};
    }

    void transcription()
    {
        QFETCH(QString, table);
        QFETCH(int, fieldCount);
        QFETCH(QString, primaryKey);
        QFETCH(QStringList, secondary);

        const TVTable *def = TVTables::find(table);
        QVERIFY(def);
        QCOMPARE(def->fields().size(), fieldCount);
        const DEF_INDEX *pk = def->primaryKey();
        QCOMPARE(pk ? pk->fields : QString(), primaryKey);
        if (pk) {
            QCOMPARE(&def->indexes().first(), pk);
            QCOMPARE(pk->options, IndexOption::Primary | IndexOption::Unique);
        }
        QStringList names;
        for (const DEF_INDEX &i : def->indexes())
            if (!i.isPrimary())
                names << i.name;
        QCOMPARE(names, secondary);
        // Every indexed field is a field of the table, spelled alike.
        for (const DEF_INDEX &i : def->indexes())
            for (const QString &f : i.fieldList())
                QVERIFY2(def->field(f) && def->field(f)->name == f, qPrintable(f));
    }

    void wholeSchema()
    {
        const QList<TVTable> &all = TVTables::all();
        QCOMPARE(all.size(), 47);
        QCOMPARE(all.first().name(), QStringLiteral("Versiune.db"));
        QCOMPARE(all.last().name(), QStringLiteral("TipAlocatie.DB"));
        int fields = 0;
        for (const TVTable &t : all)
            fields += int(t.fields().size());
        QCOMPARE(fields, 402);

        const TVTable *acces = TVTables::find(QStringLiteral("Acces"));
        QCOMPARE(acces->fields().at(1).name, QStringLiteral("Doc_in"));
        QCOMPARE(acces->fields().at(44).name, QStringLiteral("Vinz_Perioada"));
        QCOMPARE(acces->fields().last().name, QStringLiteral("Grila_discount"));
        for (qsizetype i = 1; i < acces->fields().size(); ++i)
            QCOMPARE(acces->fields().at(i).type, FieldType::Boolean);

        const TVTable *catalog = TVTables::find(QStringLiteral("catalog"));
        QCOMPARE(catalog->field(QStringLiteral("Generic 3"))->size, quint16(15));
        QCOMPARE(TVTables::find(QStringLiteral("Firmdata"))->field(QStringLiteral("cod FISCAL"))->name,
                 QStringLiteral("Cod fiscal"));
        QCOMPARE(TVTables::find(QStringLiteral("Ch_agent"))->field(QStringLiteral("Comentariu"))->type,
                 FieldType::Memo);
        QCOMPARE(TVTables::find(QStringLiteral("Clnpay"))->field(QStringLiteral("Nrcrt"))->type,
                 FieldType::AutoIncrement);
    }

    void findByName_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("lower, no extension") << "catalog" << "Catalog.DB";
        QTest::newRow("upper with extension") << "CATALOG.DB" << "Catalog.DB";
        QTest::newRow("mixed extension") << "doc_com.db" << "Doc_Com.Db";
        QTest::newRow("lower-case file name") << "ITEM_GRILA" << "item_grila.DB";
        QTest::newRow("private table") << "answ_tmp.db" << "ANSW_TMP.DB";
        QTest::newRow("unknown") << "Catalogue" << "";
        QTest::newRow("not checked") << "TargetA.DB" << "";
    }

    void findByName()
    {
        QFETCH(QString, asked);
        QFETCH(QString, found);
        const TVTable *t = TVTables::find(asked);
        QCOMPARE(t ? t->name() : QString(), found);
    }

    void blankNamedFields()
    {
        const SqlDialect &d = db->dialect();
        db->run(QStringLiteral("INSERT INTO %1 (%2, %3, %4) VALUES (:g, :c, :gen)")
                    .arg(d.quote(QStringLiteral("Catalog")), d.quote(QStringLiteral("Grupa")),
                         d.quote(QStringLiteral("Cod")), d.quote(QStringLiteral("Generic 1"))),
                {{":g", "2.1"}, {":c", "INV1"}, {":gen", "rosu"}});
        QSqlQuery q = db->run(QStringLiteral("SELECT %1 FROM \"Catalog\" WHERE %2 = 'INV1'")
                                  .arg(d.column(QStringLiteral("Catalog"), QStringLiteral("Generic 1")),
                                       d.column(QStringLiteral("Catalog"), QStringLiteral("Cod"))));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("rosu"));
        QCOMPARE(d.column(QStringLiteral("Firmdata"), QStringLiteral("Cod fiscal")),
                 QStringLiteral("\"Firmdata\".\"Cod fiscal\""));
    }

    void autoIncrement_data()
    {
        QTest::addColumn<QString>("schema");
        QTest::newRow("data directory") << kMain;
        QTest::newRow("private directory") << kPriv;
    }

    void autoIncrement()
    {
        QFETCH(QString, schema);
        TVTable t(QStringLiteral("Plati.DB"),
                  {{"Cod", FieldType::String, 5, false}, {"Nr", FieldType::AutoIncrement, 0, false}},
                  {{"", "Cod;Nr", IndexOption::Primary | IndexOption::Unique}});
        SchemaWriter(*db).replaceTable(t, schema);
        const QString table = SqlDialect::qualified(schema, QStringLiteral("Plati"));
        const auto insert = [&](const QVariant &nr) {
            db->run(QStringLiteral("INSERT INTO %1 (\"Cod\", \"Nr\") VALUES ('A', :nr)").arg(table),
                    {{":nr", nr}});
        };
        insert(QVariant());
        insert(QVariant());
        insert(10);    // an explicit value is kept
        insert(QVariant());
        QSqlQuery q = db->run(QStringLiteral("SELECT \"Nr\" FROM %1 ORDER BY rowid").arg(table));
        QList<int> numbers;
        while (q.next())
            numbers << q.value(0).toInt();
        QCOMPARE(numbers, (QList<int>{1, 2, 10, 11}));
        QCOMPARE(SchemaReader(*db).read(t.name(), schema).value(), t);
    }

    void differencesReported_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string size") << "size" << "field Denumire is string(100), defined string(255)";
        QTest::newRow("letter case") << "case" << "field Unitate_masura named unitate_masura";
        QTest::newRow("type") << "type" << "field Pret_vinzare is integer, defined float";
        QTest::newRow("required") << "required" << "field Moneda is string(3) required";
        QTest::newRow("missing field") << "dropField" << "field CalcAmortizare missing";
        QTest::newRow("missing index") << "dropIndex" << "index ByDescript (Grupa;Descriere) missing";
        QTest::newRow("index fields") << "indexFields" << "index ByName on Denumire, defined on Grupa;Denumire";
        QTest::newRow("index options") << "indexPlain" << "index ByName options [], defined [case-insensitive]";
        QTest::newRow("primary key") << "primary" << "primary key on Grupa, defined on Grupa;Cod";
    }

    void differencesReported()
    {
        QFETCH(QString, change);
        QFETCH(QString, expected);
        const TVTable &def = *TVTables::find(QStringLiteral("Catalog"));
        QList<DEF_FIELD> fields = def.fields();
        QList<DEF_INDEX> indexes = def.indexes();
        const auto fieldAt = [&](const char *name) -> DEF_FIELD & {
            for (DEF_FIELD &f : fields)
                if (f.name == QLatin1String(name))
                    return f;
            qFatal("no field %s", name);
        };
        if (change == "size") fieldAt("Denumire").size = 100;
        if (change == "case") fieldAt("Unitate_masura").name = QStringLiteral("unitate_masura");
        if (change == "type") fieldAt("Pret_vinzare").type = FieldType::Integer;
        if (change == "required") fieldAt("Moneda").required = true;
        if (change == "dropField") fields.removeLast();
        if (change == "dropIndex") indexes.removeLast();
        if (change == "indexFields") indexes[1].fields = QStringLiteral("Denumire");
        if (change == "indexPlain") indexes[1].options = {};
        if (change == "primary") indexes[0].fields = QStringLiteral("Grupa");

        TVTable actual(def.name(), fields, indexes);
        SchemaWriter(*db).replaceTable(actual, kPriv);
        const TVTable read = SchemaReader(*db).read(def.name(), kPriv).value();
        QCOMPARE(read, actual);
        QVERIFY(!(read == def));
        const QStringList diffs = def.differences(read);
        QCOMPARE(diffs.size(), 1);
        QVERIFY2(diffs.first().startsWith(expected), qPrintable(diffs.first()));
        SchemaWriter(*db).dropTable(def.name(), kPriv);
    }

    void createExistingTableFails()
    {
        const TVTable &def = *TVTables::find(QStringLiteral("Curs"));
        QVERIFY_THROWS_EXCEPTION(DbError, SchemaWriter(*db).createTable(def, kMain));
        QVERIFY(!db->inTransaction());
        QVERIFY(SchemaReader(*db).read(def.name(), kMain).value() == def);
    }
};

TESSARO_TEST_MAIN(TestSchema)
#include "tst_schema.moc"
