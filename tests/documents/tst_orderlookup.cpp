#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/forms/DateField.h"
#include "documents/OrderLedger.h"
#include "documents/OutstandingOrders.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/TDocInForm.h"
#include "documents/forms/TSelComandaDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

using namespace ledger_test;
using Col = DocInLinesModel::Column;

class TestOrderLookup : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;

    QStringList orderRows() const
    {
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Contor\", \"Cod_grupa\", \"Cod_articol\", \"Cod_agent\", "
                                               "\"Cant_solicitata\", \"Cant_anulata\" FROM \"Stoc_Com\" WHERE \"Contor\" = 7 "
                                               "ORDER BY 1, 2, 3"));
        QStringList rows;
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < 6; ++i)
                cells << q.value(i).toString();
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        m_params.com = true;
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 2, 4)"));
        m_db->run(QStringLiteral("INSERT INTO \"Catalog\" (\"Grupa\", \"Cod\", \"Denumire\") VALUES "
                                 "('2.1', 'C-1', 'Monitor'), ('2.1', 'C-2', 'Imprimanta')"));
        m_db->run(QStringLiteral("INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B1', 'Buget local')"));
        m_db->run(QStringLiteral("INSERT INTO \"Furn\" (\"Cod_furnizor\", \"Nume_furnizor\") VALUES "
                                 "('F1', 'Alfa'), ('F2', 'Beta'), ('F3', 'Gama')"));
        // F1: order 7 of 5 monitors, 1 cancelled. F2: order 8 wholly cancelled. F3 ordered nothing.
        m_db->run(QStringLiteral("INSERT INTO \"Doc_Com\" (\"Contor\", \"Data\", \"Numar\", \"Cod_Furnizor\") VALUES "
                                 "(7, '2024-01-05', 12, 'F1'), (8, '2024-01-06', 13, 'F2')"));
        m_db->run(QStringLiteral("INSERT INTO \"Stoc_Com\" VALUES (7, '2.1', 'C-1', 'B1', 'F1', 5, 1), "
                                 "(8, '2.1', 'C-2', 'B1', 'F2', 2, 2)"));
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void outstandingLinesOfASupplier_data()
    {
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("partly cancelled order") << "F1" << QStringList{"7|12|2.1|C-1|B1|Monitor|4"};
        QTest::newRow("wholly cancelled order") << "F2" << QStringList{};
        QTest::newRow("supplier without orders") << "F3" << QStringList{};
        QTest::newRow("document without supplier") << "" << QStringList{};
        QTest::newRow("quoted text is a value") << "F1' OR '1'='1" << QStringList{};
    }
    void outstandingLinesOfASupplier()
    {
        QFETCH(QString, supplier);
        QFETCH(QStringList, listed);
        QStringList rows;
        for (const OutstandingOrders::Line &l : OutstandingOrders(*m_db).ofSupplier(supplier))
            rows << QStringList{QString::number(l.order), QString::number(l.number), l.group, l.article, l.agent,
                                l.name, QString::number(l.outstanding())}
                        .join(QLatin1Char('|'));
        QCOMPARE(rows, listed);
    }

    // The order chosen fills the line; saving it receives the quantity against the order.
    void chosenOrderFillsTheLine_data()
    {
        QTest::addColumn<QString>("typedQuantity"); // empty: the order's rest is kept
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("ordersAfter");
        QTest::addColumn<QStringList>("stockAfter");
        QTest::newRow("rest received whole") << "" << true << QStringList{}
                                             << QStringList{"G1|2.1|C-1|100|2024-01-15|B1|4"};
        QTest::newRow("part received") << "3" << true << QStringList{"7|2.1|C-1|B1|2|1"}
                                       << QStringList{"G1|2.1|C-1|100|2024-01-15|B1|3"};
        QTest::newRow("more than ordered") << "6" << false << QStringList{"7|2.1|C-1|B1|5|1"} << QStringList{};
    }
    void chosenOrderFillsTheLine()
    {
        QFETCH(QString, typedQuantity);
        QFETCH(bool, saved);
        QFETCH(QStringList, ordersAfter);
        QFETCH(QStringList, stockAfter);

        TDocInForm form(*m_db, m_params, m_messages, m_env->workstation());
        form.show();
        QVERIFY(form.isOpen());
        form.findChild<DateField *>(QStringLiteral("DataEdit"))->setDate(QDate(2024, 1, 10));
        auto *supplier = form.findChild<QComboBox *>(QStringLiteral("FurnizorCombo"));
        supplier->setCurrentIndex(supplier->findData(QStringLiteral("F1")));
        const int row = form.addLine();
        QVERIFY(row >= 0);

        int listed = -1;
        QTimer::singleShot(0, this, [&listed] {
            auto *dialog = qobject_cast<TSelComandaDlg *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            listed = dialog->lineCount();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Selectie comanda "));
            dialog->selectLine(0);
            dialog->accept();
        });
        const QModelIndex order = form.lines()->index(row, Col::Comanda);
        form.grid()->setCurrentIndex(order);
        Q_EMIT form.grid()->doubleClicked(order);
        QCOMPARE(listed, 1);

        const EntryLine &line = form.lines()->line(row);
        QCOMPARE(line.group, QStringLiteral("2.1"));
        QCOMPARE(line.article, QStringLiteral("C-1"));
        QCOMPARE(line.agent, QStringLiteral("B1"));
        QCOMPARE(line.quantity, std::optional<double>(4));
        QCOMPARE(line.contorCom, std::optional<double>(7));
        QCOMPARE(form.lines()->data(order).toString(), QStringLiteral("12/5.1.2024"));
        QTRY_COMPARE(form.grid()->currentIndex().column(), int(Col::Cantitate));

        const QMap<int, QString> rest{{Col::Denumire, QStringLiteral("Monitor")}, {Col::PretLei, QStringLiteral("100")},
                                      {Col::Domeniu, QStringLiteral("Privat")}, {Col::Lot, QStringLiteral("15.1.2024")}};
        for (auto it = rest.cbegin(); it != rest.cend(); ++it)
            QVERIFY(form.lines()->setData(form.lines()->index(row, it.key()), it.value()));
        if (!typedQuantity.isEmpty())
            QVERIFY(form.lines()->setData(form.lines()->index(row, Col::Cantitate), typedQuantity));
        QCOMPARE(form.postCurrent(), saved);
        QCOMPARE(m_messages.texts().contains(OrderLedger::tooMuchText()), !saved);
        QCOMPARE(orderRows(), ordersAfter);
        QCOMPARE(stockRows(*m_db), stockAfter);
        form.cancelCurrentLine();
    }
};

TESSARO_TEST_MAIN(TestOrderLookup)
#include "tst_orderlookup.moc"
