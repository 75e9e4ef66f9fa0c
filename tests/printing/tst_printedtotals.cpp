#include "TestEnv.h"

#include "printing/PrintedTotals.h"
#include "printing/ReportEngine.h"


namespace {

ReportDefinition definition()
{
    ReportDefinition d;
    d.title = QStringLiteral("Proba");
    d.heading = QStringLiteral("Situatia 2019");
    d.columns = {ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 7, Qt::AlignRight),
                 ReportColumn::make(QStringLiteral("Cod"), 0, 16),
                 ReportColumn::make(QStringLiteral("Denumire"), 1, 40),
                 ReportColumn::make(QStringLiteral("Valoare de inventar"), 2, 17, Qt::AlignRight,
                                    QStringLiteral("#,##0.00"), true),
                 ReportColumn::make(QStringLiteral("Amortizare lunara"), 3, 15, Qt::AlignRight,
                                    QStringLiteral("#,##0.00"), true)};
    d.footerLeft = QStringLiteral("09.12.2026");
    return d;
}

} // namespace

// Reading the totals lines back from a laid-out report: only the lines of bold amounts,
// with their captions (an empty caption kept as such), in print order over the pages.
class TestPrintedTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheTotalsLines_data()
    {
        QTest::addColumn<int>("details"); // enough of them push the totals to a later page
        QTest::newRow("one page") << 3;
        QTest::newRow("over pages") << 90;
    }
    void readsTheTotalsLines()
    {
        QFETCH(int, details);
        const ReportDefinition def = definition();
        ReportEngine engine(def, PageSetup());
        engine.groupHeader(QStringLiteral("Gestiunea: G1 Atelier 2019"));
        for (int i = 1; i <= details; ++i)
            engine.detail({QStringLiteral("INV%1").arg(i), QStringLiteral("2019"), 1000.5, 12.25}, i);
        engine.totals(QStringLiteral("Total pe gestiunea: G1"), {0, 0, 0, 1234.5, -10});
        engine.textLine(QStringLiteral("din care, grupa: "));
        engine.totals(QStringLiteral("2."), {0, 0, 0, 1000000, 0.004});
        engine.totals(QString(), {0, 0, 0, 234.5, -10});
        engine.totals(QStringLiteral("Total general"), {0, 0, 0, 1234.5, -10}, true);
        const ReportDocument doc = engine.finish();
        QCOMPARE(doc.pageCount() > 1, details > 40);

        const QVector<PrintedTotals::Line> lines = PrintedTotals::read(doc);
        QCOMPARE(lines.size(), 4);
        const QStringList captions{"Total pe gestiunea: G1", "2.", "", "Total general"};
        const QList<QStringList> amounts{{"1.234,50", "-10,00"}, {"1.000.000,00", "0,00"}, {"234,50", "-10,00"},
                                         {"1.234,50", "-10,00"}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(lines[i].caption, captions[i]);
            QCOMPARE(lines[i].amounts, amounts[i]);
        }
        QCOMPARE(PrintedTotals::csv(doc, {QStringLiteral("Valoare"), QStringLiteral("AmortizareLunara")}),
                 QStringLiteral("Total,Valoare,AmortizareLunara\n"
                                "Total pe gestiunea: G1,1234.50,-10.00\n"
                                "2.,1000000.00,0.00\n"
                                ",234.50,-10.00\n"
                                "Total general,1234.50,-10.00\n"));
    }

    // A report without totals lines has none to read.
    void noTotals()
    {
        const ReportDefinition def = definition();
        ReportEngine engine(def, PageSetup());
        engine.detail({QStringLiteral("INV1"), QStringLiteral("Strung"), 1000.5, 12.25}, 1);
        QVERIFY(PrintedTotals::read(engine.finish()).isEmpty());
    }
};

TESSARO_TEST_MAIN(TestPrintedTotals)
#include "tst_printedtotals.moc"
