#include "TestEnv.h"

#include "app/NumberFormat.h"
#include "cli/ReportOutput.h"
#include "printing/CsvOutput.h"
#include "printing/PdfOutput.h"
#include "printing/ReportEngine.h"
#include "printing/TestReport.h"
#include "printing/forms/QPrinterDevice.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "app/ScriptedMessages.h"

#include <QFile>
#include <QProcess>

using tessaro_test::pdfText;

using tessaro_test::runProgram;

class TestReportOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The shared path of the report commands, end to end on the test report.
    void pdfAndCsv()
    {
        TestEnv env;
        const QString pdf = env.path(QStringLiteral("proba.pdf"));
        const QString csv = env.path(QStringLiteral("proba.csv"));
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY),
                                  {QStringLiteral("print-test-report"), QStringLiteral("--pdf"), pdf,
                                   QStringLiteral("--csv"), csv});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));

        const QVector<ReportRow> rows = TestReport::rows(3, 3, 14);
        double total = 0;
        for (const ReportRow &row : rows)
            total += row[TestReport::Value].toDouble();
        const QString text = pdfText(pdf);
        for (const QString &s : {QStringLiteral("Întreprinderea Școlară Țară SA"), QStringLiteral("Secția Țesătorie"),
                                 QStringLiteral("Mașini și utilaje"), QStringLiteral("Total general"),
                                 formatNumber(total, QStringLiteral("#,##0.00")), QStringLiteral("Pagina 2")})
            QVERIFY2(text.contains(s), qPrintable(s));

        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), int(rows.size()) + 1);
        QCOMPARE(lines[0], QStringLiteral("Nr_crt,Cod_articol,Denumire,Lot,Valoare,AmortizareLunara,ValoareRamasa"));
        const ReportRow &first = rows[0];
        QCOMPARE(lines[1], QStringLiteral("1,INV000001,%1,%2,%3,%4,%5")
                               .arg(first[TestReport::Name].toString(),
                                    first[TestReport::InUse].toDate().toString(Qt::ISODate))
                               .arg(QStringLiteral("1001123.45"), QStringLiteral("16685.39"),
                                    QStringLiteral("984438.06")));
        QCOMPARE(lines[15].section(QLatin1Char(','), 0, 0), QStringLiteral("1")); // restarts in group 2
    }

    // The windows' output step on the PDF printer honours the page range and the copies.
    void printerOutputToPdf()
    {
        TestEnv env;
        PrintContext ctx(std::make_unique<QPrinterDevice>());
        QCOMPARE(ctx.device().printerName(), QPrinterDevice::pdfPrinterName());
        ScriptedMessages msgs;
        PrintSettings &s = ctx.settings();
        s.applyPreset(PrintSettings::Landscape);
        s.firstPage = 2;
        s.lastPage = 2;
        s.copies = 2;
        const QString pdf = env.path(QStringLiteral("out.pdf"));
        int built = 0;
        QVERIFY(ReportPrinterOutput::output(nullptr, ctx, msgs, [&built](const PageSetup &page) {
            ++built;
            return ReportEngine::build(TestReport::definition(QDate(2024, 1, 31)), TestReport::rows(3, 3, 14), page);
        }, pdf));
        QCOMPARE(built, 1);
        QVERIFY(msgs.isEmpty());
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(QStringLiteral("Pagina 2")), 2);
        QVERIFY(!text.contains(QStringLiteral("Pagina 1")));
        QVERIFY(!text.contains(QStringLiteral("Pagina 3")));
    }

    void csvFields_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thousands") << QVariant(1234567.5) << "1234567.5";
        QTest::newRow("tiny") << QVariant(0.00001) << "0.00001";
        QTest::newRow("negative zero") << QVariant(-0.0) << "0";
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << "2024-03-05";
        QTest::newRow("comma and quote") << QVariant(QStringLiteral("Birou, \"nou\"")) << "\"Birou, \"\"nou\"\"\"";
        QTest::newRow("null") << QVariant() << "";
        // Texts a spreadsheet would run as formulas show as text; numbers stay numbers.
        QTest::newRow("formula") << QVariant(QStringLiteral("=SUM(A1:A9)")) << "\"'=SUM(A1:A9)\"";
        QTest::newRow("plus") << QVariant(QStringLiteral("+40 lei")) << "\"'+40 lei\"";
        QTest::newRow("minus") << QVariant(QStringLiteral("-2+3")) << "\"'-2+3\"";
        QTest::newRow("at") << QVariant(QStringLiteral("@cmd")) << "\"'@cmd\"";
        QTest::newRow("formula with a comma") << QVariant(QStringLiteral("=A1,\"x\"")) << "\"'=A1,\"\"x\"\"\"";
        QTest::newRow("sign inside") << QVariant(QStringLiteral("A-1=2")) << "A-1=2";
        QTest::newRow("negative number") << QVariant(-12.5) << "-12.5";
        QTest::newRow("negative integer") << QVariant(-3) << "-3";
        QTest::newRow("negative count") << QVariant(qlonglong(-7)) << "-7";
    }
    void csvFields()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(CsvOutput::field(value), expected);
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no output") << QStringList{} << 2 << "Indicati --pdf FISIER sau --csv FISIER.";
        QTest::newRow("pdf without file") << QStringList{"--pdf"} << 2 << "Lipseste numele fisierului dupa --pdf.";
        QTest::newRow("unwritable") << QStringList{"--pdf", "/nonexistent-dir/x.pdf"} << 1
                                    << "Fisierul /nonexistent-dir/x.pdf nu poate fi scris";
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), QStringList{QStringLiteral("print-test-report")} + args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void pageRangeAndCopies_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QVector<int>>("pages");
        QTest::newRow("all") << 0 << 0 << 1 << QVector<int>{0, 1, 2, 3};
        QTest::newRow("range") << 2 << 3 << 1 << QVector<int>{1, 2};
        QTest::newRow("beyond the end") << 3 << 9 << 1 << QVector<int>{2, 3};
        QTest::newRow("copies collated") << 1 << 2 << 2 << QVector<int>{0, 1, 0, 1};
    }
    void pageRangeAndCopies()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, copies);
        QFETCH(QVector<int>, pages);
        QCOMPARE(PdfOutput::outputPages(4, first, last, copies), pages);
    }
};

TESSARO_TEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
