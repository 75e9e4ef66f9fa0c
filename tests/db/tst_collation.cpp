#include "TestEnv.h"

#include "db/Database.h"
#include "db/RoCollation.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QSqlQuery>

static QStringList column(QSqlQuery &q)
{
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

class TestCollation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compare_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("a before ă") << "alfa" << "Ăsta" << -1;
        QTest::newRow("ă before b") << "Ăsta" << "Beta" << -1;
        QTest::newRow("ă before â") << "Ăsta" << "Âsta" << -1;
        QTest::newRow("î after i") << "izvor" << "înger" << -1;
        QTest::newRow("ş cedilla after s") << "sud" << "şir" << -1;
        QTest::newRow("ș comma after s") << "sud" << "șir" << -1;
        QTest::newRow("ţ cedilla after t") << "Tractoare" << "Ţesătorie" << -1;
        QTest::newRow("ț comma after t") << "Tractoare" << "Țesătorie" << -1;
        QTest::newRow("ț before u") << "Țesătorie" << "uzină" << -1;
        QTest::newRow("case ignored") << "ALFA" << "alfa" << 0;
        QTest::newRow("case ignored, diacritics") << "ŢESĂTORIE" << "ţesătorie" << 0;
        QTest::newRow("diacritic not ignored") << "tesatorie" << "ţesătorie" << -1;
    }

    void compare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const RoCollation ro;
        const auto sgn = [](int v) { return (v > 0) - (v < 0); };
        QCOMPARE(sgn(ro.compare(a, b)), sign);
        QCOMPARE(sgn(ro.compare(b, a)), -sign);
    }

    // Codes compared through SQL take a shortcut and names the cached sort keys; both
    // must agree with the full comparison.
    void codesThroughSql_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("classification codes") << "1.3.7" << "1.3.10";
        QTest::newRow("a code and its prefix") << "1.3" << "1.3.1";
        QTest::newRow("a trailing dot") << "1.3" << "1.3.";
        QTest::newRow("inventory numbers of two lengths") << "1000001" << "999";
        QTest::newRow("digits before letters") << "9" << "A";
        QTest::newRow("dot before digits") << "1.9" << "109";
        QTest::newRow("case ignored") << "ap" << "AP";
        QTest::newRow("letters and digits") << "SCG2" << "scg10";
        QTest::newRow("a zero and two") << "0" << "00";
        QTest::newRow("a code beside a name") << "AP" << "Ăsta";
        QTest::newRow("a code beside a dash") << "1-2" << "1.2";
        QTest::newRow("equal codes") << "3.2.4" << "3.2.4";
        QTest::newRow("names: case ignored with diacritics") << "ŢESĂTORIE" << "ţesătorie";
        QTest::newRow("names: ă before â") << "Ăsta" << "Âsta";
        QTest::newRow("names: diacritic not ignored") << "tesatorie" << "ţesătorie";
        QTest::newRow("names: cedilla and comma forms") << "Şcoala" << "Școala";
        QTest::newRow("names: a shorter prefix") << "Calculator" << "Calculator portabil";
    }
    void codesThroughSql()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        const auto sgn = [](int v) { return (v > 0) - (v < 0); };
        const RoCollation ro;
        for (const auto &[x, y] : {std::pair{a, b}, std::pair{b, a}}) {
            QSqlQuery q = db.run(QStringLiteral("SELECT CASE WHEN :x < :y COLLATE RO THEN -1 "
                                                "WHEN :x = :y COLLATE RO THEN 0 ELSE 1 END"),
                                 {{QStringLiteral(":x"), x}, {QStringLiteral(":y"), y}});
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), sgn(ro.compare(x, y)));
        }
    }

    // UTF-8 compared without conversion (printable ASCII character by character, the
    // rest through cached sort keys) orders every pair as the full comparison does.
    void utf8AsTheFullComparison_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("punctuation and spaces")
            << QStringList{" ", "a b", "a-b", "a_b", "a.b", "a,b", "a;b", "a/b", "a(b)", "a&b", "a+b", "a#b", "ab", "a1",
                           "a!", "a'b", "a\"b", "a~b", "a|b", "a@b", "a  b", ""};
        QTest::newRow("case ties") << QStringList{"ALFA", "alfa", "Alfa", "aLFA", "alfa2", "ALFA10", "alfa 2", "Alf"};
        QTest::newRow("numbers in names") << QStringList{"Nr. 10", "Nr. 9", "nr. 9a", "NR 9", "9", "10", "A9", "a-9", "1.3.7"};
        QTest::newRow("Romanian letters and their ties")
            << QStringList{"ă", "Ă", "â", "Â", "a", "A", "b", "î", "Î", "i", "j", "ș", "Ș", "ş", "Ş", "s", "ț", "Ţ", "t",
                           "Școala", "Scoala", "școala", "ȘCOALA", "Şcoala", "Țesătorie", "tesatorie", "Tesatorie"};
        QTest::newRow("ASCII beside diacritics, shared prefixes")
            << QStringList{"Masina de gaurit", "Mașină de găurit", "MASINA", "Mașina", "Masina de gaurit nr. 1",
                           "Mașină de găurit nr. 1", "Calculator", "Calculator portabil", "Căminul Cultural", "Camin"};
        QTest::newRow("combining marks after a letter that differs")
            << QStringList{QStringLiteral("s\u0326a"), "sa", "ta", QStringLiteral("s\u0327"), "s", QStringLiteral("t\u0326"),
                           "ș", "aș", "at", "as", QStringLiteral("a\u0301"), "á", "ab", QStringLiteral("Ab\u0326"), "Ac"};
        QTest::newRow("a difference before the first diacritic")
            << QStringList{"Birou școlar", "Birou", "Banca școlară", "Bancă", "Casă", "Casa de marcat", "Dulap metalic ă"};
        QStringList every;
        for (char c = 0x20; c < 0x7f; ++c)
            every << QString(QLatin1Char(c));
        QTest::newRow("every printable ASCII character") << every;
    }
    void utf8AsTheFullComparison()
    {
        QFETCH(QStringList, texts);
        const RoCollation ro;
        const auto sgn = [](int v) { return (v > 0) - (v < 0); };
        for (const QString &a : texts)
            for (const QString &b : texts) {
                const QByteArray x = a.toUtf8(), y = b.toUtf8();
                const int fast = ro.compareUtf8(std::string_view(x.constData(), size_t(x.size())),
                                                std::string_view(y.constData(), size_t(y.size())));
                QVERIFY2(sgn(fast) == sgn(ro.compare(a, b)), qPrintable(QStringLiteral("<%1> <%2>").arg(a, b)));
            }
    }

    // The order through SQL, on every connection, and an index that keeps it.
    void sqlOrderAndIndex()
    {
        TestEnv env;
        Database first(env.dataDir(), env.workstation(), QStringLiteral("first"));
        first.open();
        const TVTable &gest = *TVTables::find(QStringLiteral("Gest"));
        SchemaWriter(first).createTable(gest, QLatin1String(Database::dataSchema));
        const QStringList names{"Beta", "Ţesătorie", "alfa", "Tractoare", "Ăsta", "șase", "Sud", "ÎNGER", "iz"};
        int code = 0;
        for (const QString &name : names)
            first.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES (:c, :n)"),
                      {{":c", QString::number(++code)}, {":n", name}});

        // A second connection, opened afterwards, has RO too and reads through the index.
        Database second(env.dataDir(), env.workstation(), QStringLiteral("second"));
        second.open();
        const DEF_INDEX &byName = *gest.index(QStringLiteral("ByName"));
        const QString order = second.dialect().orderBy(gest, byName);
        QCOMPARE(order, QStringLiteral("\"Denumire\" COLLATE RO"));
        const QString select = QStringLiteral("SELECT \"Denumire\" FROM \"Gest\" ORDER BY ") + order;
        QSqlQuery q = second.run(select);
        QCOMPARE(column(q), (QStringList{"alfa", "Ăsta", "Beta", "iz", "ÎNGER", "Sud", "șase",
                                         "Tractoare", "Ţesătorie"}));

        QSqlQuery plan = second.run(QStringLiteral("EXPLAIN QUERY PLAN ") + select);
        QString details;
        while (plan.next())
            details += plan.value(3).toString() + QLatin1Char('\n');
        QVERIFY2(details.contains(QLatin1String("Gest_ByName")), qPrintable(details));

        QSqlQuery eq = second.run(QStringLiteral("SELECT \"Cod\" FROM \"Gest\" WHERE \"Denumire\" = :n COLLATE RO"),
                                  {{":n", "ţesătorie"}});
        QCOMPARE(column(eq), QStringList{"2"});
    }
};

TESSARO_TEST_MAIN(TestCollation)
#include "tst_collation.moc"
