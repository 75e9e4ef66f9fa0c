#include "TestEnv.h"

#include "LedgerFixture.h"

#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "documents/ReceptionNote.h"
#include "documents/SerialRowsModel.h"
#include "documents/forms/ReceptionNotePrint.h"
#include "documents/forms/TSeriiForm.h"
#include "printing/PdfOutput.h"
#include "printing/PrintContext.h"
#include "printing/forms/QPrinterDevice.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTableView>
#include <QTimer>

using tessaro_test::pdfText;

namespace {

struct NoteLine
{
    const char *article;
    const char *name;
    double quantity, price, tva;
    const char *agent;
};

// Three lines: the first has a catalogue row (U.M. "buc"), the second none.
const NoteLine kLines[] = {{"2.1/001", "Strung paralel ștanțat", 2, 1234.5678, 469.1358, "B01"},
                           {"2.1/002", "Calculator și imprimantă", 1, 3000, 570, ""},
                           {"2.1/003", "Scaun ergonomic", 3, 0.333, 0.19, "B02"}};

void fillDocument(Database &db, double contor, const QString &supplier, int lines = 3)
{
    db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Numar\", \"Tip\", \"Data\", "
                          "\"Furnizor\", \"Explicatie\") VALUES (:c, '2024-02-05', 1507, 'FCT', '2024-02-03', :f, :e)"),
           {{":c", contor}, {":f", ledger_test::orNull(supplier)}, {":e", QStringLiteral("Dotare atelier")}});
    for (int i = 0; i < lines; ++i) {
        const NoteLine &l = kLines[i % 3];
        db.run(QStringLiteral("INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                              "\"Cod_articol\", \"Denumire\", \"Cantitate\", \"Pret_achizitie_lei\", \"TVA\", \"Agent\") "
                              "VALUES (:c, :cs, 'G1', '2.1', :a, :n, :q, :p, :t, :ag)"),
               {{":c", contor}, {":cs", i + 1}, {":a", QString::fromUtf8(l.article)}, {":n", QString::fromUtf8(l.name)},
                {":q", l.quantity}, {":p", l.price}, {":t", l.tva}, {":ag", ledger_test::orNull(QString::fromUtf8(l.agent))}});
    }
}

void fillCatalogues(Database &db)
{
    db.run(QStringLiteral("INSERT INTO \"Furn\" (\"Cod_furnizor\", \"Nume_furnizor\", \"Adresa\", \"Cod_fiscal\") "
                          "VALUES ('F1', 'SC Țesătura SRL', 'Str. Morii 3, Iași', 'RO123456')"));
    db.run(QStringLiteral("INSERT INTO \"Catalog\" (\"Grupa\", \"Cod\", \"Denumire\", \"Unitate_masura\") "
                          "VALUES ('2.1', '2.1/001', 'Strung (catalog)', 'buc')"));
}

// The text laid out right after `caption` on the page: the amount of a totals row.
QString after(const ReportDocument &doc, int page, const QString &caption)
{
    const QStringList texts = doc.texts(page);
    const qsizetype i = texts.indexOf(caption);
    return i >= 0 && i + 1 < texts.size() ? texts[i + 1] : QString();
}

} // namespace

