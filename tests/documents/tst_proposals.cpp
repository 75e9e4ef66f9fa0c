#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "db/SchemaUpgrade.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryDocumentService.h"
#include "documents/ExitDocumentService.h"
#include "documents/HeaderChecks.h"
#include "documents/ProposalService.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"
#include "documents/forms/ProposalLinesModel.h"
#include "documents/forms/ProposalStockModel.h"
#include "documents/forms/TProformaForm.h"
#include "documents/forms/TXSPNecesarForm.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include <QRegularExpression>

#include <functional>

using namespace ledger_test;

class TestProposals : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;
    double m_entryDoc = 0;

    std::unique_ptr<TProformaForm> openProposals()
    {
        auto form = std::make_unique<TProformaForm>(*m_db, m_params, m_messages, m_env->workstation());
        if (!form->isOpen())
            return {};
        return form;
    }

    // A line typed in the proposals window: the stock row picked, then the quantity.
    bool typeLine(TProformaForm &form, const QString &article, const QString &quantity)
    {
        const int row = form.addLine();
        form.lines()->takeStockRow(row, line(0, article, 0).stockKey());
        form.lines()->setData(form.lines()->index(row, ProposalLinesModel::Cantitate), quantity);
        return form.postCurrent();
    }

    static QDate lot() { return QDate(2001, 3, 15); }

    // Stock brought in by a reception line of `unit`.
    void stockIn(const QString &article, double quantity, const QString &unit = QStringLiteral("G1"),
                 const QString &group = QStringLiteral("2.1.3"))
    {
        EntryDocumentService entries(*m_db, m_params);
        if (!m_entryDoc)
            m_entryDoc = entries.newDocument(QDate(2001, 3, 20)).contor;
        EntryLine l;
        l.contor = m_entryDoc;
        l.unit = unit;
        l.group = group;
        l.article = article;
        l.name = QStringLiteral("Strung ") + article;
        l.domain = QStringLiteral("Public");
        l.calcAmortizare = false;
        l.lot = lot();
        l.agent = QStringLiteral("B1");
        l.priceLei = 500;
        l.quantity = quantity;
        l.durataTotala = 60;
        l.durataRamasa = 60;
        entries.saveLine(l);
    }

    static ExitLine line(double contor, const QString &article, double quantity, const QString &unit = QStringLiteral("G1"),
                         const QString &group = QStringLiteral("2.1.3"))
    {
        ExitLine l;
        l.contor = contor;
        l.setStockKey({unit, group, article, 500, lot(), QStringLiteral("B1")});
        l.quantity = quantity;
        return l;
    }

    // A proposal with lines "article:quantity[:unit]", its header complete.
    double proposal(const QString &lines, double number = 12)
    {
        ProposalService service(*m_db, m_params);
        ProposalHeader h = service.newProposal(QDate(2006, 3, 15));
        h.number = number;
        h.client = QStringLiteral("B1");
        h.explanation = QStringLiteral("Comisia de casare");
        for (const QString &text : lines.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList p = text.split(QLatin1Char(':'));
            service.saveLine(line(h.contor, p[0], p[1].toDouble(), p.value(2, QStringLiteral("G1")),
                                  p.value(3, QStringLiteral("2.1.3"))));
        }
        if (!lines.isEmpty())
            service.saveHeader(h);
        return h.contor;
    }

    QString refusalOf(const std::function<void()> &work)
    {
        try {
            work();
        } catch (const DocumentRefusal &refusal) {
            return refusal.text();
        }
        return {};
    }

    QStringList exitLines(double contor)
    {
        QStringList rows;
        for (const ExitLine &l : ExitDocumentService(*m_db, m_params).lines(contor))
            rows << QStringLiteral("%1:%2:%3:%4:%5").arg(l.contorSecundar.value_or(0)).arg(l.unit, l.group, l.article).arg(l.quantityOrZero());
        return rows;
    }

