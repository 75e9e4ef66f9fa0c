#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/Status.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "documents/Counter.h"
#include "documents/EntryDocumentService.h"
#include "documents/ExitDocumentService.h"
#include "documents/ExitLineEditing.h"
#include "documents/ExitPriceChoice.h"
#include "documents/HeaderChecks.h"
#include "documents/StockRecalculation.h"
#include "documents/Transfer.h"
#include "documents/forms/DocOutLinesModel.h"
#include "documents/forms/DocOutLookups.h"
#include "documents/forms/TDocOutForm.h"
#include "documents/forms/TDiscountDlg.h"
#include "documents/forms/TSelPretDlg.h"
#include "documents/forms/TStocksForm.h"
#include "documents/forms/TTransferDlg.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace ledger_test;
using Col = DocOutLinesModel::Column;

namespace {

class RecordingStatus : public StatusTarget
{
public:
    void setStatusText(const QString &text) override { texts << text; }
    QStringList texts;
};

const QDate lot(2020, 1, 15);

} // namespace

class TestDocOutWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;
    double m_entryDoc = 0;

    // Stock brought in as a reception brings it: 2.1/001 x 1 at 100, 2.1/002 x 2 at 50 and
    // x 5 at 60, 2.1/003 x 2 at 200, all in G1.
    void receive(const QString &article, double price, double quantity)
    {
        EntryDocumentService entries(*m_db, m_params);
        if (!m_entryDoc)
            m_entryDoc = entries.newDocument(QDate(2020, 1, 20)).contor;
        EntryLine l;
        l.contor = m_entryDoc;
        l.unit = QStringLiteral("G1");
        l.group = QStringLiteral("2.1");
        l.article = article;
        l.name = QStringLiteral("Calculator ") + article;
        l.domain = QStringLiteral("Privat");
        l.calcAmortizare = true;
        l.lot = lot;
        l.agent = QStringLiteral("B1");
        l.priceLei = price;
        l.quantity = quantity;
        l.durataTotala = 36;
        l.durataRamasa = 30;
        l.valoareAmortizata = 100;
        entries.saveLine(l);
    }

    std::unique_ptr<TDocOutForm> openForm()
    {
        auto form = std::make_unique<TDocOutForm>(*m_db, m_params, m_messages, m_env->workstation());
        form->show();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the window did not become active");
        return form;
    }

    // The grid's current cell typed as a user types it: the first key opens the editor,
    // the others go into it, and `leave` (Tab) leaves the cell.
    static void typeCell(TDocOutForm &form, const QString &text, Qt::Key leave = Qt::Key_Tab)
    {
        QTableView *grid = form.grid();
        grid->setFocus();
        QTest::keyClicks(grid, text.left(1));
        QWidget *editor = grid->indexWidget(grid->currentIndex());
        QVERIFY2(editor, qPrintable(QStringLiteral("no editor for ") + text));
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, leave);
    }

    // A new line typed from the keyboard: Down on an empty grid (or Tab past the last
    // line) starts it on "Cod clasificare"; Tab goes through the editable cells only.
    void typeLine(TDocOutForm &form, const QString &article, const QString &quantity)
    {
        QTableView *grid = form.grid();
        grid->setFocus();
        if (form.lines()->rowCount() == 0)
            QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().column(), int(Col::CodGrupa));
        typeCell(form, QStringLiteral("2.1"));
        QCOMPARE(grid->currentIndex().column(), int(Col::CodArticol));
        typeCell(form, article);
        // Name and date of putting into use are read-only: the cursor goes on to the quantity.
        QCOMPARE(grid->currentIndex().column(), int(Col::Cantitate));
        typeCell(form, quantity);
    }

    static void fillHeader(TDocOutForm &form, const QString &type = QStringLiteral("NPR"))
    {
        form.findChild<QComboBox *>(QStringLiteral("TipCombo"))->setCurrentText(type);
        form.findChild<QLineEdit *>(QStringLiteral("NumarEdit"))->setText(QStringLiteral("5"));
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
        for (const char *table : {"Doc_out", "Item_out", "Doc_in", "Item_in", "Stoc", "Counter", "Clnpay"}) {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT * FROM \"%1\"").arg(QLatin1String(table)));
            while (q.next()) {
                QStringList cells{QLatin1String(table)};
                for (int i = 0; i < q.record().count(); ++i)
                    cells << q.value(i).toString();
                rows << cells.join(QLatin1Char('|'));
            }
        }
        rows.sort();
        return rows;
    }

    int count(const QString &sql) const
    {
        QSqlQuery q = m_db->run(sql);
        return q.next() ? q.value(0).toInt() : -1;
    }

    // The exit lines as "article:price:quantity", in line order.
    QStringList exitLines() const
    {
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Cod_articol\", \"Pret_achizitie\", \"Cantitate\" FROM \"Item_out\" "
                                               "ORDER BY \"Contor\", \"Contor_secundar\""));
        QStringList rows;
        while (q.next())
            rows << QStringLiteral("%1:%2:%3").arg(q.value(0).toString()).arg(q.value(1).toDouble()).arg(q.value(2).toDouble());
        return rows;
    }

    static QString row(const char *article, double price, double quantity, const char *unit = "G1")
    {
        return QStringLiteral("%1|2.1|%2|%3|2020-01-15|B1|%4")
            .arg(QLatin1String(unit), QLatin1String(article))
            .arg(price)
            .arg(quantity);
    }

    // Every stock row as received, without those of `taken`, with `changed` added.
    static QStringList stockWith(const QStringList &taken = {}, const QStringList &changed = {})
    {
        QStringList rows{row("2.1/001", 100, 1), row("2.1/002", 50, 2), row("2.1/002", 60, 5), row("2.1/003", 200, 2)};
        for (const QString &gone : taken)
            rows.removeAll(gone);
        rows << changed;
        rows.sort();
        return rows;
    }

    // A saved document of two lines (2.1/001 x 1 and 2.1/003 x 2) typed into the window.
    std::unique_ptr<TDocOutForm> documentWithTwoLines()
    {
        auto form = openForm();
        typeLine(*form, QStringLiteral("2.1/001"), QStringLiteral("1"));
        typeLine(*form, QStringLiteral("2.1/003"), QStringLiteral("2"));
        fillHeader(*form);
        if (!form->saveHeader() || exitLines().size() != 2)
            return nullptr;
        return form;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        m_entryDoc = 0;
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu'), ('G2', 'Depozit'), ('G3', 'Atelier')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 2, 4)"));
        m_db->run(QStringLiteral("INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B1', 'Buget local')"));
        m_db->run(QStringLiteral("INSERT INTO \"User\" (\"Init\", \"Name\") VALUES ('AP', 'Ana Pop'), ('IC', 'Ion Cazan')"));
        receive(QStringLiteral("2.1/001"), 100, 1);
        receive(QStringLiteral("2.1/002"), 50, 2);
        receive(QStringLiteral("2.1/002"), 60, 5);
        receive(QStringLiteral("2.1/003"), 200, 2);
        QCOMPARE(stockRows(*m_db), stockWith());
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void linesTypedThroughTheKeyboard_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("stock");
        QTest::newRow("the whole row taken")
            << QStringList{"2.1/001|1"} << QStringList{"2.1/001:100:1"} << stockWith({row("2.1/001", 100, 1)});
        QTest::newRow("part of a row")
            << QStringList{"2.1/003|1"} << QStringList{"2.1/003:200:1"}
            << stockWith({row("2.1/003", 200, 2)}, {row("2.1/003", 200, 1)});
        QTest::newRow("decimal comma")
            << QStringList{"2.1/003|1,5"} << QStringList{"2.1/003:200:1.5"}
            << stockWith({row("2.1/003", 200, 2)}, {row("2.1/003", 200, 0.5)});
        QTest::newRow("the first price of an asset with two")
            << QStringList{"2.1/002|1", "2.1/001|1"} << QStringList{"2.1/002:50:1", "2.1/001:100:1"}
            << stockWith({row("2.1/002", 50, 2), row("2.1/001", 100, 1)}, {row("2.1/002", 50, 1)});
    }
    void linesTypedThroughTheKeyboard()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, stock);
        auto form = openForm();
        QCOMPARE(form->headerState(), TDocOutForm::HeaderState::Insert);
        QCOMPARE(form->currentContor(), 1.0);
        for (int i = 0; i < typed.size(); ++i) {
            typeLine(*form, typed.at(i).section(QLatin1Char('|'), 0, 0), typed.at(i).section(QLatin1Char('|'), 1, 1));
            // Tab past the last cell left the line, which saved it, and started the next one.
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_out\"")), i + 1);
            QCOMPARE(form->lines()->rowCount(), i + 2);
            QCOMPARE(form->grid()->currentIndex(), form->lines()->index(i + 1, Col::CodGrupa));
        }
        // The name comes from the entry line that brought the asset in.
        QCOMPARE(form->lines()->index(0, Col::Denumire).data().toString(),
                 QStringLiteral("Calculator ") + typed.first().section(QLatin1Char('|'), 0, 0));
        QCOMPARE(form->lines()->line(0).lot, lot);
        fillHeader(*form);
        QVERIFY(form->saveHeader());
        // The line started and left untouched is not kept.
        QCOMPARE(form->lines()->rowCount(), int(typed.size()));
        QCOMPARE(m_messages.texts(), QStringList{});
        QCOMPARE(exitLines(), lines);
        QCOMPARE(stockRows(*m_db), stock);
        verifyStockMatchesRecalculation();
    }

    void changingASavedLine_data()
    {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("saved");
        QTest::addColumn<QStringList>("after");
        // The row taken whole disappears; deleting the line brings it back.
        QTest::newRow("deleted, the row comes back")
            << "2.1/001" << "1" << "delete" << stockWith({row("2.1/001", 100, 1)}) << stockWith();
        QTest::newRow("2 -> 1 puts one back")
            << "2.1/003" << "2" << "1" << stockWith({row("2.1/003", 200, 2)})
            << stockWith({row("2.1/003", 200, 2)}, {row("2.1/003", 200, 1)});
        QTest::newRow("1 -> 2 takes one more")
            << "2.1/003" << "1" << "2" << stockWith({row("2.1/003", 200, 2)}, {row("2.1/003", 200, 1)})
            << stockWith({row("2.1/003", 200, 2)});
    }
    void changingASavedLine()
    {
        QFETCH(QString, article);
        QFETCH(QString, quantity);
        QFETCH(QString, change);
        QFETCH(QStringList, saved);
        QFETCH(QStringList, after);
        auto form = openForm();
        typeLine(*form, article, quantity);
        fillHeader(*form);
        QVERIFY(form->saveHeader());
        QCOMPARE(stockRows(*m_db), saved);
        verifyStockMatchesRecalculation();

        QTableView *grid = form->grid();
        grid->setFocus();
        grid->setCurrentIndex(form->lines()->index(0, Col::Cantitate));
        if (change == QLatin1String("delete")) {
            m_messages.answer(true);
            QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Stergeti înregistrarea curenta?")});
            QCOMPARE(form->lines()->rowCount(), 0);
        } else {
            typeCell(*form, change);
            QCOMPARE(m_messages.texts(), QStringList{});
            QCOMPARE(exitLines(), QStringList{article + QStringLiteral(":200:") + change});
        }
        QCOMPARE(stockRows(*m_db), after);
        verifyStockMatchesRecalculation();
    }

    void splitQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes: the rest at the other price") << true;
        QTest::newRow("No: nothing changed") << false;
    }
    void splitQuestion()
    {
        QFETCH(bool, yes);
        auto form = openForm();
        const QStringList before = tables();
        m_messages.answer(yes);
        // 3 where the cheapest row holds 2 and the other price holds 5.
        typeLine(*form, QStringLiteral("2.1/002"), QStringLiteral("3"));
        const QStringList questions = m_messages.texts(ScriptedMessages::Kind::YesNo);
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions.first().startsWith(QStringLiteral("La pretul ales nu puteti lua din stoc o cantitate mai mare de 2")),
                 qPrintable(questions.first()));
        QVERIFY(questions.first().endsWith(QStringLiteral("DORITI CAUTAREA CANTITATII SOLICITATE CU ALT PRET? ")));
        QCOMPARE(m_messages.texts().size(), 1);
        if (yes) {
            QCOMPARE(exitLines(), (QStringList{"2.1/002:50:2", "2.1/002:60:1"}));
            QCOMPARE(stockRows(*m_db), stockWith({row("2.1/002", 50, 2), row("2.1/002", 60, 5)}, {row("2.1/002", 60, 4)}));
            QCOMPARE(form->lines()->line(1).price, std::optional<double>(60));
            QVERIFY(!form->lines()->isDirty(0));
            QVERIFY(!form->lines()->isDirty(1));
        } else {
            QCOMPARE(tables(), before);
            // The line stays as typed, the cursor on its quantity for correction.
            QVERIFY(form->lines()->isDirty(0));
            QCOMPARE(form->lines()->line(0).quantity, std::optional<double>(3));
            QCOMPARE(form->grid()->currentIndex(), form->lines()->index(0, Col::Cantitate));
            // Escape gives up the new line: nothing was ever written for it.
            QTest::keyClick(form->grid(), Qt::Key_Escape);
            QCOMPARE(form->lines()->rowCount(), 0);
            QCOMPARE(tables(), before);
        }
        verifyStockMatchesRecalculation();
    }

    void transferThroughTheDialog_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("into Depozit") << true;
        QTest::newRow("cancelled") << false;
    }
    void transferThroughTheDialog()
    {
        QFETCH(bool, confirmed);
        auto form = documentWithTwoLines();
        QVERIFY(form);
        m_messages.clear();
        const QStringList before = tables();

        QStringList listed;
        QStringList labels;
        QString title;
        QString startUnit;
        bool startEnabled = true;
        auto answerDialog = [&] {
            QTimer::singleShot(0, this, [&] {
                auto *dialog = qobject_cast<TTransferDlg *>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                title = dialog->windowTitle();
                labels.clear();
                for (const QLabel *label : dialog->findChildren<QLabel *>())
                    labels << label->text();
                listed.clear();
                for (int i = 0; i < dialog->list()->count(); ++i)
                    listed << dialog->list()->item(i)->text();
                // The list starts on the receiving unit the header names, if any; OK waits for one.
                startUnit = dialog->receivingUnit();
                startEnabled = dialog->findChild<QPushButton *>(QStringLiteral("OkBtn"))->isEnabled();
                if (!confirmed) {
                    dialog->reject();
                    return;
                }
                // The unit last clicked is the receiving one.
                dialog->list()->setCurrentRow(int(listed.indexOf(QStringLiteral("Atelier"))));
                dialog->list()->setCurrentRow(int(listed.indexOf(QStringLiteral("Depozit"))));
                dialog->accept();
            });
        };
        answerDialog();
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("TransferBtn")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Transfer spre o alta gestiune"));
        QCOMPARE(labels, (QStringList{"Operatiuni in cadrul transferului :", "tipul documentului devine BT (Bon de transfer)",
                                      "Selectati gestiunea catre care se efectueaza transferul:"}));
        QCOMPARE(listed, (QStringList{"Atelier", "Depozit", "Sediu"}));
        QCOMPARE(startUnit, QString());
        QVERIFY(!startEnabled);
        if (!confirmed) {
            QCOMPARE(m_messages.texts(), QStringList{});
            QCOMPARE(tables(), before);
            return;
        }
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("OK. Transfer incheiat.")});
        // The exit document became a transfer note into Depozit, and the window shows it so.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Doc_out\" WHERE \"Tip\" = 'BT' AND \"Client\" = 'G2' "
                                      "AND \"Explicatie\" = 'Transfer'")),
                 1);
        QCOMPARE(form->header().type, QStringLiteral("BT"));
        QVERIFY(form->findChild<QLineEdit *>(QStringLiteral("ClientEdit"))->isVisible());
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("DenClnLabel"))->text(), QStringLiteral("Depozit"));
        // One entry document of Depozit, its lines numbered from 0 with the assets' depreciation data.
        QSqlQuery in = m_db->run(QStringLiteral(
            "SELECT D.\"Tip\", D.\"Numar\", D.\"Explicatie\", I.\"Contor_secundar\", I.\"Cod_gestiune\", I.\"Cod_articol\", "
            "I.\"Cantitate\", I.\"DurataTotala\", I.\"DurataRamasa\", I.\"ValoareAmortizata\", I.\"Domeniu\", I.\"Denumire\" "
            "FROM \"Doc_in\" D JOIN \"Item_in\" I ON I.\"Contor\" = D.\"Contor\" WHERE D.\"Contor\" <> :first "
            "ORDER BY I.\"Contor_secundar\""),
            {{QStringLiteral(":first"), m_entryDoc}});
        QStringList entry;
        while (in.next()) {
            QStringList cells;
            for (int i = 0; i < 12; ++i)
                cells << in.value(i).toString();
            entry << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(entry, (QStringList{"BT|5|Transfer din gestiunea Sediu|0|G2|2.1/001|1|36|30|100|Privat|Calculator 2.1/001",
                                     "BT|5|Transfer din gestiunea Sediu|1|G2|2.1/003|2|36|30|100|Privat|Calculator 2.1/003"}));
        QCOMPARE(stockRows(*m_db),
                 stockWith({row("2.1/001", 100, 1), row("2.1/003", 200, 2)},
                           {row("2.1/001", 100, 1, "G2"), row("2.1/003", 200, 2, "G2")}));
        verifyStockMatchesRecalculation();

        // A second transfer would bring the same assets into Depozit again: refused.
        const QStringList transferred = tables();
        m_messages.clear();
        answerDialog();
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("TransferBtn")), Qt::LeftButton);
        QCOMPARE(m_messages.texts(), QStringList{Transfer::alreadyTransferredText(m_entryDoc + 1)});
        QCOMPARE(startUnit, QStringLiteral("G2"));
        QVERIFY(startEnabled);
        QCOMPARE(tables(), transferred);
    }

    void refusalsLeaveTheTablesAsTheyWere_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("an asset the unit does not hold")
            << "article" << QStringList{"Articolul <2.1.2.1/999> nu are stoc în gestiunea <G1> ! "
                                        "Apasati CTRL-ENTER pentru a selecta din stocul existent!!"};
        QTest::newRow("an unknown receiving unit")
            << "unit" << QStringList{ExitDocumentService::unknownReceivingUnitText(QStringLiteral("ZZ"))};
        QTest::newRow("a header without its number") << "header" << QStringList{HeaderChecks::datesMissingText()};
        QTest::newRow("a line without a quantity") << "quantity" << QStringList{ExitDocumentService::incompleteLineText()};
    }
    void refusalsLeaveTheTablesAsTheyWere()
    {
        QFETCH(QString, action);
        QFETCH(QStringList, messages);
        auto form = openForm();
        QTableView *grid = form->grid();
        if (action == QLatin1String("header")) {
            typeLine(*form, QStringLiteral("2.1/001"), QStringLiteral("1"));
            form->findChild<QComboBox *>(QStringLiteral("TipCombo"))->setCurrentText(QStringLiteral("NPR"));
        }
        const QStringList before = tables();
        if (action == QLatin1String("article")) {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Down);
            typeCell(*form, QStringLiteral("2.1"));
            typeCell(*form, QStringLiteral("2.1/999"));
            // The value is refused: the editor stays with the text for correction.
            QCOMPARE(form->lines()->line(0).article, QString());
            QCOMPARE(grid->currentIndex().column(), int(Col::CodArticol));
        } else if (action == QLatin1String("unit")) {
            form->findChild<QComboBox *>(QStringLiteral("TipCombo"))->setCurrentText(QStringLiteral("BT"));
            auto *client = form->findChild<QLineEdit *>(QStringLiteral("ClientEdit"));
            QVERIFY(client->isVisible());
            client->setFocus();
            QTest::keyClicks(client, QStringLiteral("ZZ"));
            QTest::keyClick(client, Qt::Key_Return);
            QCOMPARE(client->text(), QString());
            QCOMPARE(form->header().client, QString());
        } else if (action == QLatin1String("header")) {
            QVERIFY(!form->saveHeader());
        } else {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Down);
            typeCell(*form, QStringLiteral("2.1"));
            typeCell(*form, QStringLiteral("2.1/003"));
            QVERIFY(!form->postCurrent());
            QVERIFY(form->lines()->isDirty(0));
        }
        QCOMPARE(m_messages.texts(), messages);
        QCOMPARE(tables(), before);
        verifyStockMatchesRecalculation();
    }

    void pickedFromStockAndPrice()
    {
        auto form = openForm();
        QTableView *grid = form->grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        grid->setCurrentIndex(form->lines()->index(0, Col::CodArticol));
        QString picker;
        QTimer::singleShot(0, this, [&] {
            auto *stocks = qobject_cast<TStocksForm *>(QApplication::activeModalWidget());
            if (!stocks)
                return;
            picker = stocks->windowTitle();
            stocks->locate(QStringLiteral("2.1"), QStringLiteral("2.1/002"), 60);
            stocks->accept();
        });
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(picker, TStocksForm::pickerCaption());
        const ExitLine &line = form->lines()->line(0);
        QCOMPARE(line.article, QStringLiteral("2.1/002"));
        QCOMPARE(line.price, std::optional<double>(60));
        QCOMPARE(line.lot, lot);
        QCOMPARE(line.agent, QStringLiteral("B1"));
        QCOMPARE(form->lines()->index(0, Col::AgentName).data().toString(), QStringLiteral("Buget local"));
        QCOMPARE(grid->currentIndex().column(), int(Col::Cantitate));

        // On "Pret" the prices of the asset in the unit: the other one chosen.
        QApplication::setActiveWindow(form.get());
        grid->setFocus();
        grid->setCurrentIndex(form->lines()->index(0, Col::Pret));
        int listed = 0;
        QTimer::singleShot(0, this, [&] {
            auto *prices = qobject_cast<TSelPretDlg *>(QApplication::activeModalWidget());
            if (!prices)
                return;
            listed = prices->rowCount();
            prices->selectRow(0);
            prices->accept();
        });
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(listed, 2);
        QCOMPARE(form->lines()->line(0).price, std::optional<double>(50));
        grid->setCurrentIndex(form->lines()->index(0, Col::Cantitate));
        QApplication::setActiveWindow(form.get());
        typeCell(*form, QStringLiteral("2"));
        QCOMPARE(exitLines(), QStringList{QStringLiteral("2.1/002:50:2")});
        QCOMPARE(m_messages.texts(), QStringList{});
        verifyStockMatchesRecalculation();

        // Another workstation took the last of an asset after it was typed: no price to choose.
        typeCell(*form, QStringLiteral("2.1"));
        typeCell(*form, QStringLiteral("2.1/001"));
        m_db->run(QStringLiteral("DELETE FROM \"Stoc\" WHERE \"Cod_articol\" = '2.1/001'"));
        grid->setCurrentIndex(form->lines()->index(1, Col::Pret));
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(m_messages.texts(), QStringList{ExitPriceChoice::noStockText()});
        QCOMPARE(form->lines()->line(1).price, std::optional<double>(100));
        QTest::keyClick(grid, Qt::Key_Escape);
        QCOMPARE(form->lines()->rowCount(), 1);
    }

    void statusHints_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("hint");
        const QString stock = QStringLiteral("Apasati CTRL-ENTER pentru a selecta gestiunea si articolul din stocurile curente!");
        QTest::newRow("unit") << int(Col::GestName) << stock;
        QTest::newRow("code") << int(Col::CodGrupa) << stock;
        QTest::newRow("inventory number") << int(Col::CodArticol) << stock;
        QTest::newRow("price") << int(Col::Pret)
                               << QStringLiteral("Apasati CTRL-ENTER pentru a selecta pretul din stocurile curente!");
        QTest::newRow("quantity") << int(Col::Cantitate) << QStringLiteral("...");
    }
    void statusHints()
    {
        QFETCH(int, column);
        QFETCH(QString, hint);
        RecordingStatus status;
        Status::registerTarget(&status);
        auto form = openForm();
        typeLine(*form, QStringLiteral("2.1/003"), QStringLiteral("1"));
        form->grid()->setCurrentIndex(form->lines()->index(0, Col::Denumire));
        form->grid()->setCurrentIndex(form->lines()->index(0, column));
        Status::registerTarget(nullptr);
        QCOMPARE(status.texts.last(), hint);
    }

    void receivingUnitOnlyForTransfers()
    {
        RecordingStatus status;
        Status::registerTarget(&status);
        auto form = openForm();
        auto *type = form->findChild<QComboBox *>(QStringLiteral("TipCombo"));
        auto *client = form->findChild<QLineEdit *>(QStringLiteral("ClientEdit"));
        for (const char *t : {"NPR", "BT", "CSR", "BT"}) {
            type->setCurrentText(QLatin1String(t));
            QCOMPARE(client->isVisible(), QLatin1String(t) == QLatin1String("BT"));
        }
        client->setFocus();
        QCOMPARE(status.texts.last(), DocOutLookups::receivingUnitHint());
        Status::registerTarget(nullptr);
        QTest::keyClicks(client, QStringLiteral("G3"));
        QTest::keyClick(client, Qt::Key_Return);
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("DenClnLabel"))->text(), QStringLiteral("Atelier"));
        QCOMPARE(form->header().client, QStringLiteral("G3"));
        QCOMPARE(m_messages.texts(), QStringList{});

        // Ctrl+Enter on the field chooses the unit from the management-unit lookup.
        QString startedOn;
        QTimer::singleShot(0, this, [&] {
            auto *lookup = qobject_cast<TGestlookupForm *>(QApplication::activeModalWidget());
            if (!lookup)
                return;
            const QModelIndex at = lookup->grid()->currentIndex();
            startedOn = at.sibling(at.row(), 0).data().toString();
            lookup->locate(QStringLiteral("G2"));
            static_cast<QDialog *>(lookup)->accept();
        });
        QApplication::setActiveWindow(form.get());
        client->setFocus();
        QTest::keyClick(client, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(startedOn, QStringLiteral("G3"));
        QCOMPARE(form->header().client, QStringLiteral("G2"));
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("DenClnLabel"))->text(), QStringLiteral("Depozit"));
        QCOMPARE(m_messages.texts(), QStringList{});
    }

    void totalsAndThePaymentQuestion_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<double>("paid");
        QTest::newRow("movement note: information only") << "NPR" << true << 0.0;
        QTest::newRow("invoice marked as paid") << "FCT" << true << 400.0;
        QTest::newRow("invoice left unpaid") << "FCT" << false << 0.0;
    }
    void totalsAndThePaymentQuestion()
    {
        QFETCH(QString, type);
        QFETCH(bool, answer);
        QFETCH(double, paid);
        auto form = openForm();
        typeLine(*form, QStringLiteral("2.1/003"), QStringLiteral("2"));
        fillHeader(*form, type);
        QVERIFY(form->saveHeader());
        m_messages.clear();
        m_messages.answer(answer);
        QTest::keyClick(form->grid(), Qt::Key_T, Qt::ControlModifier);
        const bool invoice = type == QLatin1String("FCT");
        const QStringList shown =
            m_messages.texts(invoice ? ScriptedMessages::Kind::YesNo : ScriptedMessages::Kind::Information);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(QStringLiteral("Total:\n Achizitie = ")), qPrintable(shown.first()));
        QCOMPARE(shown.first().endsWith(QStringLiteral("\nDoriti sa marcati documentul ca achitat integral?")), invoice);
        {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT COALESCE(SUM(\"Suma\"), 0) FROM \"Clnpay\""));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toDouble(), paid);
        }
        verifyStockMatchesRecalculation();
    }

    void discountAskedUntilAccepted()
    {
        m_db->run(QStringLiteral("INSERT INTO \"Catalog\" (\"Grupa\", \"Cod\", \"Denumire\", \"Pret_vinzare\", \"Moneda\") "
                                 "VALUES ('2.1', '2.1/003', 'Strung', 300, 'LEI')"));
        auto form = openForm();
        QAction *discount = form->findChild<QAction *>(QStringLiteral("AplicaDiscount1"));
        QVERIFY(discount);
        // Nothing to discount on a document without lines.
        discount->trigger();
        QCOMPARE(m_messages.texts(), QStringList{ExitDocumentService::noLinesForDiscountText()});
        m_messages.clear();

        typeLine(*form, QStringLiteral("2.1/003"), QStringLiteral("2"));
        fillHeader(*form, QStringLiteral("FCT"));
        QCOMPARE(form->lines()->line(0).salePrice, std::optional<double>(300));
        const QStringList stock = stockRows(*m_db);
        QStringList typed{"-100", "-10"};
        QStringList starts;
        QTimer press;
        press.setInterval(20);
        connect(&press, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<TDiscountDlg *>(QApplication::activeModalWidget());
            if (!dialog || typed.isEmpty())
                return;
            starts << dialog->edit()->text();
            dialog->edit()->setText(typed.takeFirst());
            dialog->accept();
        });
        press.start();
        discount->trigger();
        press.stop();
        // Refused, then asked again from the value refused.
        QCOMPARE(starts, (QStringList{"0", "-100"}));
        QCOMPARE(m_messages.texts(), QStringList{ExitDocumentService::discountTooLowText()});
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Pret_vinzare\" FROM \"Item_out\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), 270.0);
        QCOMPARE(form->lines()->line(0).salePrice, std::optional<double>(270));
        QCOMPARE(stockRows(*m_db), stock);
    }

    void zeroQuantityLinesGoAtOpening()
    {
        addDocument(*m_db, "Doc_out", 1, QStringLiteral("2020-02-01"));
        addLine(*m_db, "Item_out", 1, 1, {"G1", "2.1", "2.1/003", 200, "2020-01-15", "B1", 0});
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_out\"")), 1);
        auto form = openForm();
        QCOMPARE(form->currentContor(), 1.0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Item_out\"")), 0);
        QCOMPARE(form->lines()->rowCount(), 0);
        verifyStockMatchesRecalculation();
    }

    void documentMenuJoinsTheMainMenuWhileActive()
    {
        QMainWindow main;
        auto *area = new QMdiArea(&main);
        main.setCentralWidget(area);
        main.menuBar()->addMenu(QStringLiteral("&Sistem"));
        main.menuBar()->addMenu(QStringLiteral("&Listari"))->setObjectName(QStringLiteral("ListariMenu"));
        auto *form = new TDocOutForm(*m_db, m_params, m_messages, m_env->workstation());
        QMdiSubWindow *sub = area->addSubWindow(form);
        main.show();
        sub->show();
        area->setActiveSubWindow(sub);
        auto captions = [&main] {
            QStringList texts;
            for (const QAction *a : main.menuBar()->actions())
                texts << a->text();
            return texts;
        };
        QTRY_COMPARE(captions(), (QStringList{"&Sistem", "&Document", "&Listari"}));
        QWidget other;
        QMdiSubWindow *second = area->addSubWindow(&other);
        second->show();
        area->setActiveSubWindow(second);
        QTRY_COMPARE(captions(), (QStringList{"&Sistem", "&Listari"}));
        area->setActiveSubWindow(sub);
        QTRY_COMPARE(captions(), (QStringList{"&Sistem", "&Document", "&Listari"}));
        // Closing leaves the main menu as it was.
        QVERIFY(sub->close());
        QTRY_COMPARE(captions(), (QStringList{"&Sistem", "&Listari"}));
        area->removeSubWindow(&other);
    }

    void closingRules_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("headers");
        QTest::newRow("new document without lines is abandoned") << 0 << "" << true << QStringList{} << 0;
        QTest::newRow("header check keeps it open")
            << 1 << "" << false << QStringList{HeaderChecks::typeMissingText()} << 1;
        QTest::newRow("valid header is saved") << 1 << "CSR" << true << QStringList{} << 1;
    }
    void closingRules()
    {
        QFETCH(int, lines);
        QFETCH(QString, type);
        QFETCH(bool, closes);
        QFETCH(QStringList, messages);
        QFETCH(int, headers);
        auto form = openForm();
        if (lines > 0) {
            typeLine(*form, QStringLiteral("2.1/003"), QStringLiteral("1"));
            fillHeader(*form, type);
        }
        QCOMPARE(form->close(), closes);
        QCOMPARE(m_messages.texts(), messages);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Doc_out\"")), headers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM \"Doc_out\" WHERE \"Tip\" = 'CSR'")), type.isEmpty() ? 0 : 1);
        QCOMPARE(Counter(*m_db).last(Counter::Kind::Out), headers ? 1.0 : 0.0);
        QCOMPARE(QFile::exists(m_env->workstation().privateDirectory() + QStringLiteral("docout.cfg")), closes);
        verifyStockMatchesRecalculation();
    }
};

TESSARO_TEST_MAIN(TestDocOutWindow)
#include "tst_docoutwindow.moc"
