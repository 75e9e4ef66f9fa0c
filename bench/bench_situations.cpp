// The four depreciation situations on a demo register: the data phase (stock at the date
// through the lines ready to print) next to a bare SQLite aggregate over the same entry and
// exit lines, and the PDF of the first situation in pages per second.
//   bench_situations [ASSETS] [DIR]   (default 100000; DIR is made with `tessaro demo`
//   when it holds no register yet, else reused)
#include "app/NationalFormats.h"
#include "app/Parameters.h"
#include "app/Workstation.h"
#include "db/Database.h"
#include "documents/StockAtDate.h"
#include "printing/PageSetup.h"
#include "printing/PdfOutput.h"
#include "printing/PrintSettings.h"
#include "reports/DemoRegister.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationReport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
// Process CPU time in ms: the machine may be shared, wall time alone would mislead.
double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

struct Span
{
    double wall = 0;
    double cpu = 0;
};

template <typename F>
Span measure(F &&f)
{
    QElapsedTimer t;
    const double c = cpuMs();
    t.start();
    f();
    return {double(t.nsecsElapsed()) / 1e6, cpuMs() - c};
}

// Best of a few runs: the first run also warms the page cache.
template <typename F>
Span best(int runs, F &&f)
{
    Span b{1e18, 1e18};
    for (int i = 0; i < runs; ++i) {
        const Span s = measure(f);
        b.wall = std::min(b.wall, s.wall);
        b.cpu = std::min(b.cpu, s.cpu);
    }
    return b;
}

