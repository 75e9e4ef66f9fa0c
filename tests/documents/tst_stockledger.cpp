#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/ScriptedMessages.h"
#include "documents/DocumentRefusal.h"
#include "documents/InitialStock.h"
#include "documents/StockAtDate.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"

#include <QRandomGenerator>

using namespace ledger_test;

static constexpr double kEps = 0.00001;

class TestStockLedger : public QObject
{
    Q_OBJECT

private:
    EntryLine initialLine(const QString &unit, const QString &article, double price, double quantity) const
    {
        EntryLine l;
        l.unit = unit;
        l.group = QStringLiteral("2.1");
        l.article = article;
        l.priceLei = price;
        l.quantity = quantity;
        l.name = QStringLiteral("Calculator");
        l.domain = QStringLiteral("Privat");
        l.lot = QDate(2020, 1, 15);
        l.durataTotala = 36;
        l.calcAmortizare = true;
        return l;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void changeStock_data()
    {
        QTest::addColumn<bool>("filledLotAgent");
        QTest::addColumn<QVariant>("start"); // null: no row
        QTest::addColumn<double>("delta");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QVariant>("result"); // null: no row
        QTest::addColumn<bool>("refused");
        for (bool filled : {false, true}) {
            const char *k = filled ? " (lot, budget)" : " (NULL lot, budget)";
            auto row = [&](const char *name) -> QTestData & {
                return QTest::newRow(qPrintable(QString::fromUtf8(name) + QLatin1String(k)));
            };
            row("new row") << filled << QVariant() << 2.0 << true << QVariant(2.0) << false;
            row("added to the one row") << filled << QVariant(1.0) << 2.0 << true << QVariant(3.0) << false;
            row("1 - 1 removes") << filled << QVariant(1.0) << -1.0 << true << QVariant() << false;
            row("1 - 0.999995 removes") << filled << QVariant(1.0) << -0.999995 << true << QVariant() << false;
            row("1 - 0.99 leaves 0.01") << filled << QVariant(1.0) << -0.99 << true << QVariant(0.01) << false;
            row("1 - 1.000005 within tolerance") << filled << QVariant(1.0) << -1.000005 << true << QVariant() << false;
            row("1 - 2 refused") << filled << QVariant(1.0) << -2.0 << true << QVariant(1.0) << true;
            row("no row, removal refused") << filled << QVariant() << -1.0 << true << QVariant() << true;
            row("initial stock: no check") << filled << QVariant(1.0) << -2.0 << false << QVariant(-1.0) << false;
            row("initial stock: new negative row") << filled << QVariant() << -1.0 << false << QVariant(-1.0) << false;
        }
    }
    void changeStock()
    {
        QFETCH(bool, filledLotAgent);
        QFETCH(QVariant, start);
        QFETCH(double, delta);
        QFETCH(bool, check);
        QFETCH(QVariant, result);
        QFETCH(bool, refused);
        StockKey key{QStringLiteral("A1"), QStringLiteral("2.1"), QStringLiteral("X/001"), 5000, {}, {}};
        if (filledLotAgent) {
            key.lot = QDate(2021, 3, 4);
            key.agent = QStringLiteral("B01");
        }
        StockKey other = key;
        other.price = 4000;
        StockLedger ledger(*m_db, kEps);
        ledger.ChangeStock(other, 7);
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
        QSqlQuery rows = m_db->run(QStringLiteral("SELECT COUNT(*) FROM \"Stoc\""));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), result.isNull() ? 1 : 2);
        if (!result.isNull())
            QVERIFY(qAbs(ledger.quantity(key) - result.toDouble()) < 1e-9);
        QCOMPARE(ledger.quantity(other), 7.0);
    }

    void initialStockLines()
    {
        InitialStock initial(*m_db, kEps);
        initial.ensureDocument(QDate(2020, 1, 1));
        initial.ensureDocument(QDate(2022, 1, 1)); // already there: unchanged
        QCOMPARE(initial.date(), QDate(2020, 1, 1));
        QSqlQuery doc = m_db->run(QStringLiteral("SELECT \"Tip\", \"Explicatie\", \"Data_inregistrarii\" FROM \"Doc_in\" WHERE \"Contor\" = -1"));
        QVERIFY(doc.next());
        QCOMPARE(doc.value(0).toString(), QStringLiteral("XXX"));
        QCOMPARE(doc.value(1).toString(), QStringLiteral("Introducere stocuri initiale"));
        QVERIFY(doc.value(2).isNull());

        // Two lines of one key share a row; 1 -> 3 adds 2; a price change moves all of it.
        EntryLine a = initial.saveLine(initialLine(QStringLiteral("A1"), QStringLiteral("X/001"), 100, 1));
        EntryLine b = initial.saveLine(initialLine(QStringLiteral("A1"), QStringLiteral("X/001"), 100, 2));
        QCOMPARE(a.contorSecundar.value_or(0), 1.0);
        QCOMPARE(b.contorSecundar.value_or(0), 2.0);
        QCOMPARE(stockRows(*m_db), QStringList{"A1|2.1|X/001|100|2020-01-15|-|3"});
        a.quantity = 3;
        initial.saveLine(a);
        QCOMPARE(stockRows(*m_db), QStringList{"A1|2.1|X/001|100|2020-01-15|-|5"});
        a.priceLei = 120;
        initial.saveLine(a);
        QCOMPARE(stockRows(*m_db), (QStringList{"A1|2.1|X/001|100|2020-01-15|-|2", "A1|2.1|X/001|120|2020-01-15|-|3"}));
        initial.deleteLine(*b.contorSecundar);
        initial.deleteLine(*a.contorSecundar);
        QCOMPARE(stockRows(*m_db), QStringList{});

        // Incomplete: refused, nothing written.
        EntryLine incomplete = initialLine(QStringLiteral("A1"), QStringLiteral("X/002"), 100, 1);
        incomplete.domain.clear();
        try {
            initial.saveLine(incomplete);
            QFAIL("incomplete line saved");
        } catch (const DocumentRefusal &r) {
            QCOMPARE(r.text(), QStringLiteral("Completati toate datele articolului!"));
        }
        QCOMPARE(stockRows(*m_db), QStringList{});
        QCOMPARE(stockRows(*m_db, QStringLiteral("(SELECT *, \"Pret_achizitie_lei\" AS \"Pret_achizitie\" FROM \"Item_in\")")), QStringList{});
    }

    // Random initial-stock saves, edits and deletions, exit lines taken out and put back
    // (refused ones included), documents of any date: the stock always equals what the
    // recalculation rebuilds.
    void recalculationMatchesLedger_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2024u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void recalculationMatchesLedger()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        InitialStock initial(*m_db, kEps);
        initial.ensureDocument(QDate(2020, 1, 1));
        StockLedger ledger(*m_db, kEps);
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2099-01-01")); // after today: counts too
        const QStringList units{QStringLiteral("A1"), QStringLiteral("B2")};
        QList<EntryLine> saved;
        double exitLine = 0;
        for (int step = 0; step < 150; ++step) {
            const int action = random.bounded(4);
            if (action == 0 || saved.isEmpty()) {
                EntryLine l = initialLine(units.at(random.bounded(2)), QStringLiteral("X/%1").arg(random.bounded(3)),
                                          random.bounded(2) ? 100 : 250, random.bounded(1, 4));
                if (random.bounded(2))
                    l.agent = QStringLiteral("B1");
                saved << initial.saveLine(l);
            } else if (action == 1) {
                EntryLine &l = saved[random.bounded(qsizetype(saved.size()))];
                l.quantity = random.bounded(1, 5) + 0.5 * random.bounded(2);
                if (random.bounded(3) == 0)
                    l.lot = l.lot.addDays(1);
                l = initial.saveLine(l);
            } else if (action == 2) {
                initial.deleteLine(*saved.takeAt(random.bounded(qsizetype(saved.size()))).contorSecundar);
            } else {
                // An exit line: taken out of stock when there is enough, refused otherwise.
                const EntryLine &l = saved.at(random.bounded(qsizetype(saved.size())));
                const double q = random.bounded(1, 4);
                try {
                    m_db->writeTransaction([&] {
                        ledger.ChangeStock(l.stockKey(), -q);
                        addLine(*m_db, "Item_out", 1, ++exitLine,
                                {l.unit, l.group, l.article, *l.priceLei, l.lot.toString(Qt::ISODate), l.agent, q});
                    });
                } catch (const DocumentRefusal &) {
                }
            }
        }
        const QStringList kept = stockRows(*m_db);
        QVERIFY(!kept.isEmpty());
        QCOMPARE(StockRecalculation(*m_db, kEps).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(*m_db), kept);
    }

    void recalculationRefusedWhileBusy()
    {
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2024-01-01"));
        addLine(*m_db, "Item_in", 1, 1, {QStringLiteral("A1"), QStringLiteral("2.1"), QStringLiteral("X/001"), 10, {}, {}, 2});
        Database other(m_env->dataDir(), m_env->workstation(), QStringLiteral("other"));
        other.open();
        other.run(QStringLiteral("BEGIN IMMEDIATE"));
        ScriptedMessages messages;
        StockRecalculation recalc(*m_db, kEps);
        recalc.setBusyWait(100);
        QVERIFY(!recalc.run(messages));
        QCOMPARE(messages.texts(), QStringList{StockRecalculation::busyText()});
        other.run(QStringLiteral("ROLLBACK"));
        QCOMPARE(stockRows(*m_db), QStringList{});
        messages.clear();
        QVERIFY(recalc.run(messages));
        QCOMPARE(messages.texts(), QStringList{"Recalcularea stocurilor curente s-a efectuat cu succes!"});
        QCOMPARE(stockRows(*m_db), QStringList{"A1|2.1|X/001|10|-|-|2"});
    }

    void stockAtDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QStringList>("rows"); // empty: "no documents"
        const QString init = QStringLiteral("A1|2.1|X/001|100|2020-01-15|-|0|1");
        const QString quoted = QStringLiteral("Q'\"1|2.1|Z/001|1|-|-|0|4");
        QTest::newRow("before everything: initial stock counts")
            << QDate(2019, 1, 1) << QStringList{} << QStringList{init};
        QTest::newRow("entry on its date, exit not yet")
            << QDate(2024, 1, 10) << QStringList{}
            << QStringList{init, "A1|2.1|X/002|50|-|B1|0|2", quoted};
        QTest::newRow("exit taken, exit without entry")
            << QDate(2024, 2, 15) << QStringList{}
            << QStringList{init, "A1|2.1|X/002|50|-|B1|1|2", "B2|2.1|Y/001|70|-|-|1|0", quoted};
        QTest::newRow("one unit") << QDate(2024, 12, 31) << QStringList{"B2"}
                                  << QStringList{"B2|2.1|X/003|80|-|-|0|1", "B2|2.1|Y/001|70|-|-|1|0"};
        QTest::newRow("unit with quotes") << QDate(2024, 12, 31) << QStringList{"Q'\"1"}
                                          << QStringList{quoted};
        QTest::newRow("hostile unit matches nothing")
            << QDate(2024, 12, 31) << QStringList{"A1') OR 1=1 --"} << QStringList{};
        QTest::newRow("unit without entries at the date") << QDate(2024, 1, 1) << QStringList{"B2"} << QStringList{};
    }
    void stockAtDate()
    {
        QFETCH(QDate, date);
        QFETCH(QStringList, units);
        QFETCH(QStringList, rows);
        InitialStock(*m_db, kEps).ensureDocument(QDate(2021, 6, 1));
        addLine(*m_db, "Item_in", -1, 1, {"A1", "2.1", "X/001", 100, "2020-01-15", {}, 1});
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2024-01-10"));
        addLine(*m_db, "Item_in", 1, 1, {"A1", "2.1", "X/002", 50, {}, "B1", 2});
        addLine(*m_db, "Item_in", 1, 2, {"Q'\"1", "2.1", "Z/001", 1, {}, {}, 4});
        addDocument(*m_db, "Doc_in", 2, QStringLiteral("2024-03-01"));
        addLine(*m_db, "Item_in", 2, 1, {"B2", "2.1", "X/003", 80, {}, {}, 1});
        addLine(*m_db, "Item_in", 7, 1, {"A1", "2.1", "X/009", 80, {}, {}, 1}); // no header: ignored
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2024-02-01"));
        addLine(*m_db, "Item_out", 1, 1, {"A1", "2.1", "X/002", 50, {}, "B1", 1});
        addDocument(*m_db, "Doc_out", 2, QStringLiteral("2024-02-15"));
        addLine(*m_db, "Item_out", 2, 1, {"B2", "2.1", "Y/001", 70, {}, {}, 1});

        ScriptedMessages messages;
        StockAtDate stock(*m_db, true);
        const bool built = stock.build(date, units, messages);
        QCOMPARE(built, !rows.isEmpty());
        if (!built) {
            QCOMPARE(messages.texts(), QStringList{"Nu exista documente pentru gestiunea si data specificate!"});
            return;
        }
        QVERIFY(messages.isEmpty());
        QCOMPARE(stockRows(*m_db, QStringLiteral("\"PVL_PRIV\".\"ANSW_ST\""), QStringLiteral("\"QOut\", \"QIn\"")),
                 rows);
    }

    // Without lots, lines of one key that differ only in `Lot` make one row with the
    // earliest date.
    void withoutLots()
    {
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2024-01-10"));
        addLine(*m_db, "Item_in", 1, 1, {"A1", "2.1", "X/001", 10, "2023-05-01", {}, 1});
        addLine(*m_db, "Item_in", 1, 2, {"A1", "2.1", "X/001", 10, "2022-05-01", {}, 2});
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2024-01-11"));
        addLine(*m_db, "Item_out", 1, 1, {"A1", "2.1", "X/001", 10, "2023-05-01", {}, 1});
        QVERIFY(StockAtDate(*m_db, false).build(QDate(2024, 2, 1), {}));
        QCOMPARE(stockRows(*m_db, QStringLiteral("\"PVL_PRIV\".\"ANSW_ST\""), QStringLiteral("\"QOut\", \"QIn\"")),
                 QStringList{"A1|2.1|X/001|10|2022-05-01|-|1|3"});
        QVERIFY(StockAtDate(*m_db, true).build(QDate(2024, 2, 1), {}));
        QCOMPARE(stockRows(*m_db, QStringLiteral("\"PVL_PRIV\".\"ANSW_ST\""), QStringLiteral("\"QOut\", \"QIn\"")),
                 (QStringList{"A1|2.1|X/001|10|2022-05-01|-|0|2", "A1|2.1|X/001|10|2023-05-01|-|1|1"}));
    }

    // Empty texts and missing values of a key are one key, whichever way a line was stored.
    void emptyAndMissingAreOneKey_data()
    {
        QTest::addColumn<bool>("withLots");
        QTest::newRow("with lots") << true;
        QTest::newRow("without lots") << false;
    }
    void emptyAndMissingAreOneKey()
    {
        QFETCH(bool, withLots);
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2024-01-10"));
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2024-01-11"));
        const char *insert = "INSERT INTO \"%1\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                             "\"Cod_articol\", \"%2\", \"Lot\", \"Agent\", \"Cantitate\") VALUES (1, %3)";
        for (const char *values : {"1, 'A1', '2.1', 'X/001', NULL, NULL, NULL, 2", "2, 'A1', '2.1', 'X/001', 0, '', '', 3",
                                   "3, 'A1', '2.1', '', 5, NULL, NULL, 9"})
            m_db->run(QString::fromLatin1(insert).arg(QStringLiteral("Item_in"), QStringLiteral("Pret_achizitie_lei"),
                                                      QLatin1String(values)));
        m_db->run(QString::fromLatin1(insert).arg(QStringLiteral("Item_out"), QStringLiteral("Pret_achizitie"),
                                                  QStringLiteral("1, 'A1', '2.1', 'X/001', 0, '', NULL, 1")));
        QVERIFY(StockAtDate(*m_db, withLots).build(QDate(2024, 2, 1), {}));
        QCOMPARE(stockRows(*m_db, QStringLiteral("\"PVL_PRIV\".\"ANSW_ST\""), QStringLiteral("\"QOut\", \"QIn\"")),
                 QStringList{"A1|2.1|X/001|0|-|-|1|5"});
    }

    void unitList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("units");
        QTest::newRow("all") << "" << QStringList{};
        QTest::newRow("two") << "\"A1\",\"B2\"" << QStringList{"A1", "B2"};
        QTest::newRow("quote and comma inside") << "\"Q\"\"1\",\"C,2\"" << QStringList{"Q\"1", "C,2"};
    }
    void unitList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, units);
        QCOMPARE(StockAtDate::parseUnitList(text), units);
        QCOMPARE(StockAtDate::unitListText(units), text);
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
};

TESSARO_TEST_MAIN(TestStockLedger)
#include "tst_stockledger.moc"
