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

} // namespace

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
        QTest::addColumn<int>("pageSize");
        QTest::newRow("small pages") << 7;
        QTest::newRow("one page") << 1000;
    }
    void rowsInOrder()
    {
        QFETCH(int, pageSize);
        Fixture f(300);
        PagedQuery query(f.db, pageSize, 3);
        query.setQuery(Fixture::select(), {}, Fixture::byName());
        const QList<Row> expected = referenceOrder(f.rows);
        QCOMPARE(query.count(), int(expected.size()));
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(query.record(i).value(0).toInt(), expected.at(i).k);
    }

    // The row a key is or would be at, as the name search positions.
    void rowsBefore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withK");
        QTest::addColumn<int>("k");
        QTest::newRow("before every name") << "a" << false << 0;
        QTest::newRow("between two names") << "izvoare" << false << 0;
        QTest::newRow("an existing name") << "Beta" << false << 0;
        QTest::newRow("case ignored") << "beta" << false << 0;
        QTest::newRow("a Romanian letter") << "sz" << false << 0;
        QTest::newRow("after every name") << "zzz" << false << 0;
        QTest::newRow("name and number") << "sud" << true << 150;
        QTest::newRow("null name") << QString() << true << 100;
    }
    void rowsBefore()
    {
        QFETCH(QString, name);
        QFETCH(bool, withK);
        QFETCH(int, k);
        Fixture f(300);
        PagedQuery query(f.db, 50);
        query.setQuery(Fixture::select(), {}, Fixture::byName());
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
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("group");
        QTest::newRow("from the top") << 0 << "G3";
        QTest::newRow("from the middle") << 141 << "G1";
        QTest::newRow("from a matching row") << 17 << "G2";
        QTest::newRow("nothing left") << 299 << "G9";
    }
    void findFrom()
    {
        QFETCH(int, from);
        QFETCH(QString, group);
        Fixture f(300);
        PagedQuery query(f.db, 20);
        query.setQuery(Fixture::select(), {}, Fixture::byName());
        const QList<Row> ordered = referenceOrder(f.rows);
        int expected = -1;
        for (int i = from; i < ordered.size() && expected < 0; ++i)
            if (ordered.at(i).group == group)
                expected = i;
        QCOMPARE(query.findFrom(from, QStringLiteral("q.\"grp\" = :g"), {{QStringLiteral(":g"), group}}), expected);
    }

    // A reset reads the table as it is now.
    void resetSeesChanges()
    {
        Fixture f(40);
        PagedQueryModel model(f.db, nullptr, 10);
        model.setQuery(Fixture::select(), {}, {{QStringLiteral("k"), false}});
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 1);
        f.db.run(QStringLiteral("DELETE FROM \"T\" WHERE \"k\" <= 5"));
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 1); // the page held
        model.refresh();
        QCOMPARE(model.rowCount(), 35);
        QCOMPARE(model.data(model.index(0, 0)).toInt(), 6);
    }
};

TESSARO_TEST_MAIN(TestPagedQuery)
#include "tst_pagedquery.moc"
