#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/EntryDocumentService.h"
#include "documents/InitialStock.h"
#include "documents/InventoryNumbers.h"
#include "documents/forms/IniStockLinesModel.h"
#include "documents/forms/TIniStockForm.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

using namespace ledger_test;
using Ini = IniStockLinesModel::Column;
using Cells = QList<QPair<int, QString>>;

// "Stocuri initiale" applies the rules of the entry lines to what is typed.
class TestIniStockRules : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;

    QStringList tables() const
    {
        QStringList rows = stockRows(*m_db);
        QSqlQuery q = m_db->run(QStringLiteral("SELECT * FROM \"Item_in\" ORDER BY \"Contor\", \"Contor_secundar\""));
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.value(i).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    static QString cell(IniStockLinesModel *lines, int row, int column)
    {
        return lines->index(row, column).data(Qt::EditRole).toString();
    }

    static EntryLine completeLine(const QString &article, const QString &domain, bool depreciated)
    {
        EntryLine l;
        l.contor = InitialStock::documentNumber;
        l.unit = QStringLiteral("G1");
        l.group = QStringLiteral("2.2");
        l.article = article;
        l.name = QStringLiteral("Strung");
        l.quantity = 1;
        l.priceLei = 1000;
        l.lot = QDate(2019, 3, 1);
        l.durataTotala = 48;
        l.domain = domain;
        l.calcAmortizare = depreciated;
        return l;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.2', 3, 5)"));
        InitialStock(*m_db, m_params.epsilon).ensureDocument(QDate(2020, 1, 1));
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    // Each value typed into a new line, and what the line holds afterwards.
    void typedValuesFollowTheEntryRules_data()
    {
        QTest::addColumn<bool>("generate");
        QTest::addColumn<bool>("netPrice");
        QTest::addColumn<QString>("existing"); // an inventory number already entered, or empty
        QTest::addColumn<Cells>("typed");
        QTest::addColumn<Cells>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("generated inventory number, quantity and total duration")
            << true << false << "" << Cells{{Ini::Group, "2.2"}}
            << Cells{{Ini::Article, "2.2/001"}, {Ini::Quantity, "1"}, {Ini::TotalLife, "48"}} << QStringList{};
        QTest::newRow("generated after the highest of the code")
            << true << false << "2.2/041" << Cells{{Ini::Group, "2.2"}} << Cells{{Ini::Article, "2.2/042"}}
            << QStringList{};
        QTest::newRow("numbers of the code exhausted")
            << true << false << "2.2/999" << Cells{{Ini::Group, "2.2"}} << Cells{{Ini::Group, ""}, {Ini::Article, ""}}
            << QStringList{InventoryNumbers::exhaustedText()};
        QTest::newRow("typed inventory number defaults the total duration")
            << false << false << "" << Cells{{Ini::Group, "2.2"}, {Ini::Article, "77"}}
            << Cells{{Ini::Article, "77"}, {Ini::Quantity, "1"}, {Ini::TotalLife, "48"}} << QStringList{};
        QTest::newRow("unknown classification code refused")
            << false << false << "" << Cells{{Ini::Group, "9.9"}} << Cells{{Ini::Group, ""}}
            << QStringList{EntryComputations::unknownGroupText("9.9")};
        QTest::newRow("total duration outside the normal life refused")
            << false << false << "" << Cells{{Ini::Group, "2.2"}, {Ini::Article, "77"}, {Ini::TotalLife, "100"}}
            << Cells{{Ini::TotalLife, "48"}}
            << QStringList{"Atentie! Durata totala de amortizare nu este valida. Introduceti o valoare intre 36 si 60"};
        QTest::newRow("total duration at the upper bound")
            << false << false << "" << Cells{{Ini::Group, "2.2"}, {Ini::Article, "77"}, {Ini::TotalLife, "60"}}
            << Cells{{Ini::TotalLife, "60"}} << QStringList{};
        QTest::newRow("remaining duration above the total refused")
            << false << false << "" << Cells{{Ini::Group, "2.2"}, {Ini::Article, "77"}, {Ini::RemainingLife, "50"}}
            << Cells{{Ini::RemainingLife, ""}}
            << QStringList{"Atentie! Durata ramasa de amortizare nu este valida. Introduceti o valoare mai mica sau egala cu 48"};
        QTest::newRow("price without VAT gives the acquisition price")
            << false << true << "" << Cells{{Ini::PriceNet, "100"}} << Cells{{Ini::Price, "119"}} << QStringList{};
        QTest::newRow("acquisition price typed as grouped")
            << false << false << "" << Cells{{Ini::Price, "1.439.660,45"}} << Cells{{Ini::Price, "1439660,45"}}
            << QStringList{};
    }
    void typedValuesFollowTheEntryRules()
    {
        QFETCH(bool, generate);
        QFETCH(bool, netPrice);
        QFETCH(QString, existing);
        QFETCH(Cells, typed);
        QFETCH(Cells, expected);
        QFETCH(QStringList, messages);
        m_params.genCod = generate;
        m_params.pretFaraTva = netPrice;
        if (!existing.isEmpty())
            InitialStock(*m_db, m_params.epsilon).saveLine(completeLine(existing, "Privat", true));
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        const QStringList before = tables();
        const int row = form.addLine();
        IniStockLinesModel *lines = form.lines();
        for (const auto &[column, text] : typed)
            lines->setData(lines->index(row, column), text);
        for (const auto &[column, text] : expected)
            QCOMPARE(cell(lines, row, column), text);
        QCOMPARE(m_messages.texts(), messages);
        // Nothing is written before the line is left.
        QCOMPARE(tables(), before);
        // The columns follow the parameters.
        QCOMPARE(bool(lines->flags(lines->index(row, Ini::Article)) & Qt::ItemIsEditable), !generate);
        QCOMPARE(form.grid()->isColumnHidden(Ini::PriceNet), !netPrice);
    }

    void publicDomainIsNeverDepreciated_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("wanted");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("public forces it off") << "Public" << false << false << QStringList{};
        QTest::newRow("public refuses it on") << "Public" << true << false
                                              << QStringList{EntryComputations::publicDomainText()};
        QTest::newRow("private turns it on") << "Privat" << true << true << QStringList{};
        QTest::newRow("private may turn it off") << "Privat" << false << false << QStringList{};
    }
    void publicDomainIsNeverDepreciated()
    {
        QFETCH(QString, domain);
        QFETCH(bool, wanted);
        QFETCH(bool, flag);
        QFETCH(QStringList, messages);
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        IniStockLinesModel *lines = form.lines();
        const int row = form.addLine();
        const QModelIndex calc = lines->index(row, Ini::CalcDepreciation);
        // A new line starts with a real flag, shown as a ticked box.
        QCOMPARE(lines->line(row).calcAmortizare, std::optional<bool>(true));
        QVERIFY(lines->setData(lines->index(row, Ini::Domain), domain));
        QCOMPARE(lines->line(row).calcAmortizare, std::optional<bool>(EntryComputations::depreciatedFor(domain)));
        lines->setData(calc, wanted ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
        QCOMPARE(lines->line(row).calcAmortizare, std::optional<bool>(flag));
        QCOMPARE(calc.data(Qt::CheckStateRole).toInt(), int(flag ? Qt::Checked : Qt::Unchecked));
        QCOMPARE(m_messages.texts(), messages);
    }

    // A line typed without touching its depreciation box is saved when it is left.
    void newLineSavedWithoutTouchingTheFlag_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("flag");
        QTest::newRow("private: depreciated") << "Privat" << "1";
        QTest::newRow("public: not depreciated") << "Public" << "0";
    }
    void newLineSavedWithoutTouchingTheFlag()
    {
        QFETCH(QString, domain);
        QFETCH(QString, flag);
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        IniStockLinesModel *lines = form.lines();
        const int row = form.addLine();
        const Cells typed{{Ini::Group, "2.2"}, {Ini::Article, "500"}, {Ini::Name, "Freza"}, {Ini::Price, "2500"},
                          {Ini::Lot, "1.3.2019"}, {Ini::Domain, domain}};
        for (const auto &[column, text] : typed)
            QVERIFY(lines->setData(lines->index(row, column), text));
        QVERIFY(form.postCurrent());
        QVERIFY(m_messages.texts().isEmpty());
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Cod_articol\", \"Cantitate\", \"DurataTotala\", \"CalcAmortizare\" "
                                               "FROM \"Item_in\" WHERE \"Contor\" = -1"));
        QVERIFY(q.next());
        QCOMPARE(QStringList({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}),
                 (QStringList{"500", "1", "48", flag}));
        QCOMPARE(stockRows(*m_db), QStringList{"G1|2.2|500|2500|2019-03-01|-|1"});
    }

    // Whatever a caller hands in, a refused line leaves every table as it was; the entry
    // documents hold their lines to the same rule.
    void refusedSavesChangeNothing_data()
    {
        QTest::addColumn<bool>("entryDocument");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("depreciated");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("message");
        for (const bool entry : {false, true}) {
            const char *where = entry ? "entry document" : "initial stock";
            QTest::addRow("%s: public asset marked for depreciation", where)
                << entry << "Public" << true << true << EntryComputations::publicDomainText();
            QTest::addRow("%s: incomplete", where) << entry << "Privat" << true << false
                                                  << (entry ? EntryDocumentService::incompleteLineText()
                                                            : InitialStock::incompleteText());
            QTest::addRow("%s: accepted", where) << entry << "Public" << false << true << "";
        }
    }
    void refusedSavesChangeNothing()
    {
        QFETCH(bool, entryDocument);
        QFETCH(QString, domain);
        QFETCH(bool, depreciated);
        QFETCH(bool, named);
        QFETCH(QString, message);
        // A stored line changed into the refused one: neither its row nor its stock moves.
        InitialStock stock(*m_db, m_params.epsilon);
        EntryDocumentService documents(*m_db, m_params);
        EntryLine line = completeLine("600", "Privat", true);
        if (entryDocument)
            line.contor = documents.newDocument(QDate(2024, 1, 10)).contor;
        const EntryLine stored = entryDocument ? documents.saveLine(line) : stock.saveLine(line);
        const QStringList before = tables();
        EntryLine changed = completeLine("600", domain, depreciated);
        changed.contor = stored.contor;
        changed.contorSecundar = stored.contorSecundar;
        changed.quantity = 3;
        if (!named)
            changed.name.clear();
        QString refusal;
        try {
            entryDocument ? documents.saveLine(changed) : stock.saveLine(changed);
        } catch (const DocumentRefusal &e) {
            refusal = e.text();
        }
        QCOMPARE(refusal, message);
        if (message.isEmpty())
            QVERIFY(tables() != before);
        else
            QCOMPARE(tables(), before);
    }

    // A line typed from the keyboard, checked box included, saved when the line is left.
    void lineTypedWithTheKeyboard()
    {
        m_params.genCod = true;
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.grid()->setFocus();
        auto type = [](const QString &text) {
            for (const QChar c : text)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        };
        auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        press(Qt::Key_Insert);
        type("2.2");
        press(Qt::Key_Tab); // past the generated inventory number
        QCOMPARE(form.grid()->currentIndex().column(), int(Ini::Name));
        type("Freza");
        press(Qt::Key_Tab);
        type("2");
        press(Qt::Key_Tab);
        type("3.500,5");
        press(Qt::Key_Tab);
        type("01032019");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // no budget
        type("Pu");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // the total duration the code gave
        type("30");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(form.grid()->currentIndex().column(), int(Ini::CalcDepreciation));
        press(Qt::Key_Space); // public: refused, stays off
        press(Qt::Key_Tab);   // leaves the line: it is saved and the next one starts
        QCOMPARE(m_messages.texts(), QStringList{EntryComputations::publicDomainText()});
        QCOMPARE(form.lines()->rowCount(), 2);
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Cod_articol\", \"Denumire\", \"Domeniu\", \"DurataTotala\", "
                                               "\"DurataRamasa\", \"CalcAmortizare\" FROM \"Item_in\" WHERE \"Contor\" = -1"));
        QVERIFY(q.next());
        QCOMPARE(QStringList({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                              q.value(4).toString(), q.value(5).toString()}),
                 (QStringList{"2.2/001", "Freza", "Public", "48", "30", "0"}));
        QCOMPARE(stockRows(*m_db), QStringList{"G1|2.2|2.2/001|3500.5|2019-03-01|-|2"});
    }
};

TESSARO_TEST_MAIN(TestIniStockRules)
#include "tst_inistockrules.moc"