private slots:
    void init()
    {
        openLedger(m_env, m_db);
        // The proposal lines' account, `Lot` and budget fields come with the upgrade.
        m_db->writeTransaction([&] { SchemaUpgrade(*m_db).runFieldByField(); });
        m_entryDoc = 0;
        m_messages.clear();
        m_messages.setDefaultAnswer(true);
        QDir().mkpath(m_env->workstation().privateDirectory());
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Atelier'), ('G2', 'Depozit')"));
        m_db->run(QStringLiteral("INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B1', 'Buget local')"));
    }
    void cleanup() { closeLedger(m_env, m_db); }

    void headerChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("withLine");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no registration date") << "registered" << true << HeaderChecks::datesMissingText();
        QTest::newRow("no number") << "number" << true << HeaderChecks::datesMissingText();
        QTest::newRow("no date") << "date" << true << HeaderChecks::datesMissingText();
        QTest::newRow("dated after registration") << "future" << true << HeaderChecks::futureDateText();
        QTest::newRow("no lines") << "" << false << HeaderChecks::noLinesText();
        QTest::newRow("due before date") << "due" << true
                                         << "Data scadentei platii nu poate fi mai mica decit data documentului!";
        QTest::newRow("unknown budget") << "client" << true
                                        << "Clientul <B9> nu figureaza în catalog. Apasati Ctrl-Enter pentru a selecta din catalog !";
        QTest::newRow("complete") << "" << true << "";
    }
    void headerChecks()
    {
        QFETCH(QString, field);
        QFETCH(bool, withLine);
        QFETCH(QString, refusal);
        stockIn(QStringLiteral("M1"), 1);
        ProposalService service(*m_db, m_params);
        ProposalHeader h = service.newProposal(QDate(2006, 3, 15));
        QCOMPARE(h.contor, 1.0);
        QCOMPARE(h.date, h.registered);
        if (withLine)
            service.saveLine(line(h.contor, QStringLiteral("M1"), 1));
        h.number = 4;
        h.explanation = QStringLiteral("changed");
        if (field == "registered")
            h.registered = QDate();
        else if (field == "number")
            h.number.reset();
        else if (field == "date")
            h.date = QDate();
        else if (field == "future")
            h.date = h.registered.addDays(1);
        else if (field == "due")
            h.dueDate = h.date.addDays(-1);
        else if (field == "client")
            h.client = QStringLiteral("B9");
        const QStringList before = everyTable(*m_db);
        QCOMPARE(refusalOf([&] { service.saveHeader(h); }), refusal);
        if (refusal.isEmpty())
            QCOMPARE(service.loadHeader(h.contor)->explanation, QStringLiteral("changed"));
        else
            QCOMPARE(everyTable(*m_db), before);
    }

    // Saving lines: incomplete or repeated assets refused with nothing written.
    void lineRules_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("lines");
        const QString incomplete = ProposalService::incompleteLineText();
        QTest::newRow("no unit") << "unit" << incomplete << QStringList{"1:M1:1"};
        QTest::newRow("no group") << "group" << incomplete << QStringList{"1:M1:1"};
        QTest::newRow("no article") << "article" << incomplete << QStringList{"1:M1:1"};
        QTest::newRow("no quantity") << "quantity" << incomplete << QStringList{"1:M1:1"};
        QTest::newRow("same asset again") << "again" << ProposalService::duplicateLineText() << QStringList{"1:M1:1"};
        QTest::newRow("same asset, other unit") << "again-G2" << ProposalService::duplicateLineText()
                                                << QStringList{"1:M1:1"};
        QTest::newRow("quantity of the line edited") << "edit" << "" << QStringList{"1:M1:2"};
        QTest::newRow("another asset") << "other" << "" << QStringList{"1:M1:1", "2:M2:1"};
    }
    void lineRules()
    {
        QFETCH(QString, change);
        QFETCH(QString, refusal);
        QFETCH(QStringList, lines);
        stockIn(QStringLiteral("M1"), 3);
        stockIn(QStringLiteral("M2"), 1);
        stockIn(QStringLiteral("M1"), 1, QStringLiteral("G2"));
        ProposalService service(*m_db, m_params);
        const double contor = proposal(QStringLiteral("M1:1"));
        ExitLine l = line(contor, QStringLiteral("M1"), 1);
        if (change == "unit")
            l.unit.clear();
        else if (change == "group")
            l.group.clear();
        else if (change == "article")
            l.article.clear();
        else if (change == "quantity")
            l.quantity.reset();
        else if (change == "again-G2")
            l.unit = QStringLiteral("G2");
        else if (change == "edit")
            l = *service.loadLine(contor, 1), l.quantity = 2;
        else if (change == "other")
            l.article = QStringLiteral("M2");
        const QStringList before = everyTable(*m_db);
        QCOMPARE(refusalOf([&] { service.saveLine(l); }), refusal);
        if (!refusal.isEmpty())
            QCOMPARE(everyTable(*m_db), before);
        QStringList saved;
        for (const ExitLine &s : service.lines(contor))
            saved << QStringLiteral("%1:%2:%3").arg(s.contorSecundar.value_or(0)).arg(s.article).arg(s.quantityOrZero());
        QCOMPARE(saved, lines);
    }

    // The stock against what all proposals ask for, after each line save.
    void overStock_data()
    {
        QTest::addColumn<double>("inStock");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::addColumn<bool>("warned");
        QTest::newRow("one unit, two proposals of one") << 1.0 << 1.0 << 1.0 << true;
        QTest::newRow("two units, two proposals of one") << 2.0 << 1.0 << 1.0 << false;
        QTest::newRow("one proposal beyond the stock") << 1.0 << 0.0 << 2.0 << true;
        // Whole numbers would see 1 against 1 here.
        QTest::newRow("fractions over the stock") << 0.6 << 0.0 << 1.4 << true;
        QTest::newRow("fractions within the stock") << 1.4 << 0.0 << 1.4 << false;
    }
    void overStock()
    {
        QFETCH(double, inStock);
        QFETCH(double, first);
        QFETCH(double, second);
        QFETCH(bool, warned);
        stockIn(QStringLiteral("M1"), inStock);
        ProposalService service(*m_db, m_params);
        if (first > 0) {
            const double other = proposal(QStringLiteral("M1:%1").arg(first));
            QVERIFY(!service.overStock(other));
        }
        const double contor = service.newProposal(QDate(2006, 3, 15)).contor;
        QCOMPARE(service.saveLine(line(contor, QStringLiteral("M1"), second)).overStock, warned);
        QCOMPARE(service.overStock(contor), warned);
        const ProposalService::StockCheck check = service.stockCheck(contor).value(0);
        QCOMPARE(check.inStock, inStock);
        QCOMPARE(check.final(), inStock - first - second);
        QCOMPARE(check.name, QStringLiteral("Strung M1"));
        QCOMPARE(check.unitName, QStringLiteral("Atelier"));
    }

    // Saving, editing, deleting and abandoning proposals leave the stock as it is.
    void proposalNeverChangesStock()
    {
        stockIn(QStringLiteral("M1"), 2);
        stockIn(QStringLiteral("M2"), 1);
        const QStringList stock = stockRows(*m_db);
        QCOMPARE(stock.size(), 2);
        ProposalService service(*m_db, m_params);
        const double kept = proposal(QStringLiteral("M1:2,M2:1"));
        ExitLine edited = *service.loadLine(kept, 1);
        edited.quantity = 1;
        service.saveLine(edited);
        QVERIFY(service.deleteLine(kept, 2));
        QVERIFY(!service.deleteLine(kept, 2));
        QCOMPARE(stockRows(*m_db), stock);

        const double dropped = proposal(QStringLiteral("M1:1,M2:1"), 13);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::Prof), dropped);
        service.deleteProposal(dropped);
        QVERIFY(!service.loadHeader(dropped));
        QVERIFY(service.lines(dropped).isEmpty());
        QCOMPARE(Counter(*m_db).last(Counter::Kind::Prof), kept);
        const double fresh = service.newProposal(QDate(2006, 3, 16)).contor;
        QCOMPARE(fresh, dropped);
        service.saveLine(line(fresh, QStringLiteral("M2"), 1));
        service.abandonProposal(fresh);
        QCOMPARE(stockRows(*m_db), stock);
        QCOMPARE(service.open(), std::optional<double>(kept));
    }

    // The exit document of a proposal: its header, its lines and the stock taken out.
    void generation()
    {
        stockIn(QStringLiteral("M1"), 2);
        stockIn(QStringLiteral("M2"), 1);
        // A classification code longer than the 8 characters a proposal line keeps.
        stockIn(QStringLiteral("M3"), 3, QStringLiteral("G2"), QStringLiteral("2.1.17.3.1"));
        // Another proposal takes M2's only unit: this one's M2 line would go below zero.
        proposal(QStringLiteral("M2:1"), 11);
        ProposalService service(*m_db, m_params);
        const double contor = proposal(QStringLiteral("M1:1,M2:1,M3:2:G2:2.1.17.3.1"));
        const ProposalHeader header = *service.loadHeader(contor);
        QVERIFY(service.overStock(contor));
        const QStringList proposals = everyTable(*m_db).filter(QRegularExpression(QStringLiteral("^(Doc|Item)_prof")));

        const ProposalService::Generation g = service.generate(contor, QDate(2006, 4, 3));
        QCOMPARE(g.written, 2);
        QCOMPARE(g.leftOut, 1);
        QCOMPARE(g.exitContor, Counter(*m_db).last(Counter::Kind::Out));
        const ExitDocumentHeader exit = *ExitDocumentService(*m_db, m_params).loadHeader(g.exitContor);
        QCOMPARE(exit.type, QStringLiteral("CSR"));
        QCOMPARE(exit.registered, QDate(2006, 4, 3));
        QCOMPARE(exit.date, QDate(2006, 4, 3));
        QCOMPARE(exit.number, header.number);
        QCOMPARE(exit.client, QStringLiteral("B1"));
        QCOMPARE(exit.explanation, QStringLiteral("Comisia de casare"));
        // Lines keep the proposal's line numbers.
        QCOMPARE(exitLines(g.exitContor), (QStringList{"1:G1:2.1.3:M1:1", "3:G2:2.1.17.3.1:M3:2"}));
        QCOMPARE(stockRows(*m_db), (QStringList{"G1|2.1.3|M1|500|2001-03-15|B1|1", "G1|2.1.3|M2|500|2001-03-15|B1|1",
                                                "G2|2.1.17.3.1|M3|500|2001-03-15|B1|1"}));
        QCOMPARE(everyTable(*m_db).filter(QRegularExpression(QStringLiteral("^(Doc|Item)_prof"))), proposals);
        const QStringList kept = stockRows(*m_db);
        QCOMPARE(StockRecalculation(*m_db, m_params.epsilon).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(*m_db), kept);
    }

    // A generation refused anywhere leaves no exit document and no stock change.
    void generationRefused_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("second line's row taken out") << "gone" << "";
        QTest::newRow("second line's row holds less") << "less" << StockLedger::negativeStockText();
        QTest::newRow("every line below zero") << "competing" << HeaderChecks::noLinesText();
        QTest::newRow("proposal deleted") << "deleted" << HeaderChecks::noLinesText();
    }
    void generationRefused()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, refusal);
        stockIn(QStringLiteral("M1"), 1);
        stockIn(QStringLiteral("M2"), 2);
        ProposalService service(*m_db, m_params);
        const double contor = proposal(QStringLiteral("M1:1,M2:2"));
        // The asset's stock over all units still covers the proposal; the row the line
        // names does not.
        if (meanwhile == "gone") {
            m_db->run(QStringLiteral("UPDATE \"Stoc\" SET \"Cod_gestiune\" = 'G2' WHERE \"Cod_articol\" = 'M2'"));
        } else if (meanwhile == "less") {
            m_db->run(QStringLiteral("UPDATE \"Stoc\" SET \"Cantitate\" = 1 WHERE \"Cod_articol\" = 'M2'"));
            stockIn(QStringLiteral("M2"), 1, QStringLiteral("G2"));
        }
        else if (meanwhile == "competing")
            proposal(QStringLiteral("M1:1,M2:1"), 13);
        else if (meanwhile == "deleted")
            service.deleteProposal(contor);
        const QStringList before = everyTable(*m_db);
        const QString text = refusalOf([&] { service.generate(contor, QDate(2006, 4, 3)); });
        if (meanwhile == "gone")
            QVERIFY2(text.startsWith(QStringLiteral("Nu exista stoc în gestiunea G1 pentru articolul 2.1.3.M2")), qPrintable(text));
        else
            QCOMPARE(text, refusal);
        QCOMPARE(everyTable(*m_db), before);
    }

    // The proposals window: one unit in stock, two proposals of one unit each.
    void proposalsWindow()
    {
        stockIn(QStringLiteral("M1"), 1);
        const QStringList stock = stockRows(*m_db);
        {
            auto form = openProposals();
            QVERIFY(form);
            // No proposal yet: a new one, dated today, numbered from NewCounterProf.
            QCOMPARE(form->currentContor(), 1.0);
            QCOMPARE(form->header().registered, QDate::currentDate());
            QCOMPARE(form->header().date, QDate::currentDate());
            QStringList shown;
            for (int c = 0; c < ProposalLinesModel::ColumnCount; ++c)
                if (!form->grid()->horizontalHeader()->isSectionHidden(c))
                    shown << form->lines()->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(shown, (QStringList{"Gestiune", "Grupa", "Cod articol", "Denumire", "Pret achizitie", "Cantitate",
                                         "Valoare", "Data folosinta", "Buget"}));
            QVERIFY(typeLine(*form, QStringLiteral("M1"), QStringLiteral("1")));
            QVERIFY(m_messages.isEmpty());
            QCOMPARE(form->lines()->data(form->lines()->index(0, ProposalLinesModel::Den)).toString(),
                     QStringLiteral("Strung M1"));
            QCOMPARE(form->lines()->data(form->lines()->index(0, ProposalLinesModel::Lot)).toString(),
                     QStringLiteral("15/03/01"));
            QVERIFY(!form->saveHeader());
            QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{HeaderChecks::datesMissingText()});
            m_messages.clear();
            form->grid()->horizontalHeader()->resizeSection(ProposalLinesModel::Den, 333);
            QTest::keyClicks(form->findChild<QLineEdit *>(QStringLiteral("NumarEdit")), QStringLiteral("7"));
            QVERIFY(form->saveHeader());

            // The second proposal of the same unit warns and cannot be turned into a scrapping.
            QVERIFY(form->newDocument());
            QCOMPARE(form->currentContor(), 2.0);
            QVERIFY(typeLine(*form, QStringLiteral("M1"), QStringLiteral("1")));
            QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{ProposalService::overStockText()});
            QVERIFY(form->overStock());
            // The same asset again is refused and stays to be mended.
            m_messages.clear();
            QVERIFY(!typeLine(*form, QStringLiteral("M1"), QStringLiteral("1")));
            QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{ProposalService::duplicateLineText()});
            form->cancelCurrentLine();
            QCOMPARE(form->lines()->rowCount(), 1);
            m_messages.clear();
            bool opened = false;
            form->setOpenList([&](double) { opened = true; });
            QVERIFY(!form->createScrapping());
            QVERIFY(!opened);
            QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{ProposalService::overStockBlockText()});
            QCOMPARE(stockRows(*m_db), stock);
            // Closing saves the header typed; one that fails its checks keeps the window open.
            m_messages.clear();
            QVERIFY(!form->close());
            QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{HeaderChecks::datesMissingText()});
            QTest::keyClicks(form->findChild<QLineEdit *>(QStringLiteral("NumarEdit")), QStringLiteral("8"));
            QVERIFY(form->close());
            QCOMPARE(ProposalService(*m_db, m_params).loadHeader(2)->number, std::optional<double>(8));
        }
        // The layout is written at closing and read back at opening.
        QVERIFY(QFile::exists(m_env->workstation().privateDirectory() + QStringLiteral("DocProf.cfg")));
        auto again = openProposals();
        QCOMPARE(again->grid()->horizontalHeader()->sectionSize(ProposalLinesModel::Den), 333);
        QCOMPARE(again->currentContor(), 2.0);
        QVERIFY(again->overStock());
    }

    // "Lista casarilor" and the generation from it, with the user's answers.
    void listWindow_data()
    {
        QTest::addColumn<double>("inStock");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("dateGiven");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("shown");
        QTest::newRow("negative final stock, answered No") << 1.0 << false << true << false << "1,00";
        QTest::newRow("negative final stock, date cancelled") << 1.0 << true << false << false << "1,00";
        QTest::newRow("negative final stock, only line left out") << 1.0 << true << true << false << "1,00";
        QTest::newRow("enough stock, date cancelled") << 2.0 << true << false << false << "2,00";
        QTest::newRow("enough stock") << 2.0 << true << true << true << "2,00";
    }
    void listWindow()
    {
        QFETCH(double, inStock);
        QFETCH(bool, yes);
        QFETCH(bool, dateGiven);
        QFETCH(bool, written);
        QFETCH(QString, shown);
        stockIn(QStringLiteral("M1"), inStock);
        proposal(QStringLiteral("M1:1"), 11);
        const double contor = proposal(QStringLiteral("M1:1"), 12);
        TXSPNecesarForm form(*m_db, m_params, m_messages, contor);
        QVERIFY(form.isOpen());
        QCOMPARE(form.headerText(), QStringLiteral("Lista mijloacelor fixe ce urmeaza sa fie casate conform documentului "
                                                   "nr. 12 din data de 15.03.2006"));
        ProposalStockModel *lines = form.lines();
        const QModelIndex final = lines->index(0, ProposalStockModel::StocFin);
        QCOMPARE(lines->data(lines->index(0, ProposalStockModel::StocExist)).toString(), shown);
        const bool negative = inStock < 2;
        QCOMPARE(lines->data(final, Qt::BackgroundRole).value<QColor>(),
                 negative ? ProposalStockModel::negativeBackground() : QApplication::palette().color(QPalette::Button));
        QCOMPARE(lines->data(lines->index(0, ProposalStockModel::StocExist), Qt::BackgroundRole).value<QColor>(),
                 QApplication::palette().color(QPalette::Button));

        m_messages.answer(yes);
        form.setDateAsker([&](QDate &date) {
            date = QDate(2006, 4, 3);
            return dateGiven;
        });
        double opened = 0;
        form.setOpenExit([&](double exit) { opened = exit; });
        const QStringList before = everyTable(*m_db);
        const double exit = form.generate();
        QCOMPARE(m_messages.texts(ScriptedMessages::Kind::YesNo),
                 negative ? QStringList{ProposalService::negativeStockQuestion()} : QStringList{});
        QCOMPARE(exit != 0, written);
        QCOMPARE(opened, exit);
        if (!written) {
            QCOMPARE(everyTable(*m_db), before);
            if (negative && yes && dateGiven)
                QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{HeaderChecks::noLinesText()});
            return;
        }
        QCOMPARE(exitLines(exit), QStringList{"1:G1:2.1.3:M1:1"});
        QCOMPARE(stockRows(*m_db), QStringList{"G1|2.1.3|M1|500|2001-03-15|B1|1"});
    }

    // Quantities typed in "Lista casarilor" pass the line checks and move the final stock.
    void listWindowEdits()
    {
        stockIn(QStringLiteral("M1"), 3);
        const double contor = proposal(QStringLiteral("M1:1"));
        TXSPNecesarForm form(*m_db, m_params, m_messages, contor);
        QVERIFY(form.setQuantity(0, QStringLiteral("2")));
        QCOMPARE(form.lines()->row(0).final(), 1.0);
        QVERIFY(!form.setQuantity(0, QString()));
        QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning), QStringList{ProposalService::incompleteLineText()});
        QVERIFY(form.setQuantity(0, QStringLiteral("4")));
        QCOMPARE(m_messages.texts(ScriptedMessages::Kind::Warning).constLast(), ProposalService::overStockText());
        QVERIFY(form.lines()->isNegative(0));
        QCOMPARE(ProposalService(*m_db, m_params).lines(contor).value(0).quantityOrZero(), 4.0);
    }
};

TESSARO_TEST_MAIN(TestProposals)
#include "tst_proposals.moc"
