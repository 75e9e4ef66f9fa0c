#include "TestEnv.h"

#include "LedgerFixture.h"
#include "documents/DocumentRefusal.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"

using namespace ledger_test;

// The quantity tolerance at its exact edges. Epsilon is a power of two here, so that
// 1 - 0.75 is exactly epsilon and no rounding of the arithmetic decides a case.
static constexpr double kEps = 0.25;

class TestTolerance : public QObject
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

    // A document line keeps a row of exactly epsilon and is refused at exactly
    // -epsilon; the initial stock keeps a row of exactly -epsilon.
    void changeStockAtEpsilon_data()
    {
        QTest::addColumn<QVariant>("start"); // null: no row
        QTest::addColumn<double>("delta");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QVariant>("result"); // null: no row
        QTest::addColumn<bool>("refused");
        QTest::newRow("1 - 0.75 keeps exactly epsilon") << QVariant(1.0) << -0.75 << true << QVariant(0.25) << false;
        QTest::newRow("1 - 0.875 below epsilon: removed") << QVariant(1.0) << -0.875 << true << QVariant() << false;
        QTest::newRow("1 - 1.125 above -epsilon: removed") << QVariant(1.0) << -1.125 << true << QVariant() << false;
        QTest::newRow("1 - 1.25 exactly -epsilon: refused") << QVariant(1.0) << -1.25 << true << QVariant(1.0) << true;
        QTest::newRow("epsilon + epsilon") << QVariant(0.25) << 0.25 << true << QVariant(0.5) << false;
        QTest::newRow("epsilon - epsilon: removed") << QVariant(0.25) << -0.25 << true << QVariant() << false;
        QTest::newRow("no row, epsilon added") << QVariant() << 0.25 << true << QVariant(0.25) << false;
        QTest::newRow("no row, epsilon taken: refused") << QVariant() << -0.25 << true << QVariant() << true;
        QTest::newRow("initial stock: exactly -epsilon kept") << QVariant(1.0) << -1.25 << false << QVariant(-0.25) << false;
        QTest::newRow("initial stock: above -epsilon removed") << QVariant(1.0) << -1.125 << false << QVariant() << false;
    }
    void changeStockAtEpsilon()
    {
        QFETCH(QVariant, start);
        QFETCH(double, delta);
        QFETCH(bool, check);
        QFETCH(QVariant, result);
        QFETCH(bool, refused);
        const StockKey key{QStringLiteral("A1"), QStringLiteral("2.1"), QStringLiteral("X/001"), 10, {}, {}};
        StockLedger ledger(*m_db, kEps);
        if (!start.isNull())
            ledger.ChangeStock(key, start.toDouble());
        bool wasRefused = false;
        try {
            ledger.ChangeStock(key, delta, {}, check ? StockLedger::NegativeCheck::Refuse : StockLedger::NegativeCheck::Allow);
        } catch (const DocumentRefusal &r) {
            wasRefused = true;
            QCOMPARE(r.text(), StockLedger::negativeStockText());
        }
        QCOMPARE(wasRefused, refused);
        QCOMPARE(stockRows(*m_db), result.isNull() ? QStringList{}
                                                   : QStringList{QStringLiteral("A1|2.1|X/001|10|-|-|%1")
                                                                     .arg(result.toDouble())});
    }

    // The recalculation appends a key when its quantity lies strictly outside
    // +-epsilon, negative quantities included; rows found in the stock go first.
    void recalculationAtEpsilon_data()
    {
        QTest::addColumn<double>("in");  // 0: no entry line
        QTest::addColumn<double>("out"); // 0: no exit line
        QTest::addColumn<QStringList>("stock");
        const QString row = QStringLiteral("A1|2.1|X/001|10|2020-01-15|-|");
        QTest::newRow("exactly epsilon: left out") << 1.0 << 0.75 << QStringList{};
        QTest::newRow("exactly -epsilon: left out") << 1.0 << 1.25 << QStringList{};
        QTest::newRow("within the tolerance: left out") << 1.0 << 0.875 << QStringList{};
        QTest::newRow("above epsilon") << 0.375 << 0.0 << QStringList{row + "0.375"};
        QTest::newRow("negative stock row kept") << 1.0 << 1.5 << QStringList{row + "-0.5"};
        QTest::newRow("exit without entry: negative row kept") << 0.0 << 2.0 << QStringList{row + "-2"};
    }
    void recalculationAtEpsilon()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QFETCH(QStringList, stock);
        const Line l{QStringLiteral("A1"), QStringLiteral("2.1"), QStringLiteral("X/001"), 10,
                     QStringLiteral("2020-01-15"), {}, 0};
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2020-01-20"));
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2020-02-20"));
        if (in) {
            Line entry = l;
            entry.quantity = in;
            addLine(*m_db, "Item_in", 1, 1, entry);
        }
        if (out) {
            Line exit = l;
            exit.quantity = out;
            addLine(*m_db, "Item_out", 1, 1, exit);
        }
        // Whatever the current stock held is replaced.
        StockLedger(*m_db, kEps).ChangeStock({QStringLiteral("B2"), QStringLiteral("2.1"), QStringLiteral("Y/001"), 5, {}, {}}, 3);
        // Another key that stays, so that the edge case is not the only row.
        addLine(*m_db, "Item_in", 1, 2, {QStringLiteral("A1"), QStringLiteral("2.1"), QStringLiteral("X/002"), 20, {}, {}, 2});
        QCOMPARE(StockRecalculation(*m_db, kEps).run(), StockRecalculation::Outcome::Done);
        stock << QStringLiteral("A1|2.1|X/002|20|-|-|2");
        stock.sort();
        QCOMPARE(stockRows(*m_db), stock);
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
};

TESSARO_TEST_MAIN(TestTolerance)
#include "tst_tolerance.moc"
