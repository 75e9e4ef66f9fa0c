#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/forms/DateField.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "documents/EntryComputations.h"
#include "documents/InitialStock.h"
#include "documents/StockRecalculation.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/IniStockLinesModel.h"
#include "documents/forms/NewStockRowsModel.h"
#include "documents/forms/TDocInForm.h"
#include "documents/SerialRowsModel.h"
#include "documents/forms/TIniStockForm.h"
#include "documents/forms/TSeriiForm.h"
#include "documents/forms/TStocksForm.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include "db/PagedQueryModel.h"
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>

using namespace ledger_test;
using Col = DocInLinesModel::Column;
using Ini = IniStockLinesModel::Column;

namespace {

// The keyboard goes where the focus is, as it does for a person.
void type(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Types `text`, a '|' standing for the numeric keypad's decimal key.
void typeWithKeypad(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('|'))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Period, Qt::KeypadModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// The text of the cell editor open in `grid`; empty when none is.
QString openEditorText(QTableView *grid)
{
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return edit && grid->viewport()->isAncestorOf(edit) ? edit->text() : QString();
}

} // namespace

// The windows typed from the keyboard alone, as an accountant types them all day.
class TestKeyboardEntry : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;

    QStringList rows(const QString &sql) const
    {
        QStringList out;
        QSqlQuery q = m_db->run(sql);
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.value(i).toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    template <typename Form>
    void activate(Form &form)
    {
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    // A document of one saved line, shown in the window.
    std::unique_ptr<TDocInForm> documentWithLines(int lines)
    {
        auto form = std::make_unique<TDocInForm>(*m_db, m_params, m_messages, m_env->workstation());
        form->findChild<DateField *>(QStringLiteral("DataEdit"))->setDate(QDate(2024, 1, 10));
        DocInLinesModel *model = form->lines();
        for (int i = 0; i < lines; ++i) {
            const int row = form->addLine();
            const QMap<int, QString> cells{{Col::CodGrupa, "2.1"}, {Col::CodArticol, QStringLiteral("A-%1").arg(i + 1)},
                                           {Col::Denumire, "Calculator"}, {Col::PretLei, "100"},
                                           {Col::Domeniu, "Privat"}, {Col::Lot, "15.1.2024"}};
            for (auto it = cells.cbegin(); it != cells.cend(); ++it)
                model->setData(model->index(row, it.key()), it.value());
        }
        if (!form->postCurrent())
            return nullptr;
        return form;
    }

    // Where a window's grid takes an amount and a date of a line, for the tests that
    // type the same values into every line grid.
    struct Target
    {
        std::unique_ptr<QWidget> window;
        QTableView *grid = nullptr;
        int row = 0;
        int amountColumn = 0;
        int dateColumn = 0;
        std::function<std::optional<double>()> amount;
        std::function<QDate()> date;
    };

    Target open(const QString &window)
    {
        Target t;
        if (window == QLatin1String("entry")) {
            auto *form = new TDocInForm(*m_db, m_params, m_messages, m_env->workstation());
            t.window.reset(form);
            // Before every date typed, so no line is warned about its date of putting into use.
            form->findChild<DateField *>(QStringLiteral("DataEdit"))->setDate(QDate(2000, 1, 1));
            t.grid = form->grid();
            t.row = form->addLine();
            t.amountColumn = Col::PretLei;
            t.dateColumn = Col::Lot;
            t.amount = [form, row = t.row] { return form->lines()->line(row).priceLei; };
            t.date = [form, row = t.row] { return form->lines()->line(row).lot; };
        } else if (window == QLatin1String("initial stocks")) {
            auto *form = new TIniStockForm(*m_db, m_messages, m_env->workstation(), m_params);
            t.window.reset(form);
            t.grid = form->grid();
            t.row = form->addLine();
            t.amountColumn = Ini::Price;
            t.dateColumn = Ini::Lot;
            t.amount = [form, row = t.row] { return form->lines()->line(row).priceLei; };
            t.date = [form, row = t.row] { return form->lines()->line(row).lot; };
        } else {
            auto *form = new TStocksForm(*m_db, m_messages, m_env->workstation(), m_params);
            t.window.reset(form);
            form->setUnit(QStringLiteral("G1"));
            form->setEditing(true);
            t.grid = form->grid();
            t.row = form->model()->rowCount();
            t.amountColumn = form->newRows()->column(QStringLiteral("Pret_achizitie"));
            t.dateColumn = form->newRows()->column(QStringLiteral("Lot"));
            t.amount = [form] { return form->newRows()->row(0).price; };
            t.date = [form] { return form->newRows()->row(0).lot; };
        }
        return t;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        NationalFormats::setNational();
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu'), ('G2', 'Depozit')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 2, 4), ('1', '3.3', 5, 7)"));
        m_db->run(QStringLiteral("INSERT INTO \"Furn\" (\"Cod_furnizor\", \"Nume_furnizor\") "
                                 "VALUES ('F1', 'Electro Service SRL'), ('F2', 'Birotica SA')"));
        m_db->run(QStringLiteral("INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B1', 'Buget local')"));
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
        NationalFormats::setNational();
    }

    // Header, three lines, save and the next document, with key presses only.
    void receptionTypedWithTheKeyboardAlone()
    {
        TDocInForm form(*m_db, m_params, m_messages, m_env->workstation());
        activate(form);
        QCOMPARE(form.headerState(), TDocInForm::HeaderState::Insert);
        QCOMPARE(focusName(), QStringLiteral("DataInregEdit"));

        type("15112026");
        press(Qt::Key_Tab);
        type("123");
        press(Qt::Key_Return); // Enter goes on like Tab
        QCOMPARE(focusName(), QStringLiteral("DataEdit"));
        type("1.11.26");
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("TipCombo"));
        type("F");
        press(Qt::Key_Tab);
        type("Ele");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // past the supplier window's button
        QCOMPARE(focusName(), QStringLiteral("ExplicatieEdit"));
        type("Laptopuri");
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form.grid());
        press(Qt::Key_Down); // the first line
        QCOMPARE(form.grid()->currentIndex(), form.lines()->index(0, Col::CodGrupa));

        // Line 1: the quantity the inventory number gave is kept, the price typed grouped.
        type("2.1");
        press(Qt::Key_Tab);
        type("L-001");
        press(Qt::Key_Tab);
        type("Laptop Dell");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type("1.234,56");
        press(Qt::Key_Tab);
        QCOMPARE(form.grid()->currentIndex().column(), int(Col::AgentName)); // "Valoare" is skipped
        press(Qt::Key_Tab);
        type("Pr");
        press(Qt::Key_Tab);
        type("15112026");
        press(Qt::Key_Tab);
        QCOMPARE(form.grid()->currentIndex().column(), int(Col::DurataTotala));
        press(Qt::Key_Tab);
        type("36");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(form.grid()->currentIndex().column(), int(Col::CalcAmortizare));
        press(Qt::Key_Tab); // saves the line and starts the next one
        QCOMPARE(rows(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\"")), QStringList{"1"});
        QCOMPARE(form.grid()->currentIndex(), form.lines()->index(1, Col::CodGrupa));

