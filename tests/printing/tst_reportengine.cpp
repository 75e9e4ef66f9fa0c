#include "TestEnv.h"

#include "app/NumberFormat.h"
#include "printing/FastNumberFormat.h"
#include "printing/ReportEngine.h"
#include "printing/TestReport.h"

#include <QRegularExpression>

class TestReportEngine : public QObject
{
    Q_OBJECT

    static PageSetup landscape()
    {
        PageSetup p;
        p.orientation = PrintSettings::Landscape;
        return p;
    }
    static double sum(const QVector<ReportRow> &rows, int field, int keyField = -1, const QVariant &key = {})
    {
        double s = 0;
        for (const ReportRow &r : rows)
            if (keyField < 0 || r[keyField] == key)
                s += r[field].toDouble();
        return s;
    }
    // Texts of the row whose first text is `caption`, on any page.
    static QStringList rowOf(const ReportDocument &doc, const QString &caption, int *page = nullptr)
    {
        for (int p = 0; p < doc.pageCount(); ++p)
            if (const ReportText *t = doc.find(p, caption)) {
                if (page)
                    *page = p;
                QStringList row;
                for (const ReportText &o : doc.pages[p].texts)
                    if (qAbs(o.origin.y() - t->origin.y()) < 0.01)
                        row.append(o.text);
                return row;
            }
        return {};
    }

private Q_SLOTS:
    void groupedReport()
    {
        // 3 units x 2 groups x 25 rows: groups run over page ends.
        const QVector<ReportRow> rows = TestReport::rows(3, 2, 25);
        const ReportDefinition def = TestReport::definition(QDate(2024, 3, 5));
        const ReportDocument doc = ReportEngine::build(def, rows, landscape());
        const QString money = QStringLiteral("#,##0.00");

        // Totals of every group, of every unit and the grand total.
        for (const QString &unit : {QStringLiteral("G01"), QStringLiteral("G02"), QStringLiteral("G03")}) {
            const QStringList line = rowOf(doc, QStringLiteral("Total pe gestiunea: ") + unit);
            QCOMPARE(line.mid(1), (QStringList{formatNumber(sum(rows, TestReport::Value, TestReport::Unit, unit), money),
                                               formatNumber(sum(rows, TestReport::Monthly, TestReport::Unit, unit), money),
                                               formatNumber(sum(rows, TestReport::Remaining, TestReport::Unit, unit), money)}));
        }
        const QString group = QStringLiteral("2.2.3");
        QCOMPARE(rowOf(doc, QStringLiteral("Total pe grupa : ") + group).value(1),
                 formatNumber(sum(rows, TestReport::Value, TestReport::Group, group), money));
        int lastPage = -1;
        const QStringList grand = rowOf(doc, QStringLiteral("Total general"), &lastPage);
        QCOMPARE(grand.value(1), formatNumber(sum(rows, TestReport::Value), money));
        QCOMPARE(grand.value(3), formatNumber(sum(rows, TestReport::Remaining), money));
        QCOMPARE(lastPage, doc.pageCount() - 1);

        // Each unit starts a page; the page header names that unit.
        int previous = -1;
        for (const QString &unit : {QStringLiteral("G01 Atelier mecanic"), QStringLiteral("G02 Depozit central"),
                                    QStringLiteral("G03 Secția Țesătorie")}) {
            const int p = doc.pageOf(QStringLiteral("Gestiunea: ") + unit);
            QVERIFY2(p > previous, qPrintable(unit));
            QVERIFY(doc.find(p, QStringLiteral("Gestiunea: ") + unit.section(QLatin1Char(' '), 1)));
            if (previous >= 0)
                QVERIFY(doc.pageOf(QStringLiteral("Total pe gestiunea: ") + unit.left(3)) < 0
                        || doc.pageOf(QStringLiteral("Total pe gestiunea: ") + unit.left(3)) >= p);
            previous = p;
        }

        // Running numbers restart at 1 in every group and count its rows without a gap;
        // every page repeats the column headings and carries its number.
        QStringList numbers;
        const double numberRight = doc.find(0, QStringLiteral("1"))->cell.right();
        for (int p = 0; p < doc.pageCount(); ++p) {
            QVERIFY(doc.find(p, QStringLiteral("Denumire produs")));
            QVERIFY(doc.find(p, QStringLiteral("Pagina %1").arg(p + 1)));
            for (const ReportText &t : doc.pages[p].texts)
                if (qAbs(t.cell.right() - numberRight) < 0.01 && t.font == 0)
                    numbers.append(t.text);
        }
        QStringList expected;
        for (int g = 0; g < 6; ++g)
            for (int i = 1; i <= 25; ++i)
                expected.append(QString::number(i));
        QCOMPARE(numbers, expected);
        QVERIFY(doc.pageCount() > 3); // 25 rows do not all fit under one unit's first page
    }

    void cellsStayInsideColumns()
    {
        ReportDefinition def;
        def.columns = {{QStringLiteral("Denumire"), 0, 20, Qt::AlignLeft, {}, false, {}},
                       {QStringLiteral("Valoare"), 1, 10, Qt::AlignRight, QStringLiteral("#,##0.00"), false, {}}};
        PageSetup page;
        page.margins = {10, 10, 10, 150}; // a narrow table: 50 mm
        const QVector<ReportRow> rows{{QStringLiteral("Încărcător frontal cu braț telescopic și cupă"), 123.456},
                                      {QStringLiteral("x"), 1234567890123.0}};
        const ReportDocument doc = ReportEngine::build(def, rows, page);
        for (const ReportText &t : doc.pages[0].texts) {
            const double width = doc.fonts[t.font]->width(t.text) * 25.4 / 72;
            QVERIFY2(t.origin.x() >= t.cell.left() - 1e-6 && t.origin.x() + width <= t.cell.right() + 1e-6,
                     qPrintable(t.text));
        }
        QVERIFY(doc.find(0, QStringLiteral("123,46")));
        QVERIFY(doc.texts(0).join(QString()).contains(QStringLiteral("Încărcător")));
        QVERIFY(doc.texts(0).contains(QRegularExpression(QStringLiteral("^#+$")))); // too wide to print
    }

    void fastFormatMatches_data()
    {
        QTest::addColumn<QString>("mask");
        for (const char *m : {"#,##0.00", "#,##0", "#,##0.", "0.###########", "#,##0.#####", "0.00", "#.##"})
            QTest::newRow(m) << QString::fromLatin1(m);
    }
    void fastFormatMatches()
    {
        QFETCH(QString, mask);
        const FastNumberFormat fast(mask);
        QVERIFY(fast.isFast());
        const double values[] = {0, -0.0, 2.675, -2.675, 0.005, -0.004, 999.995, 1234567.891, -1234567.891,
                                 1e15, 123456789012345678.0, 1.5e-7, 0.1 + 0.2, 1000, 999999.999, 7};
        for (double v : values)
            QCOMPARE(fast.format(v), formatNumber(v, mask));
    }
};

TESSARO_TEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
