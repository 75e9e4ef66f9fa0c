#include "TestEnv.h"

#include "ExitDocumentFixture.h"

#include "app/NumberFormat.h"
#include "printing/MovementNote.h"
#include "printing/PdfOutput.h"
#include "printing/ScrappingList.h"
#include "reports/AssetWear.h"

#include <QProcess>

using tessaro_test::pdfText;

namespace {

PageSetup landscape()
{
    PageSetup p;
    p.orientation = PrintSettings::Landscape;
    return p;
}

// The texts laid out on the line of the first text equal to `first`, on any page.
QStringList rowOf(const ReportDocument &doc, const QString &first, int *page = nullptr)
{
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const ReportText &t : doc.pages[p].texts) {
            if (t.text != first)
                continue;
            if (page)
                *page = p;
            QStringList row;
            for (const ReportText &o : doc.pages[p].texts)
                if (qAbs(o.origin.y() - t.origin.y()) < 0.01 && o.origin.x() >= t.origin.x() - 0.01)
                    row.append(o.text);
            return row;
        }
    return {};
}

// The line of the detail row that shows `article`, from its running number on.
QStringList detailOf(const ReportDocument &doc, const QString &article)
{
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const ReportText &t : doc.pages[p].texts)
            if (t.text == article) {
                QList<const ReportText *> line;
                for (const ReportText &o : doc.pages[p].texts)
                    if (qAbs(o.cell.top() - t.cell.top()) < 0.01)
                        line.append(&o);
                std::sort(line.begin(), line.end(),
                          [](const ReportText *a, const ReportText *b) { return a->cell.left() < b->cell.left(); });
                QStringList texts;
                for (const ReportText *o : line)
                    texts.append(o->text);
                return texts;
            }
    return {};
}

} // namespace

