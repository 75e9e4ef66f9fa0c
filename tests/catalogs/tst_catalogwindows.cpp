#include "TestEnv.h"

#include "CatalogFixture.h"

#include "app/IniFile.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "app/Status.h"
#include "catalogs/CodeList.h"
#include "catalogs/NomenclatorModel.h"
#include "catalogs/forms/TCatLookupForm.h"
#include "catalogs/forms/TFirmDataDlg.h"
#include "catalogs/forms/TFurnLookupForm.h"
#include "catalogs/forms/TGestlookupForm.h"
#include "catalogs/forms/TSelAgentDlg.h"
#include "catalogs/forms/TSelClnDlg.h"
#include "catalogs/forms/TSelFurnDlg.h"
#include "catalogs/forms/TSelGestDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>

#include <memory>

using namespace catalog_fixture;

namespace {

struct Data
{
    TestEnv env;
    std::unique_ptr<Database> db;
    ScriptedMessages messages;

    Data()
    {
        db = std::make_unique<Database>(env.dataDir(), env.workstation());
        db->open();
        createTables(*db);
    }
};

QString cell(QTableView *grid, int row, const QString &field)
{
    auto *model = qobject_cast<NomenclatorModel *>(grid->model());
    return model->record(row).value(field).toString();
}

QString currentCell(QTableView *grid, const QString &field)
{
    return grid->currentIndex().isValid() ? cell(grid, grid->currentIndex().row(), field) : QString();
}

void selectRows(QTableView *grid, const QList<int> &rows)
{
    for (int row : rows)
        grid->selectionModel()->select(grid->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Codes of class 2 from the national catalogue: every code with at least three parts.
QList<QPair<QString, QString>> referenceCodes(const QString &path)
{
    QList<QPair<QString, QString>> codes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return codes;
    const QRegularExpression line(QStringLiteral(R"(^(2(?:\.\d+){2,})\.\s+(.*)$)"));
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        const QRegularExpressionMatch m = line.match(text);
        if (m.hasMatch())
            codes << qMakePair(m.captured(1), m.captured(2).left(100));
    }
    return codes;
}

} // namespace

class TestCatalogWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void catalogueSearchNearestKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("landsOn");
        QTest::newRow("2.1 lands on 2.1.1") << "2.1" << "2.1.1";
        QTest::newRow("exact") << "2.1.16" << "2.1.16";
        QTest::newRow("between") << "2.1.2" << "3";
        QTest::newRow("before all") << "0" << "1.1";
        QTest::newRow("after all stays on last") << "9" << "3";
    }

    void catalogueSearchNearestKey()
    {
        QFETCH(QString, typed);
        QFETCH(QString, landsOn);
        Data d;
        insert(*d.db, "Materiale", {{"Cod_material", "1"}, {"Denumire", "Clasa 1"}});
        insert(*d.db, "Materiale", {{"Cod_material", "2"}, {"Denumire", "Clasa 2"}});
        for (const char *code : {"3", "2.1.16", "1.1", "2.1.1"})
            insert(*d.db, "Grup", {{"Cod_material", "1"}, {"Cod_grupa", code}, {"Denumire", "x"}});
        insert(*d.db, "Grup", {{"Cod_material", "2"}, {"Cod_grupa", "2.1.0"}, {"Denumire", "other class"}});

        TCatLookupForm form(*d.db, d.messages, d.env.workstation(), TCatLookupForm::Mode::Selection);
        QVERIFY(form.isOpen());
        QVERIFY(d.messages.isEmpty());
        auto *search = form.findChild<QLineEdit *>("SearchEdit");
        search->setText(typed);
        QCOMPARE(currentCell(form.groupGrid(), "Cod_grupa"), landsOn);
        QCOMPARE(currentCell(form.groupGrid(), "Cod_material"), QStringLiteral("1"));
        // Clearing the text leaves the position.
        search->clear();
        QCOMPARE(currentCell(form.groupGrid(), "Cod_grupa"), landsOn);
    }

    void referenceCatalogueSearch()
    {
        const auto codes = referenceCodes(QStringLiteral(TESSARO_SOURCE_DIR "/../shared/data/hg2139-2004-catalog.txt"));
        if (codes.isEmpty())
            QSKIP("national catalogue text not available");
        Data d;
        insert(*d.db, "Materiale", {{"Cod_material", "2"}, {"Denumire", "Mașini, utilaje și instalații"}});
        d.db->writeTransaction([&] {
            for (const auto &[code, name] : codes)
                insert(*d.db, "Grup", {{"Cod_material", "2"}, {"Cod_grupa", code}, {"Denumire", name}});
        });
        TCatLookupForm form(*d.db, d.messages, d.env.workstation(), TCatLookupForm::Mode::Selection);
        form.findChild<QLineEdit *>("SearchEdit")->setText("2.1");
        QCOMPARE(currentCell(form.groupGrid(), "Cod_grupa"), QStringLiteral("2.1.1"));
        QVERIFY(currentCell(form.groupGrid(), "Denumire").startsWith(QStringLiteral("Extracția")));
    }

    void classWithoutCodesOpensEditing()
    {
        Data d;
        insert(*d.db, "Materiale", {{"Cod_material", "1"}, {"Denumire", "Goala"}});
        TCatLookupForm form(*d.db, d.messages, d.env.workstation(), TCatLookupForm::Mode::Selection);
        QVERIFY(form.isOpen());
        QVERIFY(form.isEditing());
        QVERIFY(!form.findChild<QPushButton *>("OkBtn")->isEnabled());
        QVERIFY(form.findChild<QPushButton *>("EditBtn")->isChecked());
        QCOMPARE(d.messages.texts(ScriptedMessages::Kind::Warning),
                 QStringList{QStringLiteral("Adaugati articole în catalog!")});

        // A new code takes the class; "&Editeaza" saves it and gives OK back.
        NomenclatorModel *groups = form.groupModel();
        const int row = groups->appendRow();
        QVERIFY(groups->setData(groups->index(row, groups->fieldIndex("Cod_grupa")), QStringLiteral("1.1")));
        form.findChild<QPushButton *>("EditBtn")->click();
        QVERIFY(!form.isEditing());
        QVERIFY(form.findChild<QPushButton *>("OkBtn")->isEnabled());
        QSqlQuery q = d.db->run("SELECT Cod_material FROM \"Grup\" WHERE Cod_grupa = '1.1'");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("1"));
    }

    void catalogueCloseWithDuplicateStaysOpen()
    {
        Data d;
        insert(*d.db, "Materiale", {{"Cod_material", "1"}, {"Denumire", "C"}});
        insert(*d.db, "Grup", {{"Cod_material", "1"}, {"Cod_grupa", "1.1"}, {"Denumire", "a"}});
        std::unique_ptr<TCatLookupForm> form(TCatLookupForm::create(*d.db, d.messages, d.env.workstation()));
        QVERIFY(form);
        form->show();
        NomenclatorModel *groups = form->groupModel();
        const int row = groups->appendRow();
        groups->setData(groups->index(row, groups->fieldIndex("Cod_grupa")), QStringLiteral("1.1"));
        QVERIFY(!form->close());
        QVERIFY(d.messages.texts().last().startsWith(QStringLiteral("Atentie! Inregistrare duplicata!")));
        QCOMPARE(count(*d.db, "Grup"), 1);
        // Corrected, it closes and writes the layout file.
        groups->setData(groups->index(row, groups->fieldIndex("Cod_grupa")), QStringLiteral("1.2"));
        QVERIFY(form->close());
        QCOMPARE(count(*d.db, "Grup"), 2);
        QVERIFY(QFile::exists(d.env.workstation().privateDirectory() + "catlook.cfg"));
    }

    void catalogueHostileClassCode()
    {
        Data d;
        const QString hostile = QStringLiteral("9' OR '1'='1");
        insert(*d.db, "Materiale", {{"Cod_material", hostile}, {"Denumire", "Rea"}});
        insert(*d.db, "Grup", {{"Cod_material", hostile}, {"Cod_grupa", "9.1"}, {"Denumire", "a"}});
        insert(*d.db, "Grup", {{"Cod_material", "1"}, {"Cod_grupa", "1.1"}, {"Denumire", "b"}});
        TCatLookupForm form(*d.db, d.messages, d.env.workstation(), TCatLookupForm::Mode::Selection);
        QCOMPARE(form.currentClass(), hostile);
        QCOMPARE(form.groupModel()->rowCount(), 1);
        QCOMPARE(currentCell(form.groupGrid(), "Cod_grupa"), QStringLiteral("9.1"));
    }

    void statusHints()
    {
        struct Target : StatusTarget
        {
            QString text;
            void setStatusText(const QString &t) override { text = t; }
        } target;
        Status::registerTarget(&target);
        Data d;
        insert(*d.db, "Materiale", {{"Cod_material", "1"}, {"Denumire", "C"}});
        insert(*d.db, "Grup", {{"Cod_material", "1"}, {"Cod_grupa", "1.1"}, {"Denumire", "a"}});
        TCatLookupForm form(*d.db, d.messages, d.env.workstation(), TCatLookupForm::Mode::Selection);
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(form.groupGrid(), &in);
        Status::registerTarget(nullptr);
        QCOMPARE(target.text, TCatLookupForm::codeHint());
    }

    void newSupplierAccount_data()
    {
        QTest::addColumn<QString>("cFurn");
        QTest::newRow("start value") << QString();
        QTest::newRow("changed parameter") << "4011";
    }

    void newSupplierAccount()
    {
        QFETCH(QString, cFurn);
        Data d;
        Parameters parameters;
        if (!cFurn.isEmpty())
            parameters.cFurn = cFurn;
        std::unique_ptr<TFurnLookupForm> form(TFurnLookupForm::create(*d.db, parameters, d.messages, d.env.workstation()));
        QVERIFY(form);
        QCOMPARE(d.messages.texts(), QStringList{QStringLiteral("Adaugati furnizori în catalog!")});
        NomenclatorModel *model = form->model();
        const int row = model->appendRow();
        QCOMPARE(model->record(row).value("Cont_creditor").toString(), cFurn.isEmpty() ? QStringLiteral("401") : cFurn);
    }

    void supplierChecks_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rowsSaved");
        QTest::addColumn<QString>("savedAccount");
        const QString accountMessage = QStringLiteral("Introduceti simbolul contului în format 999(9).99(9).99(9) !");
        const QString rowMessage = QStringLiteral("Completati cel putin codul si denumirea furnizorului!");
        QTest::newRow("saved") << "F1" << "Furnizor" << "401.01" << "" << 1 << "401.01";
        // Refused as typed: the row keeps the account it had.
        QTest::newRow("three separators") << "F1" << "Furnizor" << "401.1.2.3" << accountMessage << 1 << "401";
        QTest::newRow("no name") << "F1" << "" << "401" << rowMessage << 0 << "";
        QTest::newRow("no code") << "" << "Furnizor" << "401" << rowMessage << 0 << "";
    }

    void supplierChecks()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, account);
        QFETCH(QString, message);
        QFETCH(int, rowsSaved);
        QFETCH(QString, savedAccount);
        Data d;
        Parameters parameters;
        std::unique_ptr<TFurnLookupForm> form(TFurnLookupForm::create(*d.db, parameters, d.messages, d.env.workstation()));
        d.messages.clear();
        NomenclatorModel *model = form->model();
        const int row = model->appendRow();
        model->setData(model->index(row, model->fieldIndex("Cod_furnizor")), code);
        model->setData(model->index(row, model->fieldIndex("Nume_furnizor")), name);
        model->setData(model->index(row, model->fieldIndex("Cont_creditor")), account);
        const bool posted = form->postPending();
        QCOMPARE(posted, rowsSaved == 1);
        QCOMPARE(d.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(count(*d.db, "Furn"), rowsSaved);
        if (rowsSaved == 0) { // a refused save keeps the window open
            QVERIFY(!form->close());
            return;
        }
        QSqlQuery q = d.db->run("SELECT Cont_creditor FROM \"Furn\"");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), savedAccount);
    }

    void namesInRomanianOrder_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("landsOn");
        QTest::newRow("st before ș") << "st" << "Ștefănești";
        QTest::newRow("case ignored") << "TA" << "Tabără";
        QTest::newRow("ț after t") << "ţ" << "Țara";
        QTest::newRow("ă after a") << "ăl" << "Ălai";
    }

    void namesInRomanianOrder()
    {
        QFETCH(QString, typed);
        QFETCH(QString, landsOn);
        Data d;
        const QStringList names{"Zeta", "Țara", "Sala", "Ștefănești", "alfa", "Tabără", "Ălai"};
        for (int i = 0; i < names.size(); ++i)
            insert(*d.db, "Gest", {{"Cod", QStringLiteral("G%1").arg(i)}, {"Denumire", names.at(i)}});
        TGestlookupForm form(*d.db, d.messages, d.env.workstation(), nullptr, TListLookupForm::Mode::Selection);
        form.setOrder(1);
        QStringList shown;
        for (int row = 0; row < form.model()->rowCount(); ++row)
            shown << cell(form.grid(), row, "Denumire");
        QCOMPARE(shown, (QStringList{"alfa", "Ălai", "Sala", "Ștefănești", "Tabără", "Țara", "Zeta"}));
        form.findChild<QLineEdit *>("SearchEdit")->setText(typed);
        QCOMPARE(currentCell(form.grid(), "Denumire"), landsOn);
    }

    // Shown as a selection dialog the list offers OK and Cancel and is not edited; as the
    // nomenclator window it has neither button and is edited in place.
    void unitSelectionDialog_data()
    {
        QTest::addColumn<bool>("selection");
        QTest::newRow("selection") << true;
        QTest::newRow("nomenclator") << false;
    }
    void unitSelectionDialog()
    {
        QFETCH(bool, selection);
        Data d;
        for (const char *code : {"A1", "B2", "C3"})
            insert(*d.db, "Gest", {{"Cod", code}, {"Denumire", "g"}});
        TGestlookupForm form(*d.db, d.messages, d.env.workstation(), nullptr,
                             selection ? TListLookupForm::Mode::Selection : TListLookupForm::Mode::Catalogue);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.locate("B2"));
        QCOMPARE(form.currentCode(), QStringLiteral("B2"));
        auto *ok = form.findChild<QPushButton *>("OkBtn");
        QVERIFY(ok);
        QCOMPARE(ok->isVisible(), selection);
        if (selection)
            QVERIFY(ok->isEnabled());
        QCOMPARE(form.findChild<QPushButton *>("CancelBtn")->isVisible(), selection);
        QCOMPARE(form.isEditing(), !selection);
    }

    void firmNumber()
    {
        Data d;
        for (int cod : {1, 2, 3})
            insert(*d.db, "Firmdata", {{"Cod", cod}, {"Denumire", QStringLiteral("Firma %1").arg(cod)}});
        IniFile ini(Parameters::filePath(d.env.dataDir()));
        ini.setValue("Default", "Other", "kept");
        QVERIFY(ini.save());
        Parameters parameters;
        parameters.firmNo = 2;
        TFirmDataDlg dialog(*d.db, parameters, d.messages, d.env.dataDir());
        QVERIFY(dialog.isOpen());
        QCOMPARE(dialog.currentNumber(), 2);
        QCOMPARE(dialog.findChild<QLineEdit *>("DenumireEdit")->text(), QStringLiteral("Firma 2"));

        dialog.showRecord(3);
        dialog.findChild<QLineEdit *>("DenumireEdit")->setText(QStringLiteral("Firma Ţării"));
        QVERIFY(dialog.ValideazaBtnClick());
        QCOMPARE(parameters.firmNo, 3);
        QVERIFY(ini.reload());
        QCOMPARE(ini.intValue("Default", "FirmNo", 0), 3);
        QCOMPARE(ini.value("Default", "Other"), QStringLiteral("kept"));
        QSqlQuery q = d.db->run("SELECT Denumire FROM \"Firmdata\" WHERE Cod = 3");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Firma Ţării"));
    }

    void firmWithoutNumberRefused()
    {
        Data d;
        insert(*d.db, "Firmdata", {{"Cod", 1}, {"Denumire", "Firma"}});
        Parameters parameters;
        parameters.firmNo = 1;
        TFirmDataDlg dialog(*d.db, parameters, d.messages, d.env.dataDir());
        dialog.findChild<QLineEdit *>("CodEdit")->clear();
        QVERIFY(!dialog.ValideazaBtnClick());
        QCOMPARE(d.messages.texts(), QStringList{QStringLiteral("Specificati un numar de ordine!")});
        QCOMPARE(parameters.firmNo, 1);
        QVERIFY(!QFile::exists(Parameters::filePath(d.env.dataDir())));
    }

    void selectionResults_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("uncheck");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("result");
        QTest::newRow("units A1 B2") << "gest" << true << QList<int>{0, 1} << "\"A1\",\"B2\"";
        QTest::newRow("all units") << "gest" << false << QList<int>{} << "";
        QTest::newRow("unchecked, none chosen") << "gest" << true << QList<int>{} << "";
        QTest::newRow("budget bare current") << "cln" << true << QList<int>{} << "B'01";
        QTest::newRow("all budgets") << "cln" << false << QList<int>{} << "";
        QTest::newRow("one beneficiary bare") << "agent" << true << QList<int>{1} << "CD";
        QTest::newRow("two beneficiaries") << "agent" << true << QList<int>{0, 1} << "\"AB\",\"CD\"";
    }

    void selectionResults()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, uncheck);
        QFETCH(QList<int>, rows);
        QFETCH(QString, result);
        Data d;
        for (const char *code : {"C3", "A1", "B2"})
            insert(*d.db, "Gest", {{"Cod", code}, {"Denumire", "g"}});
        insert(*d.db, "Client", {{"Cod_client", "B'01"}, {"Nume_client", "Buget de stat"}});
        insert(*d.db, "Client", {{"Cod_client", "B02"}, {"Nume_client", "Venituri proprii"}});
        insert(*d.db, "User", {{"Init", "AB"}, {"Name", "Ana"}});
        insert(*d.db, "User", {{"Init", "CD"}, {"Name", "Dan"}});
        std::unique_ptr<TSelListDlg> dlg;
        if (dialog == "gest")
            dlg = std::make_unique<TSelGestDlg>(*d.db, d.messages);
        else if (dialog == "cln")
            dlg = std::make_unique<TSelClnDlg>(*d.db, d.messages);
        else
            dlg = std::make_unique<TSelAgentDlg>(*d.db, d.messages);
        QVERIFY(dlg->allCheck()->isChecked());
        QVERIFY(!dlg->grid()->isEnabled());
        if (uncheck) {
            dlg->allCheck()->click();
            QVERIFY(dlg->grid()->isEnabled());
        }
        selectRows(dlg->grid(), rows);
        QCOMPARE(dlg->result(), result);
    }

    // A code with quotes chosen in a dialog goes into a report query as a value.
    void hostileCodeThroughDialog()
    {
        Data d;
        const QString hostile = QStringLiteral("F\"1') OR ('a'='a");
        insert(*d.db, "Furn", {{"Cod_furnizor", hostile}, {"Nume_furnizor", "Rău"}});
        insert(*d.db, "Furn", {{"Cod_furnizor", "F2"}, {"Nume_furnizor", "Bun"}});
        insert(*d.db, "Doc_in", {{"Contor", 1}, {"Numar", 10}, {"Furnizor", hostile}});
        insert(*d.db, "Doc_in", {{"Contor", 2}, {"Numar", 20}, {"Furnizor", "F2"}});
        TSelFurnDlg dlg(*d.db, d.messages);
        dlg.allCheck()->click();
        selectRows(dlg.grid(), {0}); // the hostile code sorts first
        const QString text = dlg.result();
        QCOMPARE(CodeList::parse(text), QStringList{hostile});

        const SqlCondition condition = CodeList::inCondition(QStringLiteral("Furnizor"), text, QStringLiteral("f"));
        QSqlQuery q = d.db->run(QStringLiteral("SELECT Numar FROM \"Doc_in\"") + condition.whereClause(),
                                condition.values);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 10);
        QVERIFY(!q.next());
        QCOMPARE(count(*d.db, "Furn"), 2);
    }
};

TESSARO_TEST_MAIN(TestCatalogWindows)
#include "tst_catalogwindows.moc"