class TestReceptionNote : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_db = std::make_unique<Database>(m_env->dataDir(), m_env->workstation());
        m_db->open();
        ledger_test::createTables(*m_db);
        fillCatalogues(*m_db);
    }
    void cleanup()
    {
        delete TSeriiForm::instance();
        m_db.reset();
        m_env.reset();
    }

    // Each line as it prints (running number, code, name, unit, quantity, price, value,
    // VAT, budget; empty cells print nothing), and totals that add the amounts as
    // printed: with 2 decimals 2.469,14 + 3.000 + 1 = 5.470,14, where the unrounded
    // values would give 5.470,13. Worked out by hand from the three lines.
    void linesMasksAndTotals_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("totalValue");
        QTest::addColumn<QString>("totalDocument");
        QTest::newRow("3 decimals") << 3
                                    << QStringList{"1|2.1/001|Strung paralel ștanțat|buc|2|1.234,568|2.469,136|469,14|B01",
                                                   "2|2.1/002|Calculator și imprimantă|1|3.000|3.000|570,00",
                                                   "3|2.1/003|Scaun ergonomic|3|0,333|0,999|0,19|B02"}
                                    << "5.470,135" << "6.509,465";
        QTest::newRow("2 decimals") << 2
                                    << QStringList{"1|2.1/001|Strung paralel ștanțat|buc|2|1.234,57|2.469,14|469,14|B01",
                                                   "2|2.1/002|Calculator și imprimantă|1|3.000|3.000|570,00",
                                                   "3|2.1/003|Scaun ergonomic|3|0,33|1|0,19|B02"}
                                    << "5.470,14" << "6.509,47";
    }
    void linesMasksAndTotals()
    {
        QFETCH(int, decimals);
        QFETCH(QStringList, lines);
        fillDocument(*m_db, 12, QStringLiteral("F1"));
        ReceptionNote note(*m_db, decimals);
        QVERIFY(note.load(12));
        QCOMPARE(note.rows().size(), 3);
        QCOMPARE(note.rows()[0][ReceptionNote::Unit].toString(), QStringLiteral("buc"));
        QCOMPARE(note.rows()[1][ReceptionNote::Unit].toString(), QString());
        QCOMPARE(note.rows()[1][ReceptionNote::Name].toString(), QStringLiteral("Calculator și imprimantă"));

        const ReportDocument doc = note.document(PageSetup());
        QCOMPARE(doc.pageCount(), 1);
        const QStringList texts = doc.texts(0);
        for (const QString &line : std::as_const(lines)) {
            const QStringList cells = line.split(QLatin1Char('|'));
            const qsizetype at = texts.indexOf(cells.at(1)); // the line's code
            QVERIFY2(at >= 1, qPrintable(cells.at(1)));
            QCOMPARE(texts.mid(at - 1, cells.size()), cells);
        }
        QTEST(after(doc, 0, QStringLiteral("Valoare totala:")), "totalValue");
        QCOMPARE(after(doc, 0, QStringLiteral("Total TVA:")), QStringLiteral("1.039,33"));
        QTEST(after(doc, 0, QStringLiteral("Total document:")), "totalDocument");
    }

    void headerWithAndWithoutSupplier_data()
    {
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<QString>("supplierLine");
        QTest::addColumn<bool>("fiscalCode");
        QTest::newRow("supplier") << "F1" << "Furnizor: SC Țesătura SRL" << true;
        QTest::newRow("no supplier") << "" << "Furnizor: " << false;
        QTest::newRow("supplier gone") << "F9" << "Furnizor: " << false;
    }
    void headerWithAndWithoutSupplier()
    {
        QFETCH(QString, supplier);
        fillDocument(*m_db, 15, supplier);
        ReceptionNote note(*m_db, 2);
        QVERIFY(note.load(15));
        const ReportDocument doc = note.document(PageSetup());
        const QStringList texts = doc.texts(0);
        // The document's own data print whether or not it names a supplier.
        for (const QString &t : {QStringLiteral("Nota de receptie"), QStringLiteral("la documentul nr. 1507 data 03.02.2024"),
                                 QStringLiteral("Nr. : 15 din data 05.02.2024"), QStringLiteral("Dotare atelier"),
                                 QStringLiteral("Nota de receptie la documentul nr. 1507 data 03.02.2024")})
            QVERIFY2(texts.contains(t), qPrintable(t));
        QTEST(texts.first(), "supplierLine");
        QTEST(texts.contains(QStringLiteral("C.F. RO123456")), "fiscalCode");
        QCOMPARE(note.rows().size(), 3);
        QVERIFY(!ReceptionNote(*m_db, 2).load(16));
    }

    void pdfPagesAndClosingBlock_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("minPages");
        QTest::newRow("3 lines") << 3 << 1;
        QTest::newRow("90 lines") << 90 << 2;
    }
    void pdfPagesAndClosingBlock()
    {
        QFETCH(int, lines);
        QFETCH(int, minPages);
        fillDocument(*m_db, 20, QStringLiteral("F1"), lines);
        ReceptionNote note(*m_db, 3);
        QVERIFY(note.load(20));
        const ReportDocument doc = note.document(PageSetup());
        QVERIFY(doc.pageCount() >= minPages);
        // The totals and the signatures stay together, after the last line.
        const int last = doc.pageCount() - 1;
        for (const char *t : {"Receptionat,", "Total document:", "Comisia de receptie", "Primit in gestiune"})
            QCOMPARE(doc.pageOf(QString::fromLatin1(t)), last);
        for (int p = 0; p < doc.pageCount(); ++p)
            QVERIFY(doc.find(p, QStringLiteral("Nota de receptie la documentul nr. 1507 data 03.02.2024")));

        const QString path = m_env->path("nota.pdf");
        QString error;
        QVERIFY2(PdfOutput::write(doc, path, &error), qPrintable(error));
        QVERIFY(QFileInfo(path).size() > 1000);
        const QString text = pdfText(path);
        QCOMPARE(text.count(QLatin1Char('\f')), doc.pageCount());
        for (const char *t : {"Nota de receptie", "Strung paralel ștanțat", "Total document:", "Numele si prenumele"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
    }

    void printingFromTheWindowCommand_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("printed");
        QTest::newRow("confirmed") << int(Qt::Key_Return) << true;
        QTest::newRow("cancelled") << int(Qt::Key_Escape) << false;
    }
    void printingFromTheWindowCommand()
    {
        QFETCH(int, key);
        QFETCH(bool, printed);
        fillDocument(*m_db, 31, QString());
        auto device = std::make_unique<QPrinterDevice>();
        const QString pdf = m_env->path("receptie.pdf");
        device->printer().setOutputFileName(pdf);
        PrintContext print(std::move(device));
        print.settings().orientation = PrintSettings::Landscape;
        Parameters parameters;
        ScriptedMessages messages;
        QTimer press;
        connect(&press, &QTimer::timeout, [&] {
            if (QWidget *modal = QApplication::activeModalWidget())
                QTest::keyClick(modal, Qt::Key(key));
        });
        press.start(100);
        QCOMPARE(printReceptionNote(nullptr, *m_db, parameters, print, messages, 31), printed);
        press.stop();
        // The portrait preset stays in force, printed or not.
        QCOMPARE(print.settings().orientation, int(PrintSettings::Portrait));
        QCOMPARE(print.settings().fontName, QStringLiteral("Arial"));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(QFile::exists(pdf), printed);
        if (printed)
            QVERIFY(pdfText(pdf).contains(QStringLiteral("la documentul nr. 1507 data 03.02.2024")));
    }

    void seriiWindowEditsSavedOnClose_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<bool>("inWorkspace");
        QTest::newRow("whole number") << "123456" << QVariant(123456.0) << 0 << true;
        QTest::newRow("decimal comma") << "12,5" << QVariant(12.5) << 0 << false;
        QTest::newRow("not a number") << "12a" << QVariant() << 1 << true;
        QTest::newRow("cleared") << "" << QVariant() << 0 << false;
    }
    void seriiWindowEditsSavedOnClose()
    {
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        QFETCH(int, warnings);
        QFETCH(bool, inWorkspace);
        auto serial = [&](double contor, double sec, const char *article, QVariant serie) {
            m_db->run(QStringLiteral("INSERT INTO \"Serie\" (\"Contor\", \"ContorSec\", \"Grupa\", \"Cod_articol\", "
                                     "\"SerieFurn\", \"Serie\") VALUES (:c, :s, '2.1', :a, 0, :v)"),
                      {{":c", contor}, {":s", sec}, {":a", QString::fromLatin1(article)}, {":v", serie}});
        };
        serial(7, 1, "2.1/001", QVariant());
        serial(7, 1, "2.1/001", 77.0);
        serial(8, 1, "2.1/001", 88.0);
        serial(7, 2, "2.1/002", QVariant());

        ScriptedMessages messages;
        QMdiArea workspace;
        TSeriiForm *form = TSeriiForm::show(*m_db, messages, 7, inWorkspace ? &workspace : nullptr);
        QVERIFY(form);
        QCOMPARE(TSeriiForm::show(*m_db, messages, 7, &workspace), form); // one window
        QCOMPARE(workspace.subWindowList().size(), inWorkspace ? 1 : 0);
        SerialRowsModel *rows = form->rows();
        QCOMPARE(rows->rowCount(), 3);
        QCOMPARE(rows->index(0, SerialRowsModel::Denumire).data().toString(), QStringLiteral("Strung (catalog)"));
        QCOMPARE(rows->index(2, SerialRowsModel::CodArticol).data().toString(), QStringLiteral("2.1/002"));
        QCOMPARE(rows->index(1, SerialRowsModel::Serie).data().toString(), QStringLiteral("77"));

        // Typed into the cell of the second row, the editor still open when closing.
        QTableView *grid = form->grid();
        grid->setCurrentIndex(rows->index(1, SerialRowsModel::Serie));
        grid->edit(grid->currentIndex());
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, typed);
        QVERIFY(inWorkspace ? workspace.subWindowList().first()->close() : form->close());
        QTRY_VERIFY(!TSeriiForm::instance());

        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning).size(), warnings);
        QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Serie\" FROM \"Serie\" ORDER BY \"Contor\", \"ContorSec\", rowid"));
        QVariantList values;
        while (q.next())
            values << (q.value(0).isNull() ? QVariant() : QVariant(q.value(0).toDouble()));
        // A refused text leaves the stored number as it was.
        const QVariant expected = warnings ? QVariant(77.0) : stored;
        QCOMPARE(values, (QVariantList{QVariant(), expected, QVariant(), QVariant(88.0)}));
    }
};

TESSARO_TEST_MAIN(TestReceptionNote)
#include "tst_receptionnote.moc"