        // Line 2: the keypad's decimal key, a budget and the public domain.
        type("2.1");
        press(Qt::Key_Tab);
        type("L-002");
        press(Qt::Key_Tab);
        type("Laptop HP");
        press(Qt::Key_Tab);
        type("2");
        press(Qt::Key_Tab);
        typeWithKeypad("999|5");
        press(Qt::Key_Tab);
        type("B");
        press(Qt::Key_Tab);
        type("Pu");
        press(Qt::Key_Tab);
        type("1.11.26");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type("24");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Space); // a public asset is not depreciated
        QCOMPARE(form.lines()->line(1).calcAmortizare, std::optional<bool>(false));
        press(Qt::Key_Tab);

        // Line 3: a price, a date and a duration refused, each corrected in its cell.
        type("3.3");
        press(Qt::Key_Tab);
        type("S-1");
        press(Qt::Key_Tab);
        type("Server");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type("12a");
        press(Qt::Key_Tab);
        QCOMPARE(openEditorText(form.grid()), QStringLiteral("12a"));
        press(Qt::Key_Backspace);
        type("34.5");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type("Pr");
        press(Qt::Key_Tab);
        type("31.02.2026");
        press(Qt::Key_Tab);
        QCOMPARE(openEditorText(form.grid()), QStringLiteral("31.02.2026"));
        press(Qt::Key_A, Qt::ControlModifier);
        type("2.11.2026");
        press(Qt::Key_Tab);
        type("200"); // replaces the duration the code gave
        press(Qt::Key_Tab);
        QCOMPARE(openEditorText(form.grid()), QStringLiteral("200"));
        press(Qt::Key_A, Qt::ControlModifier);
        type("72");
        press(Qt::Key_Tab);
        type("72");
        press(Qt::Key_Tab);
        type("1000");
        press(Qt::Key_Tab);

        // Saved, and the next document ready to type.
        press(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(m_messages.texts(),
                 (QStringList{EntryComputations::publicDomainText(), notAnAmountText("12a"), notADateText("31.02.2026"),
                              "Atentie! Durata totala de amortizare nu este valida. Introduceti o valoare intre 60 si 84",
                              "Salvez documentul curent?"}));
        QCOMPARE(form.currentContor(), 2.0);
        QCOMPARE(form.headerState(), TDocInForm::HeaderState::Insert);
        QCOMPARE(form.lines()->rowCount(), 0);
        QCOMPARE(focusName(), QStringLiteral("DataInregEdit"));

        QCOMPARE(rows(QStringLiteral("SELECT \"Contor\", \"Data_inregistrarii\", \"Numar\", \"Data\", \"Tip\", "
                                     "\"Furnizor\", \"Explicatie\" FROM \"Doc_in\" WHERE \"Contor\" = 1")),
                 QStringList{"1|2026-11-15|123|2026-11-01|FCT|F1|Laptopuri"});
        // The next document starts on the registration date just saved.
        QCOMPARE(rows(QStringLiteral("SELECT \"Data_inregistrarii\" FROM \"Doc_in\" WHERE \"Contor\" = 2")),
                 QStringList{"2026-11-15"});
        QCOMPARE(rows(QStringLiteral("SELECT \"Contor_secundar\", \"Cod_grupa\", \"Cod_articol\", \"Denumire\", "
                                     "\"Cantitate\", \"Pret_achizitie_lei\", \"Agent\", \"Domeniu\", \"Lot\", "
                                     "\"DurataTotala\", \"DurataRamasa\", \"ValoareAmortizata\", \"CalcAmortizare\" "
                                     "FROM \"Item_in\" WHERE \"Contor\" = 1 ORDER BY 1")),
                 (QStringList{"1|2.1|L-001|Laptop Dell|1|1234.56||Privat|2026-11-15|36|36||1",
                              "2|2.1|L-002|Laptop HP|2|999.5|B1|Public|2026-11-01|36|24||0",
                              "3|3.3|S-1|Server|1|1234.5||Privat|2026-11-02|72|72|1000|1"}));
        QCOMPARE(stockRows(*m_db), (QStringList{"G1|2.1|L-001|1234.56|2026-11-15|-|1", "G1|2.1|L-002|999.5|2026-11-01|B1|2",
                                                "G1|3.3|S-1|1234.5|2026-11-02|-|1"}));
        const QStringList stock = stockRows(*m_db);
        QCOMPARE(StockRecalculation(*m_db, m_params.epsilon).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(*m_db), stock);
    }

    // The same amounts typed into the price cell of every line grid.
    void amountsTypedIntoTheCells_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("typed"); // '|': the keypad's decimal key
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("value");
        for (const char *window : {"entry", "initial stocks", "current stocks"}) {
            for (const char *decimal : {",", "."}) {
                auto row = [&](const char *name, const char *typed, bool readable, double value) {
                    QTest::addRow("%s, decimal %s, %s", window, decimal, name)
                        << window << decimal << typed << readable << value;
                };
                row("decimal comma", "1234,56", true, 1234.56);
                row("decimal point", "1234.56", true, 1234.56);
                row("grouped", "1.234,56", true, 1234.56);
                row("keypad key", "1234|56", true, 1234.56);
                row("not a number", "12a", false, 0);
            }
        }
    }
    void amountsTypedIntoTheCells()
    {
        QFETCH(QString, window);
        QFETCH(QString, decimal);
        QFETCH(QString, typed);
        QFETCH(bool, readable);
        QFETCH(double, value);
        NationalFormats::current().setSeparators(decimal.at(0));
        Target t = open(window);
        activate(*t.window);
        t.grid->setCurrentIndex(t.grid->model()->index(t.row, t.amountColumn));
        t.grid->setFocus();
        typeWithKeypad(typed);
        if (typed.contains(QLatin1Char('|')))
            QVERIFY(openEditorText(t.grid).contains(decimal)); // the key typed the separator in use
        press(Qt::Key_Tab);
        if (readable) {
            QCOMPARE(t.amount(), std::optional<double>(value));
            QVERIFY(m_messages.texts().isEmpty());
            QVERIFY(openEditorText(t.grid).isEmpty());
            QVERIFY(t.grid->currentIndex().column() != t.amountColumn);
        } else {
            QCOMPARE(t.amount(), std::optional<double>());
            QCOMPARE(m_messages.texts(), QStringList{notAnAmountText(typed)});
            // The cell keeps what was typed, for correction.
            QCOMPARE(openEditorText(t.grid), typed);
            QCOMPARE(t.grid->currentIndex().column(), t.amountColumn);
        }
    }

    void datesTypedIntoTheCells_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        for (const char *window : {"entry", "initial stocks", "current stocks"}) {
            QTest::addRow("%s, full", window) << window << "15.11.2026" << QDate(2026, 11, 15);
            QTest::addRow("%s, digits", window) << window << "15112026" << QDate(2026, 11, 15);
            QTest::addRow("%s, short year", window) << window << "15.11.26" << QDate(2026, 11, 15);
            QTest::addRow("%s, one digit", window) << window << "1.2.2026" << QDate(2026, 2, 1);
            QTest::addRow("%s, no such day", window) << window << "31.02.2026" << QDate();
        }
    }
    void datesTypedIntoTheCells()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        Target t = open(window);
        activate(*t.window);
        const QDate before = t.date();
        t.grid->setCurrentIndex(t.grid->model()->index(t.row, t.dateColumn));
        t.grid->setFocus();
        type(typed);
        press(Qt::Key_Tab);
        if (date.isValid()) {
            QCOMPARE(t.date(), date);
            QVERIFY(m_messages.texts().isEmpty());
            QCOMPARE(t.grid->model()->index(t.row, t.dateColumn).data().toString(), date.toString("dd.MM.yyyy"));
        } else {
            QCOMPARE(t.date(), before);
            QCOMPARE(m_messages.texts(), QStringList{notADateText(typed)});
            QCOMPARE(openEditorText(t.grid), typed);
        }
    }

    // The date fields of the windows: what is typed replaces the whole date.
    void headerDateFields_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        for (const char *window : {"entry", "initial stocks"}) {
            QTest::addRow("%s, full", window) << window << "15.11.2026" << QDate(2026, 11, 15);
            QTest::addRow("%s, digits", window) << window << "15112026" << QDate(2026, 11, 15);
            QTest::addRow("%s, short year", window) << window << "15.11.26" << QDate(2026, 11, 15);
            QTest::addRow("%s, one digit", window) << window << "1.2.2026" << QDate(2026, 2, 1);
            QTest::addRow("%s, no such day", window) << window << "32.1.2026" << QDate();
        }
    }
    void headerDateFields()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        Target t = open(window);
        auto *field = t.window->findChild<DateField *>(window == QLatin1String("entry") ? QStringLiteral("DataInregEdit")
                                                                                        : QStringLiteral("DataEdit"));
        QVERIFY(field);
        field->setDate(QDate(2020, 5, 17));
        activate(*t.window);
        field->setFocus(Qt::TabFocusReason);
        type(typed);
        press(Qt::Key_Tab);
        if (date.isValid()) {
            QCOMPARE(field->date(), date);
            QCOMPARE(field->text(), date.toString("dd.MM.yyyy"));
            QVERIFY(!field->hasFocus());
            QVERIFY(m_messages.texts().isEmpty());
        } else {
            // Warned about, the date kept and the user still in the field with the text.
            QCOMPARE(field->date(), QDate(2020, 5, 17));
            QCOMPARE(m_messages.texts(), QStringList{notADateText(typed)});
            QVERIFY(field->hasFocus());
            QCOMPARE(field->text(), typed);
        }
        if (window == QLatin1String("initial stocks") && date.isValid()) {
            QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Data\" FROM \"Doc_in\" WHERE \"Contor\" = -1"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), date.toString(Qt::ISODate));
        }
    }

    // Going through the header with Tab changes nothing, so the document stays unedited.
    void tabbingThroughTheHeaderChangesNothing()
    {
        auto form = documentWithLines(1);
        QVERIFY(form);
        auto *number = form->findChild<QLineEdit *>(QStringLiteral("NumarEdit"));
        number->setText(QStringLiteral("5"));
        form->findChild<QComboBox *>(QStringLiteral("TipCombo"))->setCurrentIndex(1);
        QVERIFY(form->saveHeader());
        QCOMPARE(form->headerState(), TDocInForm::HeaderState::Browse);
        const EntryDocumentHeader before = form->header();
        activate(*form);
        form->findChild<DateField *>(QStringLiteral("DataInregEdit"))->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < 8 && QApplication::focusWidget() != form->grid(); ++i) {
            visited << focusName();
            press(Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"DataInregEdit", "NumarEdit", "DataEdit", "TipCombo", "FurnizorCombo", "FurnBtn",
                                       "ExplicatieEdit"}));
        QCOMPARE(form->headerState(), TDocInForm::HeaderState::Browse);
        QCOMPARE(form->header().registered, before.registered);
        QCOMPARE(form->header().date, before.date);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void keysSkipReadOnlyColumns_data()
    {
        QTest::addColumn<bool>("generatedNumbers");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toColumn");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Tab over Valoare") << false << 0 << int(Col::PretLei) << int(Qt::Key_Tab) << none << 0
                                          << int(Col::AgentName);
        QTest::newRow("Shift+Tab back over it") << false << 0 << int(Col::AgentName) << int(Qt::Key_Backtab) << shift
                                                << 0 << int(Col::PretLei);
        QTest::newRow("Enter as Tab") << false << 0 << int(Col::Cantitate) << int(Qt::Key_Return) << none << 0
                                      << int(Col::PretLei);
        QTest::newRow("Right over Valoare") << false << 0 << int(Col::PretLei) << int(Qt::Key_Right) << none << 0
                                            << int(Col::AgentName);
        QTest::newRow("Left from Valoare") << false << 0 << int(Col::Valoare) << int(Qt::Key_Left) << none << 0
                                           << int(Col::PretLei);
        QTest::newRow("Tab from Valoare, never a dead end")
            << false << 0 << int(Col::Valoare) << int(Qt::Key_Tab) << none << 0 << int(Col::AgentName);
        QTest::newRow("last column to the next line") << false << 0 << int(Col::CalcAmortizare) << int(Qt::Key_Tab)
                                                      << none << 1 << int(Col::GestName);
        QTest::newRow("first column back to the line before")
            << false << 1 << int(Col::GestName) << int(Qt::Key_Backtab) << shift << 0 << int(Col::CalcAmortizare);
        QTest::newRow("Right stays on the line") << false << 0 << int(Col::CalcAmortizare) << int(Qt::Key_Right)
                                                 << none << 0 << int(Col::CalcAmortizare);
        QTest::newRow("generated inventory number skipped")
            << true << 0 << int(Col::CodGrupa) << int(Qt::Key_Tab) << none << 0 << int(Col::Denumire);
    }
    void keysSkipReadOnlyColumns()
    {
        QFETCH(bool, generatedNumbers);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, toRow);
        QFETCH(int, toColumn);
        auto form = documentWithLines(2);
        QVERIFY(form);
        m_params.genCod = generatedNumbers;
        activate(*form);
        form->grid()->setCurrentIndex(form->lines()->index(row, column));
        form->grid()->setFocus();
        press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form->grid()->currentIndex(), form->lines()->index(toRow, toColumn));
        QCOMPARE(form->lines()->rowCount(), 2);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void flagsAreCheckBoxes_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("private, switched off") << "Privat" << true << false << QStringList{};
        QTest::newRow("public stays off") << "Public" << false << false
                                          << QStringList{EntryComputations::publicDomainText()};
    }
    void flagsAreCheckBoxes()
    {
        QFETCH(QString, domain);
        QFETCH(bool, before);
        QFETCH(bool, after);
        QFETCH(QStringList, messages);
        auto form = documentWithLines(1);
        QVERIFY(form);
        DocInLinesModel *lines = form->lines();
        QVERIFY(lines->setData(lines->index(0, Col::Domeniu), domain));
        const QModelIndex flag = lines->index(0, Col::CalcAmortizare);
        QVERIFY(flag.data(Qt::DisplayRole).toString().isEmpty()); // never "True" or "False"
        QCOMPARE(flag.data(Qt::CheckStateRole).toInt(), int(before ? Qt::Checked : Qt::Unchecked));
        activate(*form);
        form->grid()->setCurrentIndex(flag);
        form->grid()->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(lines->line(0).calcAmortizare, std::optional<bool>(after));
        QCOMPARE(m_messages.texts(), messages);
    }

    void amountsShownWithTheMasks_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QStringList>("shown"); // price, value of two
        for (const char *window : {"entry", "initial stocks", "current stocks"}) {
            QTest::addRow("%s, 2 decimals", window) << window << 2 << "," << QStringList{"4.850,50", "9.701,00"};
            QTest::addRow("%s, 3 decimals", window) << window << 3 << "," << QStringList{"4.850,500", "9.701,000"};
            QTest::addRow("%s, decimal point", window) << window << 2 << "." << QStringList{"4,850.50", "9,701.00"};
        }
    }
    void amountsShownWithTheMasks()
    {
        QFETCH(QString, window);
        QFETCH(int, decimals);
        QFETCH(QString, decimal);
        QFETCH(QStringList, shown);
        m_params.nrZecimaleLei = decimals;
        NationalFormats::current().setSeparators(decimal.at(0));
        QStringList texts;
        if (window == QLatin1String("entry")) {
            TDocInForm form(*m_db, m_params, m_messages, m_env->workstation());
            DocInLinesModel *lines = form.lines();
            const int row = form.addLine();
            lines->setData(lines->index(row, Col::Cantitate), QStringLiteral("2"));
            lines->setData(lines->index(row, Col::PretLei), QStringLiteral("4850.5"));
            texts << lines->index(row, Col::PretLei).data().toString() << lines->index(row, Col::Valoare).data().toString();
        } else {
            EntryLine line;
            line.contor = -1;
            line.unit = QStringLiteral("G1");
            line.group = QStringLiteral("2.1");
            line.article = QStringLiteral("A-1");
            line.name = QStringLiteral("Laptop");
            line.quantity = 2;
            line.priceLei = 4850.5;
            line.domain = QStringLiteral("Privat");
            line.lot = QDate(2024, 1, 1);
            line.durataTotala = 36;
            line.calcAmortizare = true;
            line.valoareAmortizata = 9701;
            InitialStock(*m_db, m_params.epsilon).ensureDocument(QDate(2024, 1, 1));
            InitialStock(*m_db, m_params.epsilon).saveLine(line);
            if (window == QLatin1String("initial stocks")) {
                TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
                form.setUnit(QStringLiteral("G1"));
                texts << form.lines()->index(0, Ini::Price).data().toString()
                      << form.lines()->index(0, Ini::Depreciated).data().toString();
            } else {
                TStocksForm form(*m_db, m_messages, m_env->workstation(), m_params);
                form.setUnit(QStringLiteral("G1"));
                QAbstractItemModel *grid = form.grid()->model();
                const QSqlRecord record = form.model()->record();
                texts << grid->index(0, record.indexOf(QStringLiteral("Pret_achizitie"))).data().toString()
                      << grid->index(0, record.indexOf(QStringLiteral("Valoare"))).data().toString();
            }
        }
        QCOMPARE(texts, shown);
    }

    // Opened without a stored layout, no caption is cut.
    void columnsFitTheirCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("entry") << "entry";
        QTest::newRow("initial stocks") << "initial stocks";
        QTest::newRow("current stocks") << "current stocks";
        QTest::newRow("management units") << "units";
    }
    void columnsFitTheirCaptions()
    {
        QFETCH(QString, window);
        Target t;
        if (window == QLatin1String("units")) {
            auto *form = new TGestlookupForm(*m_db, m_messages, m_env->workstation());
            t.window.reset(form);
            t.grid = form->grid();
        } else {
            t = open(window);
        }
        t.window->show();
        const QHeaderView *header = t.grid->horizontalHeader();
        int shown = 0;
        for (int column = 0; column < header->count(); ++column) {
            if (t.grid->isColumnHidden(column))
                continue;
            ++shown;
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                     qPrintable(t.grid->model()->headerData(column, Qt::Horizontal).toString()));
        }
        QVERIFY(shown >= (window == QLatin1String("units") ? 2 : 6));
    }

    // A value that grows past its column widens it, so it is never shown cut ("2....").
    void columnsWidenForWhatIsTyped_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("entry") << "entry";
        QTest::newRow("initial stocks") << "initial stocks";
    }
    void columnsWidenForWhatIsTyped()
    {
        QFETCH(QString, window);
        Target t = open(window);
        t.window->show();
        QAbstractItemModel *model = t.grid->model();
        const int quantity = window == QLatin1String("entry") ? int(Col::Cantitate) : int(Ini::Quantity);
        const int value = window == QLatin1String("entry") ? int(Col::Valoare) : int(Ini::Price);
        QVERIFY(model->setData(model->index(t.row, quantity), QStringLiteral("200")));
        QVERIFY(model->setData(model->index(t.row, t.amountColumn), QStringLiteral("1439660,45")));
        const QModelIndex shown = model->index(t.row, value);
        QVERIFY(shown.data().toString().size() >= 12);
        QVERIFY(t.grid->columnWidth(value) >= t.grid->sizeHintForIndex(shown).width());
    }

    // The serial numbers of a document typed one after the other: Tab goes from a
    // line's number to the supplier's number and on to the next line, over the asset's
    // own columns; a number refused keeps its text.
    void serialNumbersTypedInARow()
    {
        for (int sec = 1; sec <= 3; ++sec)
            m_db->run(QStringLiteral("INSERT INTO \"Serie\" (\"Contor\", \"ContorSec\", \"Grupa\", \"Cod_articol\", "
                                     "\"SerieFurn\", \"Serie\") VALUES (7, :s, '2.1', 'A-1', 0, NULL)"),
                      {{QStringLiteral(":s"), sec}});
        TSeriiForm *form = TSeriiForm::show(*m_db, m_messages, 7, nullptr);
        QVERIFY(form);
        std::unique_ptr<TSeriiForm> owned(form);
        activate(*static_cast<QWidget *>(form));
        QTableView *grid = form->grid();
        grid->setCurrentIndex(form->rows()->index(0, SerialRowsModel::Serie));
        grid->setFocus();
        type("1001");
        press(Qt::Key_Tab);
        QCOMPARE(grid->currentIndex(), form->rows()->index(0, SerialRowsModel::SerieFurn));
        type("55");
        press(Qt::Key_Tab);
        QCOMPARE(grid->currentIndex(), form->rows()->index(1, SerialRowsModel::Serie));
        type("10x");
        press(Qt::Key_Return);
        QCOMPARE(openEditorText(grid), QStringLiteral("10x"));
        QCOMPARE(m_messages.texts().size(), 1);
        press(Qt::Key_Backspace);
        type("02");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(grid->currentIndex(), form->rows()->index(2, SerialRowsModel::Serie));
        QVERIFY(form->rows()->post());
        QCOMPARE(rows(QStringLiteral("SELECT \"Serie\", \"SerieFurn\" FROM \"Serie\" ORDER BY \"ContorSec\"")),
                 (QStringList{"1001|55", "1002|0", "|0"}));
    }
};

TESSARO_TEST_MAIN(TestKeyboardEntry)
#include "tst_keyboardentry.moc"