class TestExitPrintouts : public QObject
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
        exit_fixture::fill(*m_db);
    }
    void cleanup()
    {
        m_db.reset();
        m_env.reset();
    }

    void assetWear_data()
    {
        QTest::addColumn<QDate>("lot");
        QTest::addColumn<double>("life");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("months");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("expired"); // as the "#,##0" mask prints it
        QTest::addColumn<double>("wear");
        QTest::newRow("31 January + 1 month, leap year")
            << QDate(2024, 1, 31) << 1.0 << QDate(2024, 2, 29) << 1 << QDate(2024, 2, 29) << "0" << 100.0;
        QTest::newRow("31 January + 1 month")
            << QDate(2023, 1, 31) << 1.0 << QDate(2023, 2, 10) << 1 << QDate(2023, 2, 28) << "0" << 35.71;
        QTest::newRow("31 December + 2 months, half a month past")
            << QDate(2025, 12, 31) << 2.0 << QDate(2026, 3, 15) << 2 << QDate(2026, 2, 28) << "0" << 100.0;
        QTest::newRow("before the end of life")
            << QDate(2001, 3, 15) << 60.0 << QDate(2004, 3, 15) << 60 << QDate(2006, 3, 15) << "0" << 60.02;
        QTest::newRow("at the end of life")
            << QDate(2001, 3, 15) << 60.0 << QDate(2006, 3, 15) << 60 << QDate(2006, 3, 15) << "0" << 100.0;
        QTest::newRow("two years after the end of life")
            << QDate(2001, 3, 15) << 60.0 << QDate(2008, 3, 15) << 60 << QDate(2006, 3, 15) << "24" << 100.0;
        QTest::newRow("before putting into use")
            << QDate(2024, 5, 1) << 12.0 << QDate(2024, 4, 1) << 12 << QDate(2025, 5, 1) << "0" << 0.0;
        QTest::newRow("wear half to even, down")
            << QDate(2024, 3, 1) << 21.0 << QDate(2024, 3, 21) << 21 << QDate(2025, 12, 1) << "0" << 3.12;
        QTest::newRow("wear half to even, up")
            << QDate(2024, 3, 1) << 21.0 << QDate(2024, 4, 30) << 21 << QDate(2025, 12, 1) << "0" << 9.38;
        QTest::newRow("fractional life, half a month up")
            << QDate(2024, 1, 15) << 12.5 << QDate(2025, 2, 15) << 13 << QDate(2025, 2, 15) << "0" << 100.0;
        QTest::newRow("fractional life, rounded down")
            << QDate(2024, 1, 15) << 11.4 << QDate(2024, 12, 15) << 11 << QDate(2024, 12, 15) << "0" << 100.0;
        QTest::newRow("no service life") << QDate(2024, 1, 15) << 0.0 << QDate(2024, 1, 15) << 0 << QDate(2024, 1, 15)
                                         << "0" << 100.0;
        QTest::newRow("negative service life") << QDate(2024, 1, 15) << -3.0 << QDate(2024, 1, 10) << 0
                                               << QDate(2024, 1, 15) << "0" << 0.0;
    }
    void assetWear()
    {
        QFETCH(QDate, lot);
        QFETCH(double, life);
        QFETCH(QDate, date);
        const auto v = AssetWear::compute(lot, life, date);
        QVERIFY(v);
        QTEST(v->months, "months");
        QTEST(v->end, "end");
        QTEST(formatNumber(v->expired, QStringLiteral("#,##0")), "expired");
        QTEST(v->wear, "wear");
        QCOMPARE(v->yearMonth, lot.toString(QStringLiteral("MM/yyyy")));
    }

    void monthsPastTheEndOfLife()
    {
        // 549 days past the end of life are 18.04 months, not a whole number.
        QCOMPARE(QString::number(AssetWear::monthsExpired(QDate(2006, 3, 15), QDate(2007, 9, 15)), 'f', 2),
                 QStringLiteral("18.04"));
        QCOMPARE(AssetWear::yearMonth(QDate(987, 7, 1)), QStringLiteral("07/0987"));
        QVERIFY(!AssetWear::compute(QDate(), 12, QDate(2024, 1, 1)));
        QVERIFY(!AssetWear::compute(QDate(2024, 1, 1), std::nullopt, QDate(2024, 1, 1)));
    }

    void scrappingListLines_data()
    {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QStringList>("line");
        // Nr. crt., code, name, inventory number, year/month, quantity, Norm., Expir., wear,
        // unit price, value, budget.
        QTest::newRow("before the end of life, first entry line")
            << "INV001"
            << QStringList{"1", "2.1.3", "Strung paralel", "INV001", "03/2024", "1", "60", "0", "39,98", "12.500,50",
                           "12.500,50", "B01 Buget local"};
        QTest::newRow("at the end of life")
            << "INV002"
            << QStringList{"2", "2.2.1", "Autoturism Dacia", "INV002", "03/2021", "1", "60", "0", "100,00", "45.000,00",
                           "45.000,00", "B02 Venituri proprii"};
        QTest::newRow("two years after, numbered from 1 in the second unit")
            << "INV010"
            << QStringList{"1", "3.1.1", "Calculator birou", "INV010", "03/2019", "2", "60", "24", "100,00", "3.199,99",
                           "6.399,98", "B01 Buget local"};
        QTest::newRow("life ended on the last day of February, no budget")
            << "INV011"
            << QStringList{"2", "3.3.1", "Scaun ergonomic", "INV011", "12/2025", "3", "2", "0", "100,00", "0,34",
                           "1,01"};
    }
    void scrappingListLines()
    {
        QFETCH(QString, article);
        ScrappingList list(*m_db, 1);
        QVERIFY(list.load(4));
        const ReportDocument doc = list.document(landscape(), false, QString());
        QTEST(detailOf(doc, article), "line");
    }

    void scrappingListGroupsAndTotals_data()
    {
        QTest::addColumn<bool>("comment");
        QTest::addColumn<QString>("closingText");
        QTest::addColumn<QStringList>("closingLines");
        const QString text = QStringLiteral("Comisia de casare:\n\nPresedinte: Avram Ioana");
        QTest::newRow("with the closing text") << true << text
                                               << QStringList{"Comisia de casare:", "Presedinte: Avram Ioana"};
        QTest::newRow("without it") << false << text << QStringList{};
        QTest::newRow("with an empty closing text") << true << QString() << QStringList{};
    }
    void scrappingListGroupsAndTotals()
    {
        QFETCH(bool, comment);
        QFETCH(QString, closingText);
        QFETCH(QStringList, closingLines);
        ScrappingList list(*m_db, 1);
        QVERIFY(list.load(4));
        const ReportDocument doc = list.document(landscape(), comment, closingText);
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.orientation, int(PrintSettings::Landscape));
        const QStringList texts = doc.texts(0);
        for (const char *t : {"Primăria Comunei Vadu Moților", "O.R.C.: J01/22/1999", "Cod fiscal: RO4562110",
                              "Localitatea: Vadu Moților, nr. 1", "Judetul: Alba", "Contul: RO12TREZ0012345678901234",
                              "Banca: Trezoreria Câmpeni", "Lista mijloacelor fixe casate", "data 15.03.2026",
                              "Dur. serv. - luni", "Norm.", "Expir.", "Nr.", "crt.", "Valoare lei", "Cod buget"})
            QVERIFY2(texts.contains(QString::fromUtf8(t)), t);

        // Two groups in unit order, each closed by its total; the general total last.
        const qsizetype first = texts.indexOf(QStringLiteral("Gestiunea: Primarie"));
        const qsizetype firstTotal = texts.indexOf(QStringLiteral("Total gestiunea: Primarie"));
        const qsizetype second = texts.indexOf(QStringLiteral("Gestiunea: Scoala Generala"));
        const qsizetype secondTotal = texts.indexOf(QStringLiteral("Total gestiunea: Scoala Generala"));
        const qsizetype general = texts.indexOf(QStringLiteral("Total general:"));
        QVERIFY(first >= 0 && first < firstTotal && firstTotal < second && second < secondTotal
                && secondTotal < general);
        QCOMPARE(rowOf(doc, QStringLiteral("Total gestiunea: Primarie")).value(1), QStringLiteral("57.500,50"));
        QCOMPARE(rowOf(doc, QStringLiteral("Total gestiunea: Scoala Generala")).value(1), QStringLiteral("6.400,99"));
        QCOMPARE(rowOf(doc, QStringLiteral("Total general:")).value(1), QStringLiteral("63.901,49"));

        // The closing text follows the general total, its blank line kept.
        qsizetype at = general;
        for (const QString &line : closingLines) {
            const qsizetype i = texts.indexOf(line);
            QVERIFY2(i > at, qPrintable(line));
            at = i;
        }
        QCOMPARE(texts.contains(QStringLiteral("Comisia de casare:")), !closingLines.isEmpty());
    }

    void organisationRecordChosenByFirmNo_data()
    {
        QTest::addColumn<int>("firmNo");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("orc");
        QTest::newRow("record 1") << 1 << "Primăria Comunei Vadu Moților" << "O.R.C.: J01/22/1999";
        QTest::newRow("record 2") << 2 << "Alta unitate" << "O.R.C.: ";
        QTest::newRow("no such record") << 9 << "" << "O.R.C.: ";
    }
    void organisationRecordChosenByFirmNo()
    {
        QFETCH(int, firmNo);
        ScrappingList list(*m_db, firmNo);
        QVERIFY(list.load(4));
        QTEST(list.organisation().name, "name");
        MovementNote note(*m_db, firmNo, 2);
        QVERIFY(note.load(7));
        const ReportDocument doc = note.document(landscape(), false);
        QFETCH(QString, orc);
        QVERIFY(doc.texts(0).contains(orc));
        // The lines print whatever the organisation record.
        QCOMPARE(rowOf(doc, QStringLiteral("TOTAL:")).value(1), QStringLiteral("57.701,01"));
    }

    void movementNote_data()
    {
        QTest::addColumn<bool>("explanation");
        QTest::newRow("without the explanation") << false;
        QTest::newRow("with the explanation") << true;
    }
    void movementNote()
    {
        QFETCH(bool, explanation);
        MovementNote note(*m_db, 1, 2);
        QVERIFY(note.load(7));
        QVERIFY(!MovementNote(*m_db, 1, 2).load(8));
        const ReportDocument doc = note.document(landscape(), explanation);
        QCOMPARE(doc.title, QStringLiteral("Aviz"));
        QCOMPARE(doc.orientation, int(PrintSettings::Landscape));
        QCOMPARE(doc.pageCount(), 1);
        const QStringList texts = doc.texts(0);
        for (const char *t : {"BON DE MISCARE MIJLOACE FIXE", "Nr 7   Data 02.04.2026",
                              "GESTIUNE PREDATOARE : Primarie", "GESTIUNE PRIMITOARE : Scoala Generala",
                              "Banca: Trezoreria Câmpeni", "Contul: RO12TREZ0012345678901234", "Judetul: Alba",
                              "Localitatea: Vadu Moților, nr. 1", "Cod fiscal: RO4562110", "O.R.C.: J01/22/1999",
                              "Nr.crt.", "Cod de clasificare", "Numar inventar", "Denumire", "Cod buget",
                              "Canti-tatea", "Pret unitar", "Valoare", "PREDATOR:", "PRIMITOR:", "Aprobat,"})
            QVERIFY2(texts.contains(QString::fromUtf8(t)), t);
        QCOMPARE(texts.contains(QStringLiteral("Transfer")), explanation);

        // Ordered by unit, inventory number and price; named after the entry line of the
        // unit they leave.
        QCOMPARE(detailOf(doc, QStringLiteral("INV002")),
                 (QStringList{"3", "2.2.1", "INV002", "Autoturism Dacia", "B02", "1", "45.000,00", "45.000,00"}));
        const qsizetype cheap = texts.indexOf(QStringLiteral("200,51"));
        const qsizetype dear = texts.indexOf(QStringLiteral("12.500,50"));
        QVERIFY(cheap >= 0 && cheap < dear);
        QCOMPARE(texts.count(QStringLiteral("Strung paralel SN 4471")), 2);
        QCOMPARE(rowOf(doc, QStringLiteral("TOTAL:")).value(1), QStringLiteral("57.701,01"));

        // The receiving unit's custodian signs under "PRIMITOR:".
        const ReportText *receiver = doc.find(0, QStringLiteral("PRIMITOR:"));
        const ReportText *keeper = doc.find(0, QStringLiteral("Pop Vasile"));
        QVERIFY(receiver && keeper);
        QVERIFY(keeper->origin.y() > receiver->origin.y());
        QVERIFY(qAbs(keeper->origin.x() - receiver->origin.x()) < 1);
        QVERIFY(!texts.contains(QStringLiteral("Ionescu Maria")));
    }

    void movementNoteOfADocumentWithoutLinesOrReceiver()
    {
        m_db->run(QStringLiteral("INSERT INTO \"Doc_out\" (\"Contor\", \"Data_inregistrarii\", \"Tip\", \"Data\") "
                                 "VALUES (9, '2026-05-01', 'NPR', '2026-05-01')"));
        MovementNote note(*m_db, 1, 2);
        QVERIFY(note.load(9));
        const ReportDocument doc = note.document(landscape(), true);
        const QStringList texts = doc.texts(0);
        QVERIFY(texts.contains(QStringLiteral("GESTIUNE PRIMITOARE : ")));
        QCOMPARE(rowOf(doc, QStringLiteral("TOTAL:")).value(1), QStringLiteral("0,00"));
        QVERIFY(texts.contains(QStringLiteral("Aprobat,")));
    }

    void longNamesPrintWhole_data()
    {
        QTest::addColumn<bool>("scrapping");
        QTest::newRow("scrapping list") << true;
        QTest::newRow("movement note") << false;
    }
    void longNamesPrintWhole()
    {
        QFETCH(bool, scrapping);
        const QString name = QStringLiteral("Autoturism Dacia Logan Laureate 1.5 dCi, culoare albastru navy, "
                                            "cu dotari suplimentare pentru serviciul de urgenta al comunei");
        m_db->run(QStringLiteral("UPDATE \"Item_in\" SET \"Denumire\" = :n WHERE \"Cod_articol\" = 'INV002'"),
                  {{":n", name}});
        ReportDocument doc;
        if (scrapping) {
            ScrappingList list(*m_db, 1);
            QVERIFY(list.load(4));
            doc = list.document(landscape(), false, QString());
        } else {
            MovementNote note(*m_db, 1, 2);
            QVERIFY(note.load(7));
            doc = note.document(landscape(), false);
        }
        // The name's lines, in order, give the whole name back.
        QStringList lines;
        const ReportText *first = nullptr;
        for (const ReportText &t : doc.pages[0].texts)
            if (name.startsWith(t.text) && t.text.startsWith(QStringLiteral("Autoturism Dacia Logan")))
                first = &t;
        QVERIFY(first);
        for (const ReportText &t : doc.pages[0].texts)
            if (qAbs(t.cell.left() - first->cell.left()) < 0.01 && t.origin.y() >= first->origin.y() - 0.01
                && name.contains(t.text))
                lines.append(t.text);
        QVERIFY(lines.size() > 1);
        QCOMPARE(lines.join(QLatin1Char(' ')), name);
    }

    void pdfOfBothPrintouts()
    {
        ScrappingList list(*m_db, 1);
        QVERIFY(list.load(4));
        MovementNote note(*m_db, 1, 2);
        QVERIFY(note.load(7));
        const QString casare = m_env->path("casare.pdf"), bon = m_env->path("bon.pdf");
        QString error;
        QVERIFY2(PdfOutput::write(list.document(landscape(), true, QStringLiteral("Comisia de casare:")), casare, &error),
                 qPrintable(error));
        QVERIFY2(PdfOutput::write(note.document(landscape(), true), bon, &error), qPrintable(error));
        const QString listText = pdfText(casare);
        for (const char *t : {"Lista mijloacelor fixe casate", "Total general:", "63.901,49", "Comisia de casare:",
                              "Vadu Moților"})
            QVERIFY2(listText.contains(QString::fromUtf8(t)), t);
        const QString noteText = pdfText(bon);
        for (const char *t : {"BON DE MISCARE MIJLOACE FIXE", "TOTAL:", "57.701,01", "PRIMITOR:", "Pop Vasile"})
            QVERIFY2(noteText.contains(QString::fromUtf8(t)), t);
    }

    void scrappingListOverSeveralPages()
    {
        // 120 more lines in B2: the groups run over page ends, every page repeats the
        // column headings, and the totals stay those of the printed values.
        m_db->writeTransaction([&] {
            for (int i = 0; i < 120; ++i)
                m_db->run(QStringLiteral("INSERT INTO \"Item_out\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", "
                                         "\"Cod_grupa\", \"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie\") "
                                         "VALUES (4, :cs, 'B2', '9.9', :a, '2020-01-01', 1, 0.005)"),
                          {{":cs", 100 + i}, {":a", QStringLiteral("X%1").arg(i, 3, 10, QLatin1Char('0'))}});
        });
        ScrappingList list(*m_db, 1);
        QVERIFY(list.load(4));
        const ReportDocument doc = list.document(landscape(), false, QString());
        QVERIFY(doc.pageCount() >= 3);
        for (int p = 0; p < doc.pageCount(); ++p)
            QVERIFY(doc.find(p, QStringLiteral("Dur. serv. - luni")));
        // 120 x 0,01 (each 0,005 is printed as 0,01) added to B2.
        QCOMPARE(rowOf(doc, QStringLiteral("Total gestiunea: Scoala Generala")).value(1), QStringLiteral("6.402,19"));
        QCOMPARE(rowOf(doc, QStringLiteral("Total general:")).value(1), QStringLiteral("63.902,69"));
        QCOMPARE(detailOf(doc, QStringLiteral("X119")).value(0), QStringLiteral("122"));
        // No entry line: no name, no service life, no wear.
        QCOMPARE(detailOf(doc, QStringLiteral("X000")),
                 (QStringList{"3", "9.9", "X000", "01/2020", "1", "0,01", "0,01"}));
    }
};

TESSARO_TEST_MAIN(TestExitPrintouts)
#include "tst_exitprintouts.moc"
