#include "TestEnv.h"

#include "CatalogFixture.h"

#include "app/NationalFormats.h"
#include "catalogs/CodeList.h"
#include "catalogs/ListCatalog.h"
#include "catalogs/SearchCriteria.h"
#include "catalogs/SelectionSource.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace catalog_fixture;

class TestCodeList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("text");
        QTest::newRow("two units") << QStringList{"A1", "B2"} << "\"A1\",\"B2\"";
        QTest::newRow("none means all") << QStringList{} << "";
        QTest::newRow("quote inside") << QStringList{"A\"1", "x'y"} << "\"A\"\"1\",\"x'y\"";
        QTest::newRow("comma inside") << QStringList{"a,b"} << "\"a,b\"";
        QTest::newRow("empty code kept") << QStringList{"", "Z"} << "\"\",\"Z\"";
    }

    void roundTrip()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, text);
        QCOMPARE(CodeList::quoted(codes), text);
        QCOMPARE(CodeList::parse(text), codes);
    }

    void parseOtherForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("bare budget code") << "B 01" << QStringList{"B 01"};
        QTest::newRow("blank") << "   " << QStringList{};
        QTest::newRow("spaces after commas") << "\"A1\", \"B2\"" << QStringList{"A1", "B2"};
        QTest::newRow("unterminated") << "\"A1\",\"B2" << QStringList{"A1", "B2"};
    }

    void parseOtherForms()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        QCOMPARE(CodeList::parse(text), codes);
    }

    void beneficiaryForm_data()
    {
        QTest::addColumn<QStringList>("initials");
        QTest::addColumn<QString>("text");
        QTest::newRow("one stays bare") << QStringList{"AB"} << "AB";
        QTest::newRow("several quoted") << QStringList{"AB", "CD"} << "\"AB\",\"CD\"";
        QTest::newRow("none") << QStringList{} << "";
    }

    void beneficiaryForm()
    {
        QFETCH(QStringList, initials);
        QFETCH(QString, text);
        const QString result = SelectionSource::beneficiaries().resultText(false, initials, QString());
        QCOMPARE(result, text);
        QCOMPARE(CodeList::parse(result), initials);
    }

    // The codes reach the engine as values: a hostile one finds itself and nothing else,
    // and every table survives.
    void inConditionBindsHostileCodes_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QStringList>("found");
        const QString hostile = QStringLiteral("x') OR 1=1; DROP TABLE \"Furn\"; --");
        QTest::newRow("hostile quoted") << CodeList::quoted({hostile}) << QStringList{hostile};
        QTest::newRow("hostile bare") << hostile << QStringList{hostile};
        QTest::newRow("double quote") << CodeList::quoted({"F\"2", "F1"}) << QStringList{"F\"2", "F1"};
        QTest::newRow("all") << QString() << QStringList{"F\"2", "F1", hostile};
    }

    void inConditionBindsHostileCodes()
    {
        QFETCH(QString, selection);
        QFETCH(QStringList, found);
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db);
        for (const QString &code : {QStringLiteral("F1"), QStringLiteral("F\"2"),
                                    QStringLiteral("x') OR 1=1; DROP TABLE \"Furn\"; --")})
            insert(db, "Furn", {{"Cod_furnizor", code}, {"Nume_furnizor", "n"}});

        const SqlCondition condition = CodeList::inCondition(QStringLiteral("Cod_furnizor"), selection);
        QSqlQuery q(db.connection());
        QVERIFY(q.prepare(QStringLiteral("SELECT Cod_furnizor FROM \"Furn\"") + condition.whereClause()
                          + QStringLiteral(" ORDER BY Cod_furnizor")));
        condition.bindTo(q);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QStringList got;
        while (q.next())
            got << q.value(0).toString();
        QCOMPARE(got, found);
        QCOMPARE(count(db, "Furn"), 3);
    }

    void accountCheck_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("synthetic") << "401" << true;
        QTest::newRow("two separators") << "4011.01.002" << true;
        QTest::newRow("three separators") << "401.1.2.3" << false;
        QTest::newRow("too long") << "40112345678.1" << false;
    }

    void accountCheck()
    {
        QFETCH(QString, account);
        QFETCH(bool, accepted);
        QCOMPARE(ListCatalog::checkAccount(account).isEmpty(), accepted);
        if (!accepted)
            QCOMPARE(ListCatalog::checkAccount(account),
                     QStringLiteral("Introduceti simbolul contului în format 999(9).99(9).99(9) !"));
    }

    void searchCriteriaWritesOnlyTheChoice_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("document number") << int(SearchCriteria::DocumentNumber) << "125" << true;
        QTest::newRow("price with comma") << int(SearchCriteria::Price) << "12,50" << true;
        QTest::newRow("price not a number") << int(SearchCriteria::Price) << "12x" << false;
        QTest::newRow("article text") << int(SearchCriteria::Article) << "12x" << true;
    }

    void searchCriteriaWritesOnlyTheChoice()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        NationalFormats formats;
        SearchCriteria before;
        before.kind = SearchCriteria::Explanation;
        before.documentNumber = 7;
        before.price = 3.5;
        before.article = QStringLiteral("old");
        SearchCriteria after = before;
        QCOMPARE(after.accept(kind, text, formats), accepted);
        QCOMPARE(after.kind, accepted ? kind : int(SearchCriteria::Explanation));
        if (!accepted)
            return;
        QCOMPARE(after.documentNumber, kind == SearchCriteria::DocumentNumber ? 125.0 : 7.0);
        QCOMPARE(after.price, kind == SearchCriteria::Price ? 12.5 : 3.5);
        QCOMPARE(after.article, kind == SearchCriteria::Article ? text : QStringLiteral("old"));
    }
};

TESSARO_TEST_MAIN(TestCodeList)
#include "tst_codelist.moc"
