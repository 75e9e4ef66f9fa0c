#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/forms/DateField.h"
#include "app/Status.h"
#include "documents/Counter.h"
#include "documents/StockLedger.h"
#include "documents/StockRecalculation.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/TDocInForm.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTableView>

using namespace ledger_test;
using Col = DocInLinesModel::Column;
using Cells = QMap<int, QString>;

namespace {

class RecordingStatus : public StatusTarget
{
public:
    void setStatusText(const QString &text) override { texts << text; }
    QStringList texts;
};

} // namespace

class TestDocInWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;

    std::unique_ptr<TDocInForm> openForm()
    {
        auto form = std::make_unique<TDocInForm>(*m_db, m_params, m_messages, m_env->workstation());
        form->show();
        if (form->headerState() == TDocInForm::HeaderState::Insert)
            dateDocument(*form);
        return form;
    }

    // Before the lines' date of putting into use, so no line is warned about it.
    static void dateDocument(TDocInForm &form)
    {
        form.findChild<DateField *>(QStringLiteral("DataEdit"))->setDate(QDate(2024, 1, 10));
    }

    // A complete line of the first unit; `cells` overrides or adds values.
    static Cells asset(const QString &article, const QString &price, const QString &quantity, Cells cells = {})
    {
        Cells all{{Col::CodGrupa, QStringLiteral("2.1")}, {Col::CodArticol, article},
                  {Col::Denumire, QStringLiteral("Calculator")}, {Col::Cantitate, quantity},
                  {Col::PretLei, price}, {Col::Domeniu, QStringLiteral("Privat")},
                  {Col::Lot, QStringLiteral("15.1.2024")}};
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            all[it.key()] = it.value();
        return all;
    }

    static void type(TDocInForm &form, int row, const Cells &cells)
    {
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            form.lines()->setData(form.lines()->index(row, it.key()), it.value());
    }

    static void fillHeader(TDocInForm &form, const QString &type = QStringLiteral("FCT"))
    {
        auto *combo = form.findChild<QComboBox *>(QStringLiteral("TipCombo"));
        combo->setCurrentIndex(combo->findText(type));
        form.findChild<QLineEdit *>(QStringLiteral("NumarEdit"))->setText(QStringLiteral("77"));
    }

    // The stock must always be what the recalculation rebuilds from the documents.
    void verifyStockMatchesRecalculation()
    {
        const QStringList kept = stockRows(*m_db);
        QCOMPARE(StockRecalculation(*m_db, m_params.epsilon).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(*m_db), kept);
    }

    QStringList tables() const
    {
        QStringList rows;
        for (const char *table : {"Doc_in", "Item_in", "Stoc", "Counter"}) {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1, 2").arg(QLatin1String(table)));
            while (q.next()) {
                QStringList cells{QLatin1String(table)};
                for (int i = 0; i < q.record().count(); ++i)
                    cells << q.value(i).toString();
                rows << cells.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    int count(const QString &sql) const
    {
        QSqlQuery q = m_db->run(sql);
        return q.next() ? q.value(0).toInt() : -1;
    }

    // A saved document of two lines: 2.1/001 x 1 at 100 and 2.1/002 x 3 at 50.
    std::unique_ptr<TDocInForm> documentWithTwoLines()
    {
        auto form = openForm();
        type(*form, form->addLine(), asset(QStringLiteral("2.1/001"), QStringLiteral("100"), QStringLiteral("1")));
        type(*form, form->addLine(), asset(QStringLiteral("2.1/002"), QStringLiteral("50"), QStringLiteral("3")));
        fillHeader(*form);
        return form->saveHeader() ? std::move(form) : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu'), ('G2', 'Depozit')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 2, 4), ('1', '3.3', 5, 7)"));
        m_db->run(QStringLiteral("INSERT INTO \"Catalog\" (\"Grupa\", \"Cod\", \"Denumire\") VALUES "
                                 "('2.1', 'C-1', 'Monitor'), ('2.1', 'C-2', 'Imprimanta'), ('3.3', 'C-3', 'Strung')"));
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void linesSavedOnLeavingTheRow_data()
    {
        QTest::addColumn<QList<Cells>>("typed");
        QTest::addColumn<QStringList>("stock");
        QTest::newRow("distinct keys")
            << QList<Cells>{asset("2.1/001", "100", "1"), asset("2.1/002", "250,5", "2"),
                            asset("2.1/003", "80", "1", {{Col::GestName, "G2"}})}
            << QStringList{"G1|2.1|2.1/001|100|2024-01-15|-|1", "G1|2.1|2.1/002|250.5|2024-01-15|-|2",
                           "G2|2.1|2.1/003|80|2024-01-15|-|1"};
        QTest::newRow("two lines share a stock row")
            << QList<Cells>{asset("2.1/001", "100", "1"), asset("2.1/001", "100", "2"), asset("2.1/001", "90", "1")}
            << QStringList{"G1|2.1|2.1/001|100|2024-01-15|-|3", "G1|2.1|2.1/001|90|2024-01-15|-|1"};
    }
    void linesSavedOnLeavingTheRow()
    {
        QFETCH(QList<Cells>, typed);
        QFETCH(QStringList, stock);
        auto form = openForm();
        QCOMPARE(form->headerState(), TDocInForm::HeaderState::Insert);
        QCOMPARE(form->currentContor(), 1.0);
        for (int i = 0; i < typed.size(); ++i) {
            const int row = form->addLine();
            QCOMPARE(row, i);
            type(*form, row, typed.at(i));
            // Nothing reaches the tables while the user is still on the line.
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\"")), i);
        }
        // Leaving the last line for the first one saves it.
        form->grid()->setCurrentIndex(form->lines()->index(0, Col::Denumire));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" WHERE \"Contor\" = 1")), int(typed.size()));
        QCOMPARE(stockRows(*m_db), stock);
        fillHeader(*form);
        QVERIFY(form->saveHeader());
        QCOMPARE(form->headerState(), TDocInForm::HeaderState::Browse);
        QCOMPARE(m_messages.texts(), QStringList{});
        verifyStockMatchesRecalculation();
    }

    void editingASavedLineMovesStockOnce_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("stock");
        QTest::newRow("quantity 1 -> 3 adds 2")
            << int(Col::Cantitate) << "3"
            << QStringList{"G1|2.1|2.1/001|100|2024-01-15|-|3", "G1|2.1|2.1/002|50|2024-01-15|-|3"};
        QTest::newRow("price moves the whole quantity")
            << int(Col::PretLei) << "120"
            << QStringList{"G1|2.1|2.1/001|120|2024-01-15|-|1", "G1|2.1|2.1/002|50|2024-01-15|-|3"};
        QTest::newRow("unit moves the whole quantity")
            << int(Col::GestName) << "G2"
            << QStringList{"G1|2.1|2.1/002|50|2024-01-15|-|3", "G2|2.1|2.1/001|100|2024-01-15|-|1"};
    }
    void editingASavedLineMovesStockOnce()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QStringList, stock);
        auto form = documentWithTwoLines();
        QVERIFY(form);
        form->grid()->setCurrentIndex(form->lines()->index(0, column));
        type(*form, 0, {{column, value}});
        QCOMPARE(form->headerState(), TDocInForm::HeaderState::Edit);
        // Back and forth: the second departure finds nothing left to save.
        for (int i = 0; i < 2; ++i) {
            form->grid()->setCurrentIndex(form->lines()->index(1, column));
            form->grid()->setCurrentIndex(form->lines()->index(0, column));
        }
        QCOMPARE(stockRows(*m_db), stock);
        QCOMPARE(m_messages.texts(), QStringList{});
        verifyStockMatchesRecalculation();
    }

    void refusedLineStaysInEdit_data()
    {
        QTest::addColumn<Cells>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("name cleared") << Cells{{Col::Denumire, ""}} << "Completati toate datele inregistrarii!";
        QTest::newRow("below what exits took out")
            << Cells{{Col::Cantitate, "0,5"}}
            << "Atentie!\nPrin aceasta operatiune stocul devine negativ!\n"
               "Stergeti mai întîi operatiunile corespunzatoare de iesire din stoc!";
        QTest::newRow("moved away after exits")
            << Cells{{Col::PretLei, "55"}}
            << "Atentie!\nPrin aceasta operatiune stocul devine negativ!\n"
               "Stergeti mai întîi operatiunile corespunzatoare de iesire din stoc!";
    }
    void refusedLineStaysInEdit()
    {
        QFETCH(Cells, change);
        QFETCH(QString, message);
        auto form = documentWithTwoLines();
        QVERIFY(form);
        // An exit took two of the three units of the second line.
        StockLedger(*m_db, m_params.epsilon).ChangeStock(form->lines()->line(1).stockKey(), -2);
        const QStringList before = tables();
        form->grid()->setCurrentIndex(form->lines()->index(1, Col::Denumire));
        type(*form, 1, change);
        form->grid()->setCurrentIndex(form->lines()->index(0, Col::Denumire));
        QCOMPARE(m_messages.texts(), QStringList{message});
        QCOMPARE(tables(), before);
        QCOMPARE(form->grid()->currentIndex().row(), 1);
        QVERIFY(form->lines()->isDirty(1));
        // Cancelling the line's changes brings back what is stored.
        form->cancelCurrentLine();
        QVERIFY(!form->lines()->isDirty(1));
        QCOMPARE(form->lines()->line(1).quantity, std::optional<double>(3));
    }

    void multipleSelectionInsertsLines_data()
    {
        QTest::addColumn<QStringList>("articles");
        QTest::newRow("two of one code") << QStringList{"2.1|C-1", "2.1|C-2"};
        QTest::newRow("three of two codes") << QStringList{"2.1|C-1", "3.3|C-3", "2.1|C-2"};
    }
    void multipleSelectionInsertsLines()
    {
        QFETCH(QStringList, articles);
        RecordingStatus status;
        Status::registerTarget(&status);
        auto form = documentWithTwoLines();
        QVERIFY(form);
        QList<QPair<QString, QString>> chosen;
        for (const QString &a : std::as_const(articles))
            chosen.append({a.section(QLatin1Char('|'), 0, 0), a.section(QLatin1Char('|'), 1, 1)});
        form->insertSelection(chosen);
        Status::registerTarget(nullptr);
        const int n = int(articles.size());
        QCOMPARE(form->lines()->rowCount(), 2 + n);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" WHERE \"Cantitate\" = 1 AND \"Contor_secundar\" > 2")), n);
        QCOMPARE(count(QStringLiteral("SELECT MAX(\"Contor_secundar\") FROM \"Item_in\"")), 2 + n);
        QVERIFY(status.texts.contains(QStringLiteral("Inserez articolele selectate...")));
        QCOMPARE(status.texts.last(), QStringLiteral(" OK."));
        QCOMPARE(form->grid()->currentIndex().row(), 2);
        // Each inserted line got the middle of its code's normal life.
        QCOMPARE(form->lines()->line(2).durataTotala, std::optional<double>(36));
        verifyStockMatchesRecalculation();

        // Completing an inserted line moves its stock; it does not take away twice.
        type(*form, 2, asset(chosen.first().second, QStringLiteral("400"), QStringLiteral("2"),
                             {{Col::CodGrupa, chosen.first().first}}));
        form->grid()->setCurrentIndex(form->lines()->index(0, Col::Denumire));
        QCOMPARE(m_messages.texts(), QStringList{});
        QVERIFY(!form->lines()->isDirty(2));
        QVERIFY(stockRows(*m_db).contains(QStringLiteral("G1|2.1|C-1|400|2024-01-15|-|2")));
        verifyStockMatchesRecalculation();
    }

    void cancellingANewDocument_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("documents");
        QTest::addColumn<double>("counter");
        QTest::newRow("confirmed") << true << 1 << 5.0;
        QTest::newRow("kept editing") << false << 2 << 6.0;
    }
    void cancellingANewDocument()
    {
        QFETCH(bool, confirmed);
        QFETCH(int, documents);
        QFETCH(double, counter);
        m_db->run(QStringLiteral("INSERT INTO \"Counter\" (\"NewCounterIn\") VALUES (5)"));
        addDocument(*m_db, "Doc_in", 5, QStringLiteral("2024-01-10"));
        auto form = openForm();
        QCOMPARE(form->currentContor(), 5.0);
        QVERIFY(form->newDocument());
        QCOMPARE(form->currentContor(), 6.0);
        dateDocument(*form);
        type(*form, form->addLine(), asset(QStringLiteral("2.1/001"), QStringLiteral("100"), QStringLiteral("1")));
        type(*form, form->addLine(), asset(QStringLiteral("2.1/002"), QStringLiteral("50"), QStringLiteral("2")));
        QVERIFY(form->postCurrent());
        QCOMPARE(stockRows(*m_db).size(), 2);
        m_messages.answer(confirmed);
        form->cancelHeader();
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Sterg documentul curent?")});
        QCOMPARE(form->documentCount(), documents);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::In), counter);
        QCOMPARE(stockRows(*m_db).size(), confirmed ? 0 : 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\"")), confirmed ? 0 : 2);
        QCOMPARE(form->headerState(), confirmed ? TDocInForm::HeaderState::Browse : TDocInForm::HeaderState::Insert);
        QCOMPARE(form->currentContor(), confirmed ? 5.0 : 6.0);
    }

    void periodFilterAndCaption_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("documents");
        QTest::newRow("March") << QDate(2024, 3, 1) << QDate(2024, 3, 31) << "Intrari produse 1.3.24 - 31.3.24" << 2;
        QTest::newRow("one day") << QDate(2024, 2, 5) << QDate(2024, 2, 5) << "Intrari produse 5.2.24 - 5.2.24" << 1;
        QTest::newRow("nothing") << QDate(2023, 1, 1) << QDate(2023, 12, 31) << "Intrari produse 1.1.23 - 31.12.23" << 0;
    }
    void periodFilterAndCaption()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QString, caption);
        QFETCH(int, documents);
        addDocument(*m_db, "Doc_in", 1, QStringLiteral("2024-02-05"));
        addDocument(*m_db, "Doc_in", 2, QStringLiteral("2024-03-20"));
        addDocument(*m_db, "Doc_in", 3, QStringLiteral("2024-03-02"));
        auto form = openForm();
        QCOMPARE(form->documentCount(), 3);
        // A second period replaces the first in the caption.
        form->setPeriod(QDate(2024, 1, 1), QDate(2024, 12, 31));
        form->setPeriod(first, last);
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(form->documentCount(), documents);
        QCOMPARE(form->currentContor() != 0, documents > 0);
        form->showAll();
        QCOMPARE(form->windowTitle(), TDocInForm::allDocumentsCaption());
        QCOMPARE(form->documentCount(), 3);
    }

    // Headers are read a page at a time: moving through several pages, in number order or
    // in date order within a period (equal dates by number), meets them in that order.
    void movingThroughManyDocuments_data()
    {
        QTest::addColumn<QDate>("first"); // invalid: the whole list
        QTest::addColumn<QDate>("last");
        QTest::newRow("whole list, number order") << QDate() << QDate();
        QTest::newRow("a period, date order") << QDate(2024, 1, 20) << QDate(2024, 3, 31);
        QTest::newRow("one day, equal dates") << QDate(2024, 2, 10) << QDate(2024, 2, 10);
    }
    void movingThroughManyDocuments()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QList<std::pair<QDate, int>> expected;
        m_db->writeTransaction([&] {
            for (int contor = 1; contor <= 650; ++contor) {
                const QDate registered = QDate(2024, 1, 1).addDays((contor * 37) % 100);
                addDocument(*m_db, "Doc_in", contor, registered.toString(Qt::ISODate));
                if (!first.isValid() || (registered >= first && registered <= last))
                    expected.append({first.isValid() ? registered : QDate(), contor});
            }
        });
        std::sort(expected.begin(), expected.end());
        auto form = openForm();
        QCOMPARE(form->documentCount(), 650);
        QCOMPARE(form->currentContor(), 650.0);
        if (first.isValid())
            form->setPeriod(first, last);
        QCOMPARE(form->documentCount(), int(expected.size()));
        form->first();
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(form->currentContor(), double(expected.at(i).second));
            form->next();
        }
        form->last();
        QCOMPARE(form->currentContor(), double(expected.last().second));
        form->prior();
        QCOMPARE(form->currentContor(), double(expected.at(expected.size() - 2).second));
    }

    void closingWithAnUnsavedHeader_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("headers");
        QTest::newRow("new document without lines is abandoned") << 0 << "" << true << QStringList{} << 0;
        QTest::newRow("header check keeps it open") << 1 << "" << false
                                                    << QStringList{"Completati tipul documentului!"} << 1;
        QTest::newRow("valid header is saved") << 1 << "NR" << true << QStringList{} << 1;
    }
    void closingWithAnUnsavedHeader()
    {
        QFETCH(int, lines);
        QFETCH(QString, type);
        QFETCH(bool, closes);
        QFETCH(QStringList, messages);
        QFETCH(int, headers);
        auto form = openForm();
        for (int i = 0; i < lines; ++i)
            TestDocInWindow::type(*form, form->addLine(),
                                  asset(QStringLiteral("2.1/00%1").arg(i + 1), QStringLiteral("10"), QStringLiteral("1")));
        if (lines > 0)
            fillHeader(*form, type);
        QCOMPARE(form->close(), closes);
        QCOMPARE(m_messages.texts(), messages);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Doc_in\"")), headers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Doc_in\" WHERE \"Tip\" = 'NR'")), type.isEmpty() ? 0 : 1);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::In), headers ? 1.0 : 0.0);
        QCOMPARE(QFile::exists(m_env->workstation().privateDirectory() + QStringLiteral("pavlon.cfg")), closes);
    }
};

TESSARO_TEST_MAIN(TestDocInWindow)
#include "tst_docinwindow.moc"
