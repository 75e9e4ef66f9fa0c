#include "TestEnv.h"

#include "LedgerFixture.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/InventoryNumbers.h"
#include "documents/LineNumbers.h"
#include "documents/SerialNumbers.h"
#include "documents/StockLedger.h"

#include "db/DbError.h"

#include <QSet>
#include <QSqlDriver>
#include <QThread>

#include <barrier>

#include <sqlite3.h>

using namespace ledger_test;

namespace {

// The other workstation of counterBetweenStatements(): allocates a number whenever it
// is let in and the database is free.
struct Interloper
{
    Counter counter;
    QList<double> numbers;
    bool busy = false;

    static int onStatement(unsigned, void *context, void *, void *)
    {
        auto *self = static_cast<Interloper *>(context);
        if (self->busy)
            return 0;
        self->busy = true;
        try {
            self->numbers << self->counter.allocate(Counter::Kind::In);
        } catch (const DbError &) {
            // The database was held by the statement's own transaction.
        }
        self->busy = false;
        return 0;
    }
};

} // namespace

class TestNumbering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void counter_data()
    {
        QTest::addColumn<QVariant>("start");
        QTest::addColumn<int>("laterAllocations");
        QTest::addColumn<bool>("abandon");
        QTest::addColumn<double>("own");
        QTest::addColumn<double>("stored");
        QTest::newRow("41 then 42, abandoned: 41 again") << QVariant(41.0) << 0 << true << 42.0 << 41.0;
        QTest::newRow("abandoned after 43 was taken: 43 stays") << QVariant(41.0) << 1 << true << 42.0 << 43.0;
        QTest::newRow("kept") << QVariant(41.0) << 0 << false << 42.0 << 42.0;
        QTest::newRow("empty field starts at 1") << QVariant() << 0 << false << 1.0 << 1.0;
        QTest::newRow("no row yet") << QVariant(-1.0) << 0 << false << 1.0 << 1.0;
    }
    void counter()
    {
        QFETCH(QVariant, start);
        QFETCH(int, laterAllocations);
        QFETCH(bool, abandon);
        QFETCH(double, own);
        QFETCH(double, stored);
        if (start != QVariant(-1.0))
            m_db->run(QStringLiteral("INSERT INTO \"Counter\" (\"NewCounterIn\", \"NewCounterOut\") VALUES (:n, 7)"),
                      {{QStringLiteral(":n"), start}});
        Counter counter(*m_db);
        QCOMPARE(counter.allocate(Counter::Kind::In), own);
        for (int i = 0; i < laterAllocations; ++i)
            counter.allocate(Counter::Kind::In);
        if (abandon)
            counter.giveBack(Counter::Kind::In, own);
        QCOMPARE(counter.last(Counter::Kind::In), stored);
        // An old document deleted later never lowers the counter.
        counter.giveBack(Counter::Kind::In, 5);
        QCOMPARE(counter.last(Counter::Kind::In), stored);
        QCOMPARE(counter.last(Counter::Kind::Out), start == QVariant(-1.0) ? 0.0 : 7.0);
        QSqlQuery rows = m_db->run(QStringLiteral("SELECT COUNT(*) FROM \"Counter\""));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 1);
    }

    // Two workstations (connections of their own, in threads) allocating numbers and
    // adding stock at the same time: no number twice, no quantity lost, one stock row.
    // A barrier starts every round's allocations together, so that they meet in each
    // round, and no thread can starve the other in SQLite's unfair busy wait.
    void twoConnections()
    {
        constexpr int perThread = 100;
        QList<double> numbers[2];
        QString failures[2];
        std::barrier round(2);
        auto work = [&](int which) {
            int rounds = 0;
            try {
                Database db(m_env->dataDir(), m_env->workstation(), QStringLiteral("ws%1").arg(which));
                db.open();
                // No disk sync in a throw-away directory: the rounds meet more often.
                db.run(QStringLiteral("PRAGMA synchronous = OFF"));
                Counter counter(db);
                StockLedger ledger(db, 0.00001);
                const StockKey key{QStringLiteral("A1"), QStringLiteral("X"), QStringLiteral("X/001"), 10, {}, {}};
                for (; rounds < perThread; ++rounds) {
                    round.arrive_and_wait();
                    numbers[which] << counter.allocate(Counter::Kind::Out);
                    ledger.ChangeStock(key, 1);
                }
            } catch (const std::exception &e) {
                failures[which] = QString::fromUtf8(e.what());
                // The other thread must not wait for rounds this one will not run.
                round.arrive_and_drop();
            }
        };
        QThread *a = QThread::create(work, 0);
        QThread *b = QThread::create(work, 1);
        a->start();
        b->start();
        QVERIFY(a->wait(120000) && b->wait(120000));
        delete a;
        delete b;
        QCOMPARE(failures[0], QString());
        QCOMPARE(failures[1], QString());
        QSet<double> all;
        for (const auto &list : numbers)
            for (double n : list)
                all.insert(n);
        QCOMPARE(all.size(), 2 * perThread);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::Out), 2.0 * perThread);
        QCOMPARE(stockRows(*m_db), QStringList{QStringLiteral("A1|X|X/001|10|-|-|%1").arg(2 * perThread)});
    }

    // Another workstation allocating at every moment it can get the database between
    // two statements of ours: each allocation is one whole transaction, so the numbers
    // stay unique whatever the interleaving. Deterministic: SQLite's statement trace
    // lets the other connection in before each statement of this one starts.
    void counterBetweenStatements()
    {
        Database ours(m_env->dataDir(), m_env->workstation(), QStringLiteral("ours"));
        ours.open();
        Database other(m_env->dataDir(), m_env->workstation(), QStringLiteral("other"));
        other.open();
        // Never waits: while we hold the write lock its allocation is simply refused.
        other.run(QStringLiteral("PRAGMA busy_timeout = 0"));
        Interloper interloper{Counter(other), {}, false};
        const QVariant handle = ours.connection().driver()->handle();
        QCOMPARE(handle.typeName(), "sqlite3*");
        sqlite3 *db = *static_cast<sqlite3 *const *>(handle.constData());
        QCOMPARE(sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &Interloper::onStatement, &interloper), SQLITE_OK);
        QList<double> own;
        Counter counter(ours);
        for (int i = 0; i < 20; ++i)
            own << counter.allocate(Counter::Kind::In);
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
        // It did get in, before some statements at least.
        QVERIFY(!interloper.numbers.isEmpty());
        QSet<double> all(own.cbegin(), own.cend());
        for (double n : std::as_const(interloper.numbers))
            all.insert(n);
        QCOMPARE(all.size(), own.size() + interloper.numbers.size());
        QCOMPARE(Counter(*m_db).last(Counter::Kind::In), double(all.size()));
    }

    void lineNumbers_data()
    {
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<double>("next");
        QTest::newRow("first line") << QList<int>{} << 0 << 1.0;
        QTest::newRow("middle deleted: not reused") << QList<int>{1, 2, 3} << 2 << 4.0;
        QTest::newRow("highest deleted: reused") << QList<int>{1, 2, 3} << 3 << 3.0;
    }
    void lineNumbers()
    {
        QFETCH(QList<int>, lines);
        QFETCH(int, deleted);
        QFETCH(double, next);
        for (int n : lines) {
            addLine(*m_db, "Item_out", 8, n, {});
            addLine(*m_db, "Item_out", 9, n * 10, {}); // another document's lines do not count
        }
        m_db->run(QStringLiteral("DELETE FROM \"Item_out\" WHERE \"Contor\" = 8 AND \"Contor_secundar\" = :n"),
                  {{QStringLiteral(":n"), deleted}});
        QCOMPARE(LineNumbers(*m_db).next(LineNumbers::Table::ItemOut, 8), next);
        QCOMPARE(LineNumbers(*m_db).next(LineNumbers::Table::ItemIn, 8), 1.0);
    }

    void inventoryNumbers_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("first") << "X" << QStringList{"Y/005"} << "X/001";
        QTest::newRow("next") << "X" << QStringList{"X/005", "X/006"} << "X/007";
        QTest::newRow("998 then 999") << "X" << QStringList{"X/998"} << "X/999";
        QTest::newRow("after 999 refused") << "X" << QStringList{"X/001", "X/999"} << "";
        QTest::newRow("text order: X/12 above X/100") << "X" << QStringList{"X/100", "X/12"} << "X/013";
        QTest::newRow("not a number") << "X" << QStringList{"X/abc"} << "X/001";
        QTest::newRow("underscore is no wildcard") << "2_1" << QStringList{"2A1/050"} << "2_1/001";
        QTest::newRow("code with a slash") << "2/1" << QStringList{"2/1/004"} << "2/1/005";
    }
    void inventoryNumbers()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        int n = 0;
        for (const QString &code : existing)
            addLine(*m_db, "Item_in", 1, ++n, {QStringLiteral("A1"), group, code, 1, {}, {}, 1});
        InventoryNumbers numbers(*m_db);
        if (expected.isEmpty()) {
            try {
                numbers.next(group);
                QFAIL("no refusal");
            } catch (const DocumentRefusal &r) {
                QCOMPARE(r.text(), QStringLiteral("Pentru acest produs nu se poate genera cod automat!"));
            }
        } else {
            QCOMPARE(numbers.next(group), expected);
        }
    }

    void serialRows_data()
    {
        QTest::addColumn<bool>("wasOn");
        QTest::addColumn<double>("oldQuantity");
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<double>("newQuantity");
        QTest::addColumn<int>("rows");
        QTest::newRow("switched on, 2.6 -> 3 rows") << false << 0.0 << true << 2.6 << 3;
        QTest::newRow("switched on, half goes to even") << false << 0.0 << true << 2.5 << 2;
        QTest::newRow("switched on, zero") << false << 0.0 << true << 0.0 << 0;
        QTest::newRow("switched on, negative") << false << 0.0 << true << -2.0 << 0;
        QTest::newRow("switched off") << true << 3.0 << false << 3.0 << 0;
        QTest::newRow("quantity changed: made anew") << true << 3.0 << true << 5.0 << 5;
        QTest::newRow("unchanged: kept") << true << 3.0 << true << 3.0 << 3;
    }
    void serialRows()
    {
        QFETCH(bool, wasOn);
        QFETCH(double, oldQuantity);
        QFETCH(bool, isOn);
        QFETCH(double, newQuantity);
        QFETCH(int, rows);
        SerialNumbers serials(*m_db);
        if (wasOn)
            serials.create(4, 2, QStringLiteral("X"), QStringLiteral("X/001"), oldQuantity);
        // Numbers typed by the user are lost only when the rows are made anew.
        m_db->run(QStringLiteral("UPDATE \"Serie\" SET \"Serie\" = rowid + 100"));
        serials.create(4, 3, QStringLiteral("X"), QStringLiteral("X/002"), 1); // another line
        serials.lineSaved(4, 2, QStringLiteral("X"), QStringLiteral("X/001"), {wasOn, oldQuantity}, {isOn, newQuantity});
        QCOMPARE(serials.count(4, 2), rows);
        QCOMPARE(serials.count(4, 3), 1);
        const bool kept = wasOn && isOn && oldQuantity == newQuantity;
        QCOMPARE(serials.find(101).has_value(), kept);
        if (kept)
            QCOMPARE(serials.find(101)->contorSec, 2.0);
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
};

TESSARO_TEST_MAIN(TestNumbering)
#include "tst_numbering.moc"
