#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/EntryDocumentService.h"
#include "documents/EntryLineStore.h"
#include "documents/EntrySearch.h"
#include "documents/OrderLedger.h"
#include "documents/SelectionInsertion.h"
#include "documents/SerialNumbers.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"
#include "db/TVTables.h"

#include <QRandomGenerator>

using namespace ledger_test;

class TestEntryDocs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;

    static EntryLine line(double contor, const QString &article = QStringLiteral("2.1/001"), double price = 100,
                          double quantity = 1)
    {
        EntryLine l;
        l.contor = contor;
        l.unit = QStringLiteral("G1");
        l.group = QStringLiteral("2.1");
        l.article = article;
        l.name = QStringLiteral("Calculator");
        l.domain = QStringLiteral("Privat");
        l.lot = QDate(2020, 1, 15);
        l.agent = QStringLiteral("B1");
        l.priceLei = price;
        l.quantity = quantity;
        l.durataTotala = 36;
        l.calcAmortizare = true;
        return l;
    }

    // An exit taking `quantity` of the line's stock row, as the exit documents do.
    void takeOut(const EntryLine &l, double quantity)
    {
        m_db->writeTransaction([&] {
            addDocument(*m_db, "Doc_out", 1, QStringLiteral("2020-03-01"));
            addLine(*m_db, "Item_out", 1, 1,
                    {l.unit, l.group, l.article, *l.priceLei, l.lot.toString(Qt::ISODate), l.agent, quantity});
            StockLedger(*m_db, m_params.epsilon).ChangeStock(l.stockKey(), -quantity);
        });
    }

    QStringList recalculated()
    {
        StockRecalculation(*m_db, m_params.epsilon).run();
        return stockRows(*m_db);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_db = std::make_unique<Database>(m_env->dataDir(), m_env->workstation());
        m_db->open();
        // Hundreds of small transactions: no disk sync for each in a throw-away directory.
        m_db->run(QStringLiteral("PRAGMA synchronous = OFF"));
        createTables(*m_db);
        m_params = Parameters();
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 3, 5)"));
    }
    void cleanup()
    {
        m_db.reset();
        m_env.reset();
    }

    void lineMovesStock_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("stock");
        const QString base = QStringLiteral("G1|2.1|2.1/001|100|2020-01-15|B1|");
        QTest::newRow("saved once") << QString() << QVariant() << QStringList{base + "1"};
        QTest::newRow("quantity 1 -> 3") << "quantity" << QVariant(3.0) << QStringList{base + "3"};
        QTest::newRow("price moves all") << "price" << QVariant(150.0) << QStringList{"G1|2.1|2.1/001|150|2020-01-15|B1|1"};
        QTest::newRow("unit") << "unit" << QVariant("G2") << QStringList{"G2|2.1|2.1/001|100|2020-01-15|B1|1"};
        QTest::newRow("lot") << "lot" << QVariant(QDate(2021, 5, 1)) << QStringList{"G1|2.1|2.1/001|100|2021-05-01|B1|1"};
        QTest::newRow("budget emptied") << "agent" << QVariant(QString()) << QStringList{"G1|2.1|2.1/001|100|2020-01-15|-|1"};
        QTest::newRow("bar code only") << "barCode" << QVariant("590") << QStringList{base + "1"};
    }
    void lineMovesStock()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QStringList, stock);
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine saved = service.saveLine(line(contor));
        QCOMPARE(saved.contorSecundar, std::optional<double>(1));
        // A second line of another article shares nothing with the first.
        service.saveLine(line(contor, QStringLiteral("2.1/002")));
        if (field == QLatin1String("quantity"))
            saved.quantity = value.toDouble();
        else if (field == QLatin1String("price"))
            saved.priceLei = value.toDouble();
        else if (field == QLatin1String("unit"))
            saved.unit = value.toString();
        else if (field == QLatin1String("lot"))
            saved.lot = value.toDate();
        else if (field == QLatin1String("agent"))
            saved.agent = value.toString();
        else if (field == QLatin1String("barCode"))
            saved.barCode = value.toString();
        saved = service.saveLine(saved);
        stock << QStringLiteral("G1|2.1|2.1/002|100|2020-01-15|B1|1");
        stock.sort();
        QCOMPARE(stockRows(*m_db), stock);
        QCOMPARE(recalculated(), stock);
        QVERIFY(service.deleteLine(contor, *saved.contorSecundar));
        QCOMPARE(stockRows(*m_db), QStringList{"G1|2.1|2.1/002|100|2020-01-15|B1|1"});
        QVERIFY(!service.deleteLine(contor, *saved.contorSecundar));
    }

    void refusalChangesNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString incomplete = EntryDocumentService::incompleteLineText();
        for (const char *f : {"unit", "group", "article", "name", "domain", "lot", "price", "quantity", "duration", "calc"})
            QTest::newRow(f) << QString::fromLatin1(f) << incomplete;
        QTest::newRow("price change after an exit") << "taken out" << StockLedger::negativeStockText();
        QTest::newRow("delete after an exit") << "delete taken out" << StockLedger::negativeStockText();
        QTest::newRow("document after an exit") << "document taken out" << StockLedger::negativeStockText();
        QTest::newRow("more than ordered") << "order 3" << OrderLedger::tooMuchText();
        QTest::newRow("never ordered") << "order other" << OrderLedger::notOrderedText();
    }
    void refusalChangesNothing()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        m_params.com = true;
        m_db->run(QStringLiteral("INSERT INTO \"Stoc_Com\" (\"Contor\", \"Cod_grupa\", \"Cod_articol\", \"Cod_agent\", "
                                 "\"Cant_solicitata\", \"Cant_anulata\") VALUES (7, '2.1', '2.1/001', 'B1', 2, 0)"));
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine l = line(contor);
        l.contorCom = 7;
        l.serii = true;
        l = service.saveLine(l);
        QCOMPARE(SerialNumbers(*m_db).count(contor, 1), 1);
        if (fault.contains(QLatin1String("taken out")))
            takeOut(l, 1);
        const QStringList before = everyTable(*m_db);
        try {
            if (fault == QLatin1String("delete taken out"))
                service.deleteLine(contor, 1);
            else if (fault == QLatin1String("document taken out"))
                service.deleteDocument(contor);
            else {
                // Serial rows would be made anew: the refusal must drop them too.
                l.quantity = 2;
                if (fault == QLatin1String("unit")) l.unit.clear();
                if (fault == QLatin1String("group")) l.group.clear();
                if (fault == QLatin1String("article")) l.article.clear();
                if (fault == QLatin1String("name")) l.name.clear();
                if (fault == QLatin1String("domain")) l.domain.clear();
                if (fault == QLatin1String("lot")) l.lot = QDate();
                if (fault == QLatin1String("price")) l.priceLei.reset();
                if (fault == QLatin1String("quantity")) l.quantity.reset();
                if (fault == QLatin1String("duration")) l.durataTotala.reset();
                if (fault == QLatin1String("calc")) l.calcAmortizare.reset();
                if (fault == QLatin1String("taken out")) l.priceLei = 150;
                if (fault == QLatin1String("order 3")) l.quantity = 3; // 1 of 2 received: 2 more is too much
                if (fault == QLatin1String("order other")) l.contorCom = 8;
                service.saveLine(l);
            }
            QFAIL("not refused");
        } catch (const DocumentRefusal &refusal) {
            QCOMPARE(refusal.text(), message);
        }
        QCOMPARE(everyTable(*m_db), before);
    }

    // A line whose key and quantity change in one save: the old quantity leaves the old
    // row (which keeps another line's quantity), the new quantity goes to the new key.
    void keyAndQuantityTogether_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<QString>("moved");
        QTest::newRow("price, 2 -> 3") << "price" << QVariant(150.0) << 3.0 << "G1|2.1|2.1/001|150|2020-01-15|B1|3";
        QTest::newRow("price, 2 -> 0.5") << "price" << QVariant(150.0) << 0.5 << "G1|2.1|2.1/001|150|2020-01-15|B1|0.5";
        QTest::newRow("unit, 2 -> 5") << "unit" << QVariant("G2") << 5.0 << "G2|2.1|2.1/001|100|2020-01-15|B1|5";
        QTest::newRow("lot, 2 -> 1") << "lot" << QVariant(QDate(2021, 5, 1)) << 1.0 << "G1|2.1|2.1/001|100|2021-05-01|B1|1";
        QTest::newRow("budget, 2 -> 4") << "agent" << QVariant("B2") << 4.0 << "G1|2.1|2.1/001|100|2020-01-15|B2|4";
        QTest::newRow("inventory number, 2 -> 3") << "article" << QVariant("2.1/009") << 3.0 << "G1|2.1|2.1/009|100|2020-01-15|B1|3";
    }
    void keyAndQuantityTogether()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(double, quantity);
        QFETCH(QString, moved);
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine l = service.saveLine(line(contor, QStringLiteral("2.1/001"), 100, 2));
        service.saveLine(line(contor, QStringLiteral("2.1/001"), 100, 1)); // same key
        QCOMPARE(stockRows(*m_db), QStringList{"G1|2.1|2.1/001|100|2020-01-15|B1|3"});
        l.quantity = quantity;
        if (field == QLatin1String("price"))
            l.priceLei = value.toDouble();
        else if (field == QLatin1String("unit"))
            l.unit = value.toString();
        else if (field == QLatin1String("lot"))
            l.lot = value.toDate();
        else if (field == QLatin1String("agent"))
            l.agent = value.toString();
        else if (field == QLatin1String("article"))
            l.article = value.toString();
        service.saveLine(l);
        QStringList expected{QStringLiteral("G1|2.1|2.1/001|100|2020-01-15|B1|1"), moved};
        expected.sort();
        QCOMPARE(stockRows(*m_db), expected);
        QCOMPARE(recalculated(), expected);
    }

    // Deleting or abandoning a document of three lines, one of which an exit took out:
    // refused as a whole, the lines before it included.
    void deleteDocumentAllOrNothing_data()
    {
        QTest::addColumn<int>("takenOut");
        QTest::addColumn<bool>("abandon");
        QTest::newRow("second line taken out") << 1 << false;
        QTest::newRow("third line taken out") << 2 << false;
        QTest::newRow("second line taken out, abandoned") << 1 << true;
    }
    void deleteDocumentAllOrNothing()
    {
        QFETCH(int, takenOut);
        QFETCH(bool, abandon);
        m_db->run(QStringLiteral("INSERT INTO \"Counter\" (\"NewCounterIn\") VALUES (41)"));
        EntryDocumentService service(*m_db, m_params);
        EntryDocumentHeader header = service.newDocument(QDate(2020, 1, 20));
        QCOMPARE(header.contor, 42.0);
        QList<EntryLine> lines;
        for (int i = 1; i <= 3; ++i) {
            EntryLine l = line(header.contor, QStringLiteral("2.1/00%1").arg(i), 100, 2);
            l.serii = i == 1;
            lines << service.saveLine(l);
        }
        if (!abandon) {
            header.type = QStringLiteral("FCT");
            header.number = 12;
            service.saveHeader(header);
        }
        takeOut(lines.at(takenOut), 2);
        const QStringList before = everyTable(*m_db);
        QCOMPARE(SerialNumbers(*m_db).count(header.contor, 1), 2);
        try {
            if (abandon)
                service.abandonDocument(header.contor);
            else
                service.deleteDocument(header.contor);
            QFAIL("not refused");
        } catch (const DocumentRefusal &refusal) {
            QCOMPARE(refusal.text(), StockLedger::negativeStockText());
        }
        QCOMPARE(everyTable(*m_db), before);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::In), 42.0);
        QStringList stock{"G1|2.1|2.1/001|100|2020-01-15|B1|2", "G1|2.1|2.1/002|100|2020-01-15|B1|2",
                          "G1|2.1|2.1/003|100|2020-01-15|B1|2"};
        stock.removeAt(takenOut);
        QCOMPARE(stockRows(*m_db), stock);
    }

    // Articles inserted from a multiple selection: all of them, or none when one is refused.
    void insertSelectionAllOrNothing_data()
    {
        QTest::addColumn<QStringList>("articles");
        QTest::addColumn<bool>("genCod");
        QTest::addColumn<QString>("refusal"); // empty: inserted
        QTest::newRow("three inserted") << QStringList{"2.1|C-1", "2.2|C-2", "2.1|C-3"} << false << QString();
        QTest::newRow("unknown code, second of three")
            << QStringList{"2.1|C-1", "9.9|C-2", "2.1|C-3"} << false << EntryComputations::unknownGroupText("9.9");
        QTest::newRow("unknown code, last of three")
            << QStringList{"2.1|C-1", "2.1|C-2", "7.7|C-3"} << false << EntryComputations::unknownGroupText("7.7");
        QTest::newRow("no number left to generate, second of two")
            << QStringList{"2.1|C-1", "2.2|C-2"} << true << QStringLiteral("Pentru acest produs nu se poate genera cod automat!");
    }
    void insertSelectionAllOrNothing()
    {
        QFETCH(QStringList, articles);
        QFETCH(bool, genCod);
        QFETCH(QString, refusal);
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.2', 1, 2)"));
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine last = line(contor, QStringLiteral("2.2/999"));
        last.group = QStringLiteral("2.2");
        service.saveLine(last);
        m_params.genCod = genCod;
        QList<QPair<QString, QString>> chosen;
        for (const QString &a : std::as_const(articles))
            chosen.append({a.section(QLatin1Char('|'), 0, 0), a.section(QLatin1Char('|'), 1, 1)});
        const QStringList before = everyTable(*m_db);
        QList<EntryLine> inserted;
        try {
            inserted = SelectionInsertion(*m_db, m_params, service).insert(contor, QStringLiteral("G1"), chosen,
                                                                          QStringLiteral("FCT"));
            QVERIFY2(refusal.isEmpty(), "not refused");
        } catch (const DocumentRefusal &r) {
            QCOMPARE(r.text(), refusal);
            QCOMPARE(everyTable(*m_db), before);
            return;
        }
        // Numbered after the existing line, quantity 1, the middle of the normal life.
        QCOMPARE(inserted.size(), 3);
        QCOMPARE(inserted.at(0).contorSecundar, std::optional<double>(2));
        QCOMPARE(inserted.at(2).contorSecundar, std::optional<double>(4));
        QCOMPARE(inserted.at(1).durataTotala, std::optional<double>(18));
        QCOMPARE(inserted.at(2).durataTotala, std::optional<double>(48));
        const QStringList stock{"G1|2.1|C-1|0|-|-|1", "G1|2.1|C-3|0|-|-|1", "G1|2.2|2.2/999|100|2020-01-15|B1|1",
                                "G1|2.2|C-2|0|-|-|1"};
        QCOMPARE(stockRows(*m_db), stock);
        QCOMPARE(recalculated(), stock);
    }

    void ordersFollowLines()
    {
        m_params.com = true;
        m_db->run(QStringLiteral("INSERT INTO \"Doc_Com\" (\"Contor\", \"Cod_Furnizor\") VALUES (7, 'F1')"));
        m_db->run(QStringLiteral("INSERT INTO \"Stoc_Com\" (\"Contor\", \"Cod_grupa\", \"Cod_articol\", \"Cod_agent\", "
                                 "\"Cod_furnizor\", \"Cant_solicitata\", \"Cant_anulata\") VALUES (7, '2.1', '2.1/001', 'B1', 'F1', 3, 0)"));
        auto outstanding = [&] {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Cant_solicitata\", \"Cod_furnizor\" FROM \"Stoc_Com\""));
            return q.next() ? QStringLiteral("%1 %2").arg(q.value(0).toDouble()).arg(q.value(1).toString()) : QString();
        };
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine l = line(contor);
        l.contorCom = 7;
        l = service.saveLine(l);
        QCOMPARE(outstanding(), QStringLiteral("2 F1"));
        l.quantity = 3;
        l = service.saveLine(l);
        QCOMPARE(outstanding(), QString()); // fully received
        service.deleteLine(contor, 1);
        QCOMPARE(outstanding(), QStringLiteral("3 F1")); // given back with the order's supplier
    }

    void numbersAndDocuments_data()
    {
        QTest::addColumn<bool>("laterAllocated");
        QTest::addColumn<bool>("viaDelete");
        QTest::addColumn<double>("counterAfter");
        QTest::newRow("abandon gives 42 back") << false << false << 41.0;
        QTest::newRow("delete gives 42 back") << false << true << 41.0;
        QTest::newRow("43 allocated meanwhile") << true << false << 43.0;
    }
    void numbersAndDocuments()
    {
        QFETCH(bool, laterAllocated);
        QFETCH(bool, viaDelete);
        QFETCH(double, counterAfter);
        m_db->run(QStringLiteral("INSERT INTO \"Counter\" (\"NewCounterIn\") VALUES (41)"));
        EntryDocumentService service(*m_db, m_params);
        EntryDocumentHeader header = service.newDocument(QDate(2020, 1, 20));
        QCOMPARE(header.contor, 42.0);
        service.saveLine(line(header.contor));
        service.saveLine(line(header.contor, QStringLiteral("2.1/002"), 50, 2));
        QCOMPARE(stockRows(*m_db).size(), 2);
        if (laterAllocated)
            QCOMPARE(Counter(*m_db).allocate(Counter::Kind::In), 43.0);
        if (viaDelete) {
            header.type = QStringLiteral("FCT");
            header.number = 12;
            service.saveHeader(header);
            service.deleteDocument(header.contor);
        } else {
            service.abandonDocument(header.contor);
        }
        QCOMPARE(Counter(*m_db).last(Counter::Kind::In), counterAfter);
        QCOMPARE(stockRows(*m_db), QStringList{});
        QVERIFY(!service.loadHeader(header.contor));
        QCOMPARE(stockRows(*m_db, QStringLiteral("(SELECT *, 0 AS \"Pret_achizitie\" FROM \"Item_in\")")), QStringList{});
    }

    void headerChecks_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariant>("number");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("withLine");
        QTest::addColumn<QString>("message");
        const QDate reg(2020, 1, 20);
        QTest::newRow("no type") << QString() << QVariant(5.0) << reg << true << EntryDocumentService::typeMissingText();
        QTest::newRow("no number") << "FCT" << QVariant() << reg << true << EntryDocumentService::datesMissingText();
        QTest::newRow("dated later") << "NR" << QVariant(5.0) << reg.addDays(1) << true << EntryDocumentService::futureDateText();
        QTest::newRow("no lines") << "BT" << QVariant(5.0) << reg << false << EntryDocumentService::noLinesText();
        QTest::newRow("saved") << "FCT" << QVariant(5.0) << reg << true << QString();
    }
    void headerChecks()
    {
        QFETCH(QString, type);
        QFETCH(QVariant, number);
        QFETCH(QDate, date);
        QFETCH(bool, withLine);
        QFETCH(QString, message);
        EntryDocumentService service(*m_db, m_params);
        EntryDocumentHeader header = service.newDocument(QDate(2020, 1, 20));
        if (withLine)
            service.saveLine(line(header.contor));
        header.type = type;
        header.number = number.isNull() ? std::nullopt : std::optional<double>(number.toDouble());
        header.date = date;
        header.explanation = QStringLiteral("Receptie");
        try {
            service.saveHeader(header);
            QVERIFY(message.isEmpty());
            QCOMPARE(service.loadHeader(header.contor)->explanation, header.explanation);
        } catch (const DocumentRefusal &refusal) {
            QCOMPARE(refusal.text(), message);
            QVERIFY(service.loadHeader(header.contor)->explanation.isEmpty());
        }
    }

    // Random saves, edits, deletions, exits and abandons, refused or not, always leave
    // the stock the recalculation rebuilds.
    void randomOperationsKeepStock()
    {
        EntryDocumentService service(*m_db, m_params);
        QRandomGenerator random(20240611);
        QList<double> documents;
        int refusals = 0;
        int exitLine = 0;
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2020-03-01"));
        for (int step = 0; step < 400; ++step) {
            try {
                const int op = random.bounded(100);
                if (documents.isEmpty() || op < 8) {
                    documents << service.newDocument(QDate(2020, 1, 1 + random.bounded(28))).contor;
                    continue;
                }
                const double contor = documents.at(random.bounded(documents.size()));
                const QList<EntryLine> lines = EntryLineStore(*m_db).lines(contor);
                if (op < 50 || lines.isEmpty()) {
                    EntryLine l = line(contor, QStringLiteral("2.1/00%1").arg(random.bounded(3)), 100 + 50 * random.bounded(2),
                                       1 + random.bounded(3));
                    if (random.bounded(5) == 0)
                        l.name.clear(); // refused as incomplete
                    service.saveLine(l, random.bounded(10) == 0 ? EntryDocumentService::LineMode::FromSelection
                                                                : EntryDocumentService::LineMode::Normal);
                    continue;
                }
                EntryLine l = lines.at(random.bounded(lines.size()));
                if (op < 75) {
                    l.quantity = 0.5 * random.bounded(1, 7);
                    if (random.bounded(3) == 0)
                        l.priceLei = 100 + 50 * random.bounded(2);
                    if (random.bounded(4) == 0)
                        l.agent = random.bounded(2) ? QStringLiteral("B2") : QString();
                    service.saveLine(l);
                } else if (op < 85) {
                    m_db->writeTransaction([&] {
                        addLine(*m_db, "Item_out", 1, ++exitLine,
                                {l.unit, l.group, l.article, l.priceLei.value_or(0), l.lot.toString(Qt::ISODate), l.agent, 1});
                        StockLedger(*m_db, m_params.epsilon).ChangeStock(l.stockKey(), -1);
                    });
                } else if (op < 95) {
                    service.deleteLine(contor, *l.contorSecundar);
                } else {
                    service.deleteDocument(contor);
                    documents.removeOne(contor);
                }
            } catch (const DocumentRefusal &) {
                ++refusals;
            }
            if (step % 50 == 49) {
                const QStringList stock = stockRows(*m_db);
                QCOMPARE(recalculated(), stock);
            }
        }
        QVERIFY2(refusals > 20, qPrintable(QString::number(refusals)));
        QVERIFY(!stockRows(*m_db).isEmpty());
    }

    void vat_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<bool>("onlyInvoices");
        QTest::addColumn<bool>("roundUnits");
        QTest::addColumn<double>("tva");
        QTest::newRow("FCT 19%") << "FCT" << 19.0 << 100.0 << 2.0 << true << false << 38.0;
        QTest::newRow("NR only invoices") << "NR" << 19.0 << 100.0 << 1.0 << true << false << 0.0;
        QTest::newRow("CF counts as invoice") << "CF" << 19.0 << 100.0 << 1.0 << true << false << 19.0;
        QTest::newRow("NR on every type") << "NR" << 19.0 << 100.0 << 1.0 << false << false << 19.0;
        QTest::newRow("half to even down") << "FCT" << 10.0 << 0.25 << 1.0 << false << false << 0.02;
        QTest::newRow("half to even up") << "FCT" << 10.0 << 0.15 << 1.0 << false << false << 0.02;
        QTest::newRow("19 x 11.5 = 218.5") << "FCT" << 19.0 << 11.5 << 1.0 << false << false << 2.18;
        QTest::newRow("rounded to lei") << "FCT" << 19.0 << 12.5 << 1.0 << false << true << 2.0;
        QTest::newRow("rounded to lei up") << "FCT" << 19.0 << 10.0 << 3.5 << false << true << 7.0;
    }
    void vat()
    {
        QFETCH(QString, type);
        QFETCH(double, rate);
        QFETCH(double, price);
        QFETCH(double, quantity);
        QFETCH(bool, onlyInvoices);
        QFETCH(bool, roundUnits);
        QFETCH(double, tva);
        QCOMPARE(EntryComputations::lineTva(price, quantity, type, rate, onlyInvoices, roundUnits), tva);
        QCOMPARE(EntryComputations::lineTva(std::nullopt, quantity, type, rate, onlyInvoices, roundUnits), 0.0);
    }

    void computations()
    {
        NationalFormats formats;
        EntryComputations comp(*m_db, m_params);
        QCOMPARE(comp.priceFromNet(100), 119.0);
        // Durations: the middle of 3..5 years, and the bounds in months.
        EntryLine l = line(1);
        l.group = QStringLiteral("2.1");
        comp.groupSet(l);
        comp.articleSet(l);
        QCOMPARE(*l.durataTotala, 48.0);
        QCOMPARE(comp.totalDurationRefusal(QStringLiteral("2.1"), 61, formats),
                 QStringLiteral("Atentie! Durata totala de amortizare nu este valida. Introduceti o valoare intre 36 si 60"));
        QVERIFY(comp.totalDurationRefusal(QStringLiteral("9.9"), 12, formats).endsWith(QLatin1String("intre 0 si 0")));
        QVERIFY(comp.totalDurationRefusal(QStringLiteral("9.9"), 0, formats).isEmpty());
        QVERIFY(!EntryComputations::remainingDurationRefusal(49, 48, formats).isEmpty());
        QVERIFY(!EntryComputations::depreciatedFor(QStringLiteral("Public")));
        QCOMPARE(EntryComputations::calcAmortizareRefusal(QStringLiteral("Public"), true), EntryComputations::publicDomainText());
        QVERIFY(EntryComputations::calcAmortizareRefusal(QStringLiteral("public"), true).isEmpty());
        // An unknown code is refused; generated numbers follow the highest one.
        l.group = QStringLiteral("7.7");
        QVERIFY_THROWS_EXCEPTION(DocumentRefusal, comp.groupSet(l));
        m_params.genCod = true;
        l.group = QStringLiteral("2.1");
        comp.groupSet(l);
        QCOMPARE(l.article, QStringLiteral("2.1/001"));
        // Equivalent price: the rate at the document date, the first one before all rows.
        m_db->run(QStringLiteral("INSERT INTO \"Curs\" VALUES ('USD', '2020-01-10', 4), ('USD', '2020-02-10', 5)"));
        QCOMPARE(*comp.equivalentPrice(100, QDate(2020, 1, 1)), 25.0);
        QCOMPARE(*comp.equivalentPrice(100, QDate(2021, 1, 1)), 20.0);
        m_params.cVal = QStringLiteral("EUR");
        QVERIFY(!comp.equivalentPrice(100, QDate(2021, 1, 1)));
        // Totals of a document.
        EntryDocumentService service(*m_db, m_params);
        const double contor = service.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine a = line(contor, QStringLiteral("X/1"), 1234.5, 2);
        a.tva = 469.11;
        service.saveLine(a);
        service.saveLine(line(contor, QStringLiteral("X/2"), 0.5, 1));
        m_params.nrZecimaleLei = 3;
        QCOMPARE(comp.totalsText(comp.totals(contor), formats),
                 QStringLiteral("Total: Valoare = 2.469,500\nTVA = 469,11\nDocument = 2.938,610"));
    }

    // A typed bar code finds the catalogue article whose code begins with it.
    void articleByBarCode_data()
    {
        QTest::addColumn<QString>("barCode");
        QTest::addColumn<QString>("article"); // empty: none found
        QTest::newRow("whole code") << "5941234" << "C-2";
        QTest::newRow("beginning: the lowest code") << "594" << "C-1";
        QTest::newRow("not a beginning") << "1234" << "";
        QTest::newRow("wildcards are letters") << "59%" << "";
        QTest::newRow("quote is a value") << "' OR '1'='1" << "";
    }
    void articleByBarCode()
    {
        QFETCH(QString, barCode);
        QFETCH(QString, article);
        m_db->run(QStringLiteral("INSERT INTO \"Catalog\" (\"Grupa\", \"Cod\", \"Cod_bare\") VALUES "
                                 "('2.1', 'C-2', '5941234'), ('2.1', 'C-1', '5940001'), ('2.2', 'C-3', NULL)"));
        const auto found = EntryComputations(*m_db, m_params).articleByBarCode(barCode);
        QCOMPARE(found ? found->second : QString(), article);
        if (found)
            QCOMPARE(found->first, QStringLiteral("2.1"));
    }

    void search_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("previous");
        QTest::addColumn<bool>("period");
        QTest::addColumn<double>("contor");   // 0: nothing found
        QTest::addColumn<double>("lineNumber"); // 0: none
        QTest::newRow("number") << int(SearchCriteria::DocumentNumber) << "77" << -1.0 << false << 1.0 << 0.0;
        QTest::newRow("number, in period") << int(SearchCriteria::DocumentNumber) << "77" << -1.0 << true << 3.0 << 0.0;
        QTest::newRow("article") << int(SearchCriteria::Article) << "2.1/002" << -1.0 << false << 2.0 << 2.0;
        QTest::newRow("price") << int(SearchCriteria::Price) << "150" << 1.0 << false << 3.0 << 1.0;
        QTest::newRow("explanation") << int(SearchCriteria::Explanation) << "cep" << -1.0 << false << 2.0 << 0.0;
        QTest::newRow("hostile explanation") << int(SearchCriteria::Explanation)
                                             << "x'); DROP TABLE \"Doc_in\"; --" << -1.0 << false << 0.0 << 0.0;
        QTest::newRow("hostile article") << int(SearchCriteria::Article) << "' OR 1=1 --" << -1.0 << false << 0.0 << 0.0;
        QTest::newRow("serial") << int(SearchCriteria::SerialNumber) << "5001" << -1.0 << false << 2.0 << 2.0;
    }
    void search()
    {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(double, previous);
        QFETCH(bool, period);
        QFETCH(double, contor);
        QFETCH(double, lineNumber);
        EntryDocumentService service(*m_db, m_params);
        const QList<QDate> dates{QDate(2020, 1, 5), QDate(2020, 2, 5), QDate(2020, 3, 5)};
        for (int d = 0; d < 3; ++d) {
            EntryDocumentHeader h = service.newDocument(dates.at(d));
            service.saveLine(line(h.contor, QStringLiteral("2.1/001"), d == 2 ? 150 : 100));
            EntryLine second = line(h.contor, QStringLiteral("2.1/00%1").arg(d + 1));
            second.serii = true;
            second = service.saveLine(second);
            h.type = QStringLiteral("FCT");
            h.number = d == 1 ? 78 : 77;
            h.explanation = d == 1 ? QStringLiteral("Receptie") : QStringLiteral("Achizitie");
            service.saveHeader(h);
        }
        m_db->run(QStringLiteral("UPDATE \"Serie\" SET \"Serie\" = 5001 WHERE \"Contor\" = 2"));
        SearchCriteria criteria;
        criteria.kind = kind;
        criteria.documentNumber = value.toDouble();
        criteria.article = value;
        criteria.explanation = value;
        criteria.price = value.toDouble();
        criteria.serialNumber = value.toDouble();
        const auto found = EntrySearch(*m_db).next(
            criteria, previous,
            period ? std::optional<EntrySearch::Period>({QDate(2020, 3, 1), QDate(2020, 3, 31)}) : std::nullopt);
        QCOMPARE(found ? found->contor : 0.0, contor);
        QCOMPARE(found && found->lineNumber ? *found->lineNumber : 0.0, lineNumber);
        // Whatever was searched for, every document and line is still there.
        QSqlQuery documents = m_db->run(QStringLiteral("SELECT COUNT(*) FROM \"Doc_in\""));
        QVERIFY(documents.next());
        QCOMPARE(documents.value(0).toInt(), 3);
        QSqlQuery lines = m_db->run(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\""));
        QVERIFY(lines.next());
        QCOMPARE(lines.value(0).toInt(), 6);
    }
};

TESSARO_TEST_MAIN(TestEntryDocs)
#include "tst_entrydocs.moc"