// What a report cannot do with less: every entry and exit line registered by the date
// read once and summed per stock key, the sums read back.
qlonglong bareAggregate(Database &db, const QDate &date)
{
    qlonglong rows = 0;
    for (const char *sql :
         {"SELECT L.\"Cod_gestiune\", L.\"Cod_grupa\", L.\"Cod_articol\", L.\"Pret_achizitie_lei\", L.\"Agent\", "
          "SUM(L.\"Cantitate\") FROM \"Item_in\" L JOIN \"Doc_in\" D ON D.\"Contor\" = L.\"Contor\" "
          "WHERE D.\"Data_inregistrarii\" <= :date OR D.\"Data_inregistrarii\" IS NULL GROUP BY 1, 2, 3, 4, 5",
          "SELECT L.\"Cod_gestiune\", L.\"Cod_grupa\", L.\"Cod_articol\", L.\"Pret_achizitie\", L.\"Agent\", "
          "SUM(L.\"Cantitate\") FROM \"Item_out\" L JOIN \"Doc_out\" D ON D.\"Contor\" = L.\"Contor\" "
          "WHERE D.\"Data_inregistrarii\" <= :date GROUP BY 1, 2, 3, 4, 5"}) {
        QSqlQuery q(db.connection());
        q.setForwardOnly(true);
        q.prepare(QString::fromUtf8(sql));
        q.bindValue(QStringLiteral(":date"), date.toString(Qt::ISODate));
        q.exec();
        while (q.next())
            rows += q.value(5).toDouble() != 0 ? 1 : 0;
    }
    return rows;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int assets = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir temp;
    if (qEnvironmentVariableIsEmpty("TESSARO_HOME"))
        qputenv("TESSARO_HOME", QFile::encodeName(temp.filePath(QStringLiteral("home"))));
    const QString dataDir = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                     : temp.filePath(QStringLiteral("demo%1").arg(assets));
    const QString dir = QDir::cleanPath(QDir(dataDir).absolutePath()) + QLatin1Char('/');

    if (!QFileInfo(dir + Database::fileName()).isFile()) {
        std::printf("making the demo register of %d assets in %s\n", assets, qPrintable(dir));
        std::fflush(stdout);
        QProcess demo;
        demo.setProcessChannelMode(QProcess::ForwardedChannels);
        demo.start(QStringLiteral(TESSARO_BINARY),
                   {QStringLiteral("demo"), dir, QStringLiteral("--assets"), QString::number(assets)});
        if (!demo.waitForFinished(-1) || demo.exitCode() != 0)
            return 1;
    }

    Parameters parameters;
    NationalFormats formats;
    if (QFileInfo::exists(Parameters::filePath(dir)))
        parameters.load(dir, formats);
    Database db(dir, Workstation::fromEnvironment());
    db.open();

    // The last day of the month before the demo's "today": a full month to depreciate.
    const QDate date = DemoRegister::defaultToday().addDays(-DemoRegister::defaultToday().day());
    auto count = [&](const char *sql) {
        QSqlQuery q = db.run(QString::fromUtf8(sql));
        return q.next() ? q.value(0).toLongLong() : 0;
    };
    std::printf("entry lines %lld, exit lines %lld, date %s, lots %s\n", count("SELECT COUNT(*) FROM \"Item_in\""),
                count("SELECT COUNT(*) FROM \"Item_out\""), qPrintable(date.toString(Qt::ISODate)),
                parameters.lot ? "yes" : "no");

    constexpr int runs = 3;
    const Span bare = best(runs, [&] { bareAggregate(db, date); });
    std::printf("\n%-40s %10s %10s %10s %8s %8s\n", "data phase (best of 3)", "wall ms", "cpu ms", "stock ms",
                "lines", "x bare");
    std::printf("%-40s %10.0f %10.0f %10s %8s %8s\n", "bare SQLite aggregate", bare.wall, bare.cpu, "", "", "1.0");

    const SituationKind kinds[] = {SituationKind::AtDate, SituationKind::ByAccount, SituationKind::Summary,
                                   SituationKind::SummaryByAccount};
    QVector<ReportRow> firstLines;
    for (SituationKind kind : kinds) {
        QVector<ReportRow> lines;
        Span stockBest{1e18, 1e18};
        const Span s = best(runs, [&] {
            StockAtDate stock(db, parameters.lot);
            const Span st = measure([&] { stock.build(date, {}); });
            stockBest.wall = std::min(stockBest.wall, st.wall);
            DepreciationSituation situation(db);
            DepreciationSituation::Options o;
            o.date = date;
            o.epsilon = parameters.epsilon;
            lines = situation.build(kind, o);
            // The lines the summaries print are part of what a report gets ready.
            if (SituationKinds::isSummary(kind))
                lines = SituationReport::printedLines(kind, lines);
            situation.dropAnswerTable();
            stock.drop();
        });
        std::printf("%-40s %10.0f %10.0f %10.0f %8lld %8.1f\n", qPrintable(SituationKinds::commandName(kind)),
                    s.wall, s.cpu, stockBest.wall, qlonglong(lines.size()), s.wall / std::max(1.0, bare.wall));
        if (kind == SituationKind::AtDate)
            firstLines = lines;
    }

    SituationReport::Header header;
    header.date = date;
    header.printed = DemoRegister::defaultToday();
    PrintSettings settings;
    settings.applyPreset(PrintSettings::Landscape);
    int pages = 0;
    const Span layout = measure([&] {
        const ReportDocument document = SituationReport::document(SituationKind::AtDate, header, firstLines,
                                                                  PageSetup::fromSettings(settings));
        pages = document.pageCount();
        const Span paint = measure([&] { PdfOutput::write(document, temp.filePath(QStringLiteral("s.pdf"))); });
        std::printf("\nPDF of %s: %d pages, PDF writing %.0f ms\n",
                    qPrintable(SituationKinds::commandName(SituationKind::AtDate)), pages, paint.wall);
    });
    std::printf("PDF layout + writing: wall %.0f ms (%.0f pages/s), cpu %.0f ms (%.0f pages/s)\n", layout.wall,
                pages * 1000.0 / std::max(1.0, layout.wall), layout.cpu, pages * 1000.0 / std::max(1.0, layout.cpu));
    return 0;
}
