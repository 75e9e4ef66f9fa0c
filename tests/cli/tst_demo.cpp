#include "TestEnv.h"

#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "db/Database.h"
#include "documents/StockRecalculation.h"

#include <QCryptographicHash>
#include <QSqlRecord>

using tessaro_test::runProgram;

namespace {

const QStringList demoTables = {"Firmdata", "Valuta", "Materiale", "Grup",    "Gest",     "Client", "Furn",
                                "User",     "Doc_in", "Item_in",   "Doc_out", "Item_out", "Catalog", "Stoc",
                                "Counter"};

// Every row of a table as text, in a fixed order. Empty fields are left out, so that a
// column the start-up check adds to an older layout does not count as a change of data.
QStringList dump(const Database &db, const QString &table)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < q.record().count(); ++i)
            if (!q.isNull(i))
                values << q.record().fieldName(i) + QLatin1Char('=') + q.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

QByteArray checksum(const QString &dir, const Workstation &ws)
{
    Database db(dir, ws, QStringLiteral("checksum"));
    db.open();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &table : demoTables)
        hash.addData(dump(db, table).join(QLatin1Char('\n')).toUtf8() + "\n#\n");
    return hash.result().toHex();
}

double number(const Database &db, const QString &sql)
{
    QSqlQuery q = db.run(sql);
    return q.next() ? q.value(0).toDouble() : -1;
}

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validRegister_data()
    {
        QTest::addColumn<int>("assets");
        QTest::newRow("one asset") << 1;
        QTest::newRow("small") << 57;
        QTest::newRow("default size") << 400;
    }

    void validRegister()
    {
        QFETCH(int, assets);
        TestEnv env;
        const QString dir = env.dataDir() + QStringLiteral("demo/");
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  {QStringLiteral("demo"), dir, QStringLiteral("--assets"), QString::number(assets)});
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));

        // Its parameters name the organisation and print numbers the Romanian way.
        Parameters params;
        NationalFormats formats;
        params.load(dir, formats);
        QCOMPARE(params.firmNo, 1);
        QCOMPARE(formats.decimalSeparator(), QChar(u','));

        // The directory passes the start-up check untouched.
        const QByteArray before = checksum(dir, env.workstation());
        const auto init = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("init"), dir});
        QVERIFY2(init.exitCode == 0, qPrintable(init.out + init.err));
        QCOMPARE(checksum(dir, env.workstation()), before);

        Database db(dir, env.workstation(), QStringLiteral("check"));
        db.open();
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Gest\"")), 6.0);
        QVERIFY(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Grup\"")) >= 30);
        QCOMPARE(number(db, QStringLiteral("SELECT MAX(LENGTH(\"Cod_client\")) FROM \"Client\"")), 3.0);
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Catalog\"")), double(assets));
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(DISTINCT \"Cod_articol\") FROM \"Item_in\"")), double(assets));
        // Every asset enters once; a transfer adds its entry half in the receiving unit.
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" I JOIN \"Doc_in\" D USING (\"Contor\") "
                                           "WHERE D.\"Tip\" <> 'BT'")),
                 double(assets));
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" I JOIN \"Grup\" G USING (\"Cod_grupa\") "
                                           "WHERE I.\"DurataTotala\" NOT BETWEEN G.\"DurataMin\" * 12 AND G.\"DurataMax\" * 12 "
                                           "OR I.\"DurataRamasa\" > I.\"DurataTotala\" OR I.\"ValoareAmortizata\" > "
                                           "I.\"Pret_achizitie_lei\" * I.\"Cantitate\"")),
                 0.0);
        QCOMPARE(number(db, QStringLiteral("SELECT \"NewCounterIn\" - (SELECT MAX(\"Contor\") FROM \"Doc_in\") FROM \"Counter\"")), 0.0);
        QCOMPARE(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Doc_in\" WHERE \"Contor\" = -1 "
                                           "AND \"Data_inregistrarii\" IS NULL")),
                 1.0);
        if (assets >= 400) {
            QVERIFY(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" WHERE \"Lot\" >= '2026-11-01'")) > 0);
            QVERIFY(number(db, QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" WHERE \"Contor\" = -1 AND \"DurataRamasa\" = 0 "
                                              "AND \"CalcAmortizare\" = 1")) > 0);
            QVERIFY(number(db, QStringLiteral("SELECT COUNT(DISTINCT \"Tip\") FROM \"Doc_out\"")) == 2);
            QVERIFY(number(db, QStringLiteral("SELECT COUNT(DISTINCT \"Domeniu\") FROM \"Item_in\"")) == 2);
        }

        // The stock is what the recalculation makes of the documents.
        const QStringList stock = dump(db, QStringLiteral("Stoc"));
        QCOMPARE(StockRecalculation(db, 0.00001).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(dump(db, QStringLiteral("Stoc")), stock);
    }

    void sameSizeSameData()
    {
        TestEnv env;
        const QStringList dirs = {env.dataDir() + QStringLiteral("a/"), env.dataDir() + QStringLiteral("b/")};
        for (const QString &dir : dirs)
            QCOMPARE(runProgram(QStringLiteral(TESSARO_BINARY),
                                {QStringLiteral("demo"), dir, QStringLiteral("--assets"), QStringLiteral("250")})
                         .exitCode,
                     0);
        QCOMPARE(checksum(dirs[0], env.workstation()), checksum(dirs[1], env.workstation()));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero assets") << QStringList{"--assets", "0"} << 2 << "intre 1 si";
        QTest::newRow("not a number") << QStringList{"--assets", "multe"} << 2 << "intre 1 si";
        QTest::newRow("too many") << QStringList{"--assets", "1000001"} << 2 << "intre 1 si";
        QTest::newRow("missing value") << QStringList{"--assets"} << 2 << "Utilizare";
        QTest::newRow("bad date") << QStringList{"--today", "2026-02-30"} << 2 << "nu este o data corecta";
    }

    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        const QString dir = env.dataDir() + QStringLiteral("nou/");
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), QStringList{QStringLiteral("demo"), dir} + args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(dir));
    }

    // Existing data, ours or anyone's, is never written over.
    void existingDirectoryUntouched()
    {
        TestEnv env;
        const QString demo = env.dataDir() + QStringLiteral("demo/");
        QCOMPARE(runProgram(QStringLiteral(TESSARO_BINARY),
                            {QStringLiteral("demo"), demo, QStringLiteral("--assets"), QStringLiteral("30")})
                     .exitCode,
                 0);
        const QByteArray before = checksum(demo, env.workstation());
        auto r = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("demo"), demo});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("nu este un director nou sau gol")), qPrintable(r.err));
        QCOMPARE(checksum(demo, env.workstation()), before);

        const QString other = env.dataDir() + QStringLiteral("altceva/");
        QVERIFY(QDir().mkpath(other));
        QFile note(other + QStringLiteral("nota.txt"));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write("date");
        note.close();
        r = runProgram(QStringLiteral(TESSARO_BINARY), {QStringLiteral("demo"), other});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QDir(other).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"nota.txt"});
    }
};

TESSARO_TEST_MAIN(TestDemo)
#include "tst_demo.moc"
