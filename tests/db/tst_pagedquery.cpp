#include "TestEnv.h"

#include "db/Database.h"
#include "db/PagedQuery.h"
#include "db/PagedQueryModel.h"
#include "db/RoCollation.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

struct Row
{
    int k = 0;
    QString name; // empty = NULL
    QString group;
};

// Names with Romanian letters, repeated, some missing: the order has ties and NULLs.
QList<Row> makeRows(int n)
{
    static const QStringList names{QStringLiteral("Ăsta"),  QStringLiteral("alfa"),  QStringLiteral("Beta"),
                                   QStringLiteral("înger"), QStringLiteral("izvor"), QStringLiteral("Şir"),
                                   QStringLiteral("sud"),   QStringLiteral("Ţesătorie"), QStringLiteral("uzină"),
                                   QStringLiteral("ALFA"),  QString()};
    QList<Row> rows;
    for (int i = 0; i < n; ++i)
        rows.append({i + 1, names.at((i * 7) % names.size()), QStringLiteral("G%1").arg(i % 5)});
    return rows;
}

// The order the query must give, computed apart from SQL: name (RO, NULL first), then k.
QList<Row> referenceOrder(QList<Row> rows)
{
    const RoCollation ro;
    std::stable_sort(rows.begin(), rows.end(), [&ro](const Row &a, const Row &b) {
        if (a.name.isEmpty() != b.name.isEmpty())
            return a.name.isEmpty();
        const int c = a.name.isEmpty() ? 0 : ro.compare(a.name, b.name);
        return c != 0 ? c < 0 : a.k < b.k;
    });
    return rows;
}

class Fixture
{
public:
    explicit Fixture(int n)
        : db(env.dataDir(), env.workstation()), rows(makeRows(n))
    {
        db.open();
        db.run(QStringLiteral("CREATE TABLE \"T\" (\"k\" INTEGER, \"name\" VARCHAR(40), \"grp\" VARCHAR(10))"));
        db.writeTransaction([this] {
            for (const Row &r : rows)
                db.run(QStringLiteral("INSERT INTO \"T\" VALUES (:k, :n, :g)"),
                       {{QStringLiteral(":k"), r.k},
                        {QStringLiteral(":n"), r.name.isEmpty() ? QVariant() : QVariant(r.name)},
                        {QStringLiteral(":g"), r.group}});
        });
    }
    static QString select() { return QStringLiteral("SELECT \"k\", \"name\", \"grp\" FROM \"T\""); }
    static QList<PagedQuery::SortField> byName()
    {
        return {{QStringLiteral("name"), true}, {QStringLiteral("k"), false}};
    }

    TestEnv env;
    Database db;
    QList<Row> rows;
};

using Reading = PagedQuery::Reading;

// Every case read both ways: straight from the query and from its sorted copy.
void addReadings()
{
    QTest::addColumn<Reading>("reading");
}
template <typename Fill>
void bothReadings(const char *name, Fill fill)
{
    fill(QTest::newRow(qPrintable(QStringLiteral("%1, direct").arg(QLatin1String(name)))) << Reading::Direct);
    fill(QTest::newRow(qPrintable(QStringLiteral("%1, sorted").arg(QLatin1String(name)))) << Reading::Sorted);
}

} // namespace

Q_DECLARE_METATYPE(PagedQuery::Reading)

class TestPagedQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The model counts with SQL and holds only the pages shown.
    void modelReadsOnlyWhatIsShown()
    {
        Fixture f(5000);
        PagedQueryModel model(f.db, nullptr, 100);
        model.setQuery(Fixture::select(), {}, {{QStringLiteral("k"), false}});
        QCOMPARE(model.rowCount(), 5000);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.loadedRows(), 0);
        QCOMPARE(model.data(model.index(4321, 0)).toInt(), 4322);
        QCOMPARE(model.data(model.index(4999, 0)).toInt(), 5000);
        QCOMPARE(model.query().pagesRead(), 2);
        QVERIFY(model.loadedRows() <= 200);
        // Browsing the whole table keeps only the last pages.
        for (int row = 0; row < 5000; row += 100)
            QCOMPARE(model.data(model.index(row, 0)).toInt(), row + 1);
        QVERIFY2(model.loadedRows() < 5000 / 2, qPrintable(QString::number(model.loadedRows())));
        QVERIFY(model.data(model.index(5000, 0)).isNull());
    }

    // Rows come in the order of the query across page boundaries, ties and NULLs included.
    void rowsInOrder_data()
    {
        addReadings();
        QTest::addColumn<int>("pageSize");
        bothReadings("small pages", [](QTestData &row) { row << 7; });
        bothReadings("one page", [](QTestData &row) { row << 1000; });
    }
    void rowsInOrder()
    {
        QFETCH(Reading, reading);
        QFETCH(int, pageSize);
        Fixture f(300);
        PagedQuery query(f.db, pageSize, 3);
        query.setQuery(Fixture::select(), {}, Fixture::byName(), reading);
        const QList<Row> expected = referenceOrder(f.rows);
        QCOMPARE(query.count(), int(expected.size()));
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(query.record(i).value(0).toInt(), expected.at(i).k);
        // Only the query's own columns, whichever way it is read.
        QCOMPARE(query.record(0).count(), 3);
        QCOMPARE(query.fields().count(), 3);
    }

    // The row a key is or would be at, as the name search positions.
    void rowsBefore_data()
    {
        addReadings();
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withK");
        QTest::addColumn<int>("k");
        bothReadings("before every name", [](QTestData &row) { row << "a" << false << 0; });
        bothReadings("between two names", [](QTestData &row) { row << "izvoare" << false << 0; });
        bothReadings("an existing name", [](QTestData &row) { row << "Beta" << false << 0; });
        bothReadings("case ignored", [](QTestData &row) { row << "beta" << false << 0; });
        bothReadings("a Romanian letter", [](QTestData &row) { row << "sz" << false << 0; });
        bothReadings("after every name", [](QTestData &row) { row << "zzz" << false << 0; });
        bothReadings("name and number", [](QTestData &row) { row << "sud" << true << 150; });
        bothReadings("null name", [](QTestData &row) { row << QString() << true << 100; });
    }
    void rowsBefore()
    {
        QFETCH(Reading, reading);
        QFETCH(QString, name);
        QFETCH(bool, withK);
        QFETCH(int, k);
        Fixture f(300);
        PagedQuery query(f.db, 50);
        query.setQuery(Fixture::select(), {}, Fixture::byName(), reading);
        const RoCollation ro;
        // Counted apart: rows ordered strictly before (name, k).
        int expected = 0;
        for (const Row &r : f.rows) {
            if (name.isNull()) {
                expected += r.name.isEmpty() && withK && r.k < k;
                continue;
            }
            if (r.name.isEmpty()) {
                ++expected;
                continue;
            }
            const int c = ro.compare(r.name, name);
            expected += c < 0 || (c == 0 && withK && r.k < k);
        }
        QVariantList key{name.isNull() ? QVariant() : QVariant(name)};
        if (withK)
            key << k;
        QCOMPARE(query.rowsBefore(key), expected);
    }

    void findFrom_data()
    {
        addReadings();
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("group");
        bothReadings("from the top", [](QTestData &row) { row << 0 << "G3"; });
        bothReadings("from the middle", [](QTestData &row) { row << 141 << "G1"; });
        bothReadings("from a matching row", [](QTestData &row) { row << 17 << "G2"; });
        bothReadings("nothing left", [](QTestData &row) { row << 299 << "G9"; });
    }
    void findFrom()
    {
        QFETCH(Reading, reading);
        QFETCH(int, from);
        QFETCH(QString, group);
        Fixture f(300);
        PagedQuery query(f.db, 20);
        query.setQuery(Fixture::select(), {}, Fixture::byName(), reading);
        const QList<Row> ordered = referenceOrder(f.rows);
        int expected = -1;
        for (int i = from; i < ordered.size() && expected < 0; ++i)
            if (ordered.at(i).group == group)
                expected = i;
        QCOMPARE(query.findFrom(from, QStringLiteral("q.\"grp\" = :g"), {{QStringLiteral(":g"), group}}), expected);
    }

    // A reset reads the table as it is now.
    void resetSeesChanges_data()
    {
        addReadings();
        QTest::newRow("direct") << Reading::Direct;
        QTest::newRow("sorted") << Reading::Sorted;
    }
    void resetSeesChanges()
    {
        QFETCH(Reading, reading);
        Fixture f(40);
        PagedQueryModel model(f.db, nullptr, 10);
        model.setQuery(Fixture::select(), {}, {{QStringLiteral("k"), false}}, reading);
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 1);
        f.db.run(QStringLiteral("DELETE FROM \"T\" WHERE \"k\" <= 5"));
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 1); // the page held
        model.refresh();
        QCOMPARE(model.rowCount(), 35);
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 6);
    }

    // Two sorted queries on one connection keep their own copies; a copy goes with its query.
    void sortedCopiesApart()
    {
        Fixture f(60);
        auto tables = [&f] {
            QSqlQuery q = f.db.run(QStringLiteral("SELECT COUNT(*) FROM sqlite_temp_master WHERE type = 'table'"));
            return q.next() ? q.value(0).toInt() : -1;
        };
        {
            PagedQuery byK(f.db, 10);
            byK.setQuery(Fixture::select(), {}, {{QStringLiteral("k"), false}}, Reading::Sorted);
            PagedQuery byName(f.db, 10);
            byName.setQuery(QStringLiteral("SELECT * FROM \"T\" WHERE \"grp\" = :g"), {{QStringLiteral(":g"), QStringLiteral("G1")}},
                            Fixture::byName(), Reading::Sorted);
            QCOMPARE(byK.count(), 60);
            QCOMPARE(byName.count(), 12);
            QCOMPARE(byK.record(59).value(0).toInt(), 60);
            QCOMPARE(byName.record(0).value(2).toString(), QStringLiteral("G1"));
            QCOMPARE(tables(), 2);
        }
        QCOMPARE(tables(), 0);
    }
};

TESSARO_TEST_MAIN(TestPagedQuery)
#include "tst_pagedquery.moc"
