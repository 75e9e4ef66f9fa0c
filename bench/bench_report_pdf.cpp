// Landscape A4 pages of 60 rows x 13 columns: the report engine (layout + PDF) against a
// bare QPainter::drawText loop over the same cells.
#include "printing/PdfOutput.h"
#include "printing/ReportEngine.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <ctime>

namespace {
// Process CPU time in ms: the machine may be shared, wall time alone would mislead.
qint64 cpuMs()
{
    return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? QByteArray(argv[1]).toInt() : 300;
    const int rowsPerPage = 60;

    ReportDefinition def;
    def.title = QStringLiteral("bench");
    def.heading = QStringLiteral("Situatia amortizarii mijloacelor fixe");
    def.rowSpacing = 1.0;
    def.columns.append({QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 8, Qt::AlignRight, {}, false, {}});
    def.columns.append({QStringLiteral("Numar de inventar"), 0, 16, Qt::AlignLeft, {}, false, {}});
    def.columns.append({QStringLiteral("Denumire produs"), 1, 40, Qt::AlignLeft, {}, false, {}});
    def.columns.append({QStringLiteral("Data folosinta"), 2, 14, Qt::AlignHCenter, {}, false, {}});
    for (int c = 0; c < 9; ++c)
        def.columns.append({QStringLiteral("Valoare %1").arg(c + 1), 3 + c, 18, Qt::AlignRight,
                            QStringLiteral("#,##0.00"), true, {}});
    // A group per 60 rows, each on its own page: exactly 60 detail rows on every page.
    ReportGroup page;
    page.keyField = 12;
    page.newPage = true;
    def.groups.append(page);
    QVector<ReportRow> rows;
    for (int i = 0; i < pages * rowsPerPage; ++i) {
        ReportRow r{QStringLiteral("INV%1").arg(i, 7, 10, QLatin1Char('0')),
                    QStringLiteral("Mașină de găurit în coordonate nr. %1").arg(i % 977),
                    QDate(2010 + i % 12, 1 + i % 12, 1 + i % 28)};
        for (int c = 0; c < 9; ++c)
            r.append((i * 7919 + c * 104729) % 10000000 / 100.0);
        r.append(i / rowsPerPage);
        rows.append(r);
    }
    PageSetup setup;
    setup.orientation = PrintSettings::Landscape;
    setup.fontSize = 6;

    QTemporaryDir dir;
    QTextStream out(stdout);

    QElapsedTimer t;
    t.start();
    qint64 cpu = cpuMs();
    ReportDocument doc = ReportEngine::build(def, rows, setup);
    const qint64 layoutMs = t.elapsed();
    const qint64 layoutCpu = cpuMs() - cpu;
    cpu = cpuMs();
    t.restart();
    PdfOutput::write(doc, dir.filePath(QStringLiteral("engine.pdf")));
    const qint64 paintMs = t.elapsed();
    const qint64 paintCpu = cpuMs() - cpu;
    cpu = cpuMs();

    // The same cells drawn by QPainter::drawText at the same baselines.
    t.restart();
    {
        QPdfWriter w(dir.filePath(QStringLiteral("bare.pdf")));
        w.setResolution(600);
        w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        QPainter p(&w);
        QFont f = setup.font();
        f.setPixelSize(qRound(f.pointSizeF() * 600 / 72.0));
        p.setFont(f);
        const double k = 600 / 25.4;
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (i)
                w.newPage();
            for (const ReportText &c : doc.pages[i].texts)
                p.drawText(QPointF(c.origin.x() * k, c.origin.y() * k), c.text);
        }
    }
    const qint64 bareMs = t.elapsed();
    const qint64 bareCpu = cpuMs() - cpu;

    const int n = doc.pageCount();
    int cells = 0;
    for (const ReportPage &pg : doc.pages)
        cells += int(pg.texts.size());
    out << "pages: " << n << ", texts: " << cells << "\n";
    auto line = [&](const char *what, qint64 wall, qint64 cpuTime) {
        out << QStringLiteral("%1 wall %2 ms (%3 pages/s), cpu %4 ms (%5 pages/s)\n")
                   .arg(QLatin1String(what), -22)
                   .arg(wall)
                   .arg(n * 1000.0 / std::max<qint64>(1, wall), 0, 'f', 0)
                   .arg(cpuTime)
                   .arg(n * 1000.0 / std::max<qint64>(1, cpuTime), 0, 'f', 0);
    };
    line("engine layout", layoutMs, layoutCpu);
    line("engine PDF painting", paintMs, paintCpu);
    line("engine total", layoutMs + paintMs, layoutCpu + paintCpu);
    line("bare drawText to PDF", bareMs, bareCpu);
    return 0;
}
