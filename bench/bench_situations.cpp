// The report commands as whole processes on a demo register, each next to a bare
// `sqlite3` aggregate of the same entry and exit lines measured in the same run: wall
// time (best of N, the runs interleaved so that the machine's noise falls on all alike),
// the ratio to the bare aggregate and the peak memory of the child (getrusage).
//   bench_situations [ASSETS] [DIR] [--runs N] [--pdf] [--binary PATH]
// DIR (default a temporary folder) is made with `tessaro demo` when it holds no register
// yet; that run is the `demo` row. ASSETS defaults to 100000. --pdf adds the PDF of the
// first situation (pages per second). --binary measures another build of the program.
#include "app/Workstation.h"
#include "db/Database.h"
#include "db/SqliteDialect.h"
#include "db/TVTables.h"
#include "reports/DemoRegister.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double wallMs = 0;
    double cpuMs = 0; // user + system of the child
    double peakMb = 0;
    int status = -1;
    QByteArray output;
};

// Runs argv with stdout into `outputFile` (or /dev/null) and stderr passed through.
Run runChild(const QStringList &argv, const QString &outputFile = QString())
{
    std::vector<std::string> strings;
    for (const QString &a : argv)
        strings.push_back(QFile::encodeName(a).toStdString());
    std::vector<char *> args;
    for (std::string &s : strings)
        args.push_back(s.data());
    args.push_back(nullptr);
    const std::string out = outputFile.isEmpty() ? std::string("/dev/null") : QFile::encodeName(outputFile).toStdString();

    QElapsedTimer t;
    t.start();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::close(fd);
        }
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    Run r;
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return r;
    r.wallMs = double(t.nsecsElapsed()) / 1e6;
    r.peakMb = double(usage.ru_maxrss) / 1024.0;
    r.cpuMs = (double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
               + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!outputFile.isEmpty()) {
        QFile f(outputFile);
        if (f.open(QIODevice::ReadOnly))
            r.output = f.readAll();
    }
    return r;
}

struct Row
{
    QString name;
    QStringList argv;
    bool recalcBaseline = false; // compared with the bare INSERT ... SELECT, not the bare aggregate
    double best = 1e18;
    double bestCpu = 1e18;
    double peak = 0;
    int failures = 0;
    QByteArray lastOutput;

    Row(const QString &n, const QStringList &a, bool recalc = false) : name(n), argv(a), recalcBaseline(recalc) {}
};

void measure(Row &row, const QString &outputFile)
{
    const Run r = runChild(row.argv, outputFile);
    if (r.status != 0) {
        ++row.failures;
        return;
    }
    row.best = std::min(row.best, r.wallMs);
    row.bestCpu = std::min(row.bestCpu, r.cpuMs);
    row.peak = std::max(row.peak, r.peakMb);
    row.lastOutput = r.output;
}

// What a report cannot do with less: every entry and exit line registered by the date
// read once and summed per stock key, the sums written out.
QString bareAggregateSql(const QDate &date)
{
    const QString d = date.toString(Qt::ISODate);
    return QStringLiteral(
               "SELECT L.\"Cod_gestiune\", L.\"Cod_grupa\", L.\"Cod_articol\", L.\"Pret_achizitie_lei\", L.\"Agent\", "
               "SUM(L.\"Cantitate\") FROM \"Item_in\" L JOIN \"Doc_in\" D ON D.\"Contor\" = L.\"Contor\" "
               "WHERE D.\"Data_inregistrarii\" <= '%1' OR D.\"Data_inregistrarii\" IS NULL GROUP BY 1, 2, 3, 4, 5;"
               "SELECT L.\"Cod_gestiune\", L.\"Cod_grupa\", L.\"Cod_articol\", L.\"Pret_achizitie\", L.\"Agent\", "
               "SUM(L.\"Cantitate\") FROM \"Item_out\" L JOIN \"Doc_out\" D ON D.\"Contor\" = L.\"Contor\" "
               "WHERE D.\"Data_inregistrarii\" <= '%1' GROUP BY 1, 2, 3, 4, 5;")
        .arg(d);
}

// The recalculation's floor: the same grouping of every line into a table laid out as
// `Stoc` (its key included), rolled back.
QString bareRecalcSql()
{
    TVTable stoc = *TVTables::find(QStringLiteral("Stoc"));
    stoc.setName(QStringLiteral("BareStoc.DB"));
    QString sql = QStringLiteral("BEGIN;");
    for (const QString &s : SqliteDialect().createTable(stoc, QString()))
        sql += s + QLatin1Char(';');
    sql += QStringLiteral(
        "INSERT INTO \"BareStoc\" SELECT g, c, a, p, l, ag, SUM(q), MAX(b) FROM ("
        "SELECT I.\"Cod_gestiune\" g, I.\"Cod_grupa\" c, I.\"Cod_articol\" a, I.\"Pret_achizitie_lei\" p, I.\"Lot\" l, "
        "I.\"Agent\" ag, I.\"Cantitate\" q, I.\"Cod_bare\" b FROM \"Item_in\" I JOIN \"Doc_in\" D ON D.\"Contor\" = I.\"Contor\" "
        "UNION ALL SELECT O.\"Cod_gestiune\", O.\"Cod_grupa\", O.\"Cod_articol\", O.\"Pret_achizitie\", O.\"Lot\", "
        "O.\"Agent\", -O.\"Cantitate\", NULL FROM \"Item_out\" O JOIN \"Doc_out\" D ON D.\"Contor\" = O.\"Contor\") "
        "GROUP BY 1, 2, 3, 4, 5, 6;ROLLBACK;");
    return sql;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int runs = 3;
    bool pdf = false;
    QString binary = QStringLiteral(TESSARO_BINARY);
    for (int i = 0; i < args.size();) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            runs = std::max(1, args[i + 1].toInt());
            args.remove(i, 2);
        } else if (args[i] == QLatin1String("--binary") && i + 1 < args.size()) {
            binary = args[i + 1];
            args.remove(i, 2);
        } else if (args[i] == QLatin1String("--pdf")) {
            pdf = true;
            args.remove(i);
        } else {
            ++i;
        }
    }
    const int assets = !args.isEmpty() ? args[0].toInt() : 100000;
    QTemporaryDir temp;
    const QString dataDir = args.size() > 1 ? args[1] : temp.filePath(QStringLiteral("demo%1").arg(assets));
    const QString dir = QDir::cleanPath(QDir(dataDir).absolutePath()) + QLatin1Char('/');
    // A workstation of the bench's own: its private answer file and INI.
    const QString home = temp.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    qputenv("TESSARO_HOME", QFile::encodeName(home));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString runtime = temp.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));

    Row demo(QStringLiteral("demo --assets %1").arg(assets),
             {binary, QStringLiteral("demo"), dir, QStringLiteral("--assets"), QString::number(assets)});
    if (!QFileInfo(dir + Database::fileName()).isFile()) {
        std::printf("making the demo register of %d assets in %s\n", assets, qPrintable(dir));
        std::fflush(stdout);
        measure(demo, QString());
        if (demo.failures)
            return 1;
    }
    const QString file = dir + Database::fileName();

    // The last day of the month before the demo's "today": a full month to depreciate.
    const QDate date = DemoRegister::defaultToday().addDays(-DemoRegister::defaultToday().day());
    const QString isoDate = date.toString(Qt::ISODate);
    const QString csv = temp.filePath(QStringLiteral("out.csv"));

    Row bare(QStringLiteral("bare sqlite3 aggregate"), {QStringLiteral("sqlite3"), file, bareAggregateSql(date)});
    Row bareRecalc(QStringLiteral("bare sqlite3 INSERT ... SELECT"), {QStringLiteral("sqlite3"), file, bareRecalcSql()});
    QList<Row> rows;
    for (const char *kind : {"situatia-amortizarii", "situatia-amortizarii-pe-conturi", "centralizator-amortizari",
                             "centralizator-amortizari-pe-conturi"})
        rows.append(Row(QStringLiteral("report %1 --csv").arg(QLatin1String(kind)),
                     {binary, QStringLiteral("report"), QLatin1String(kind), QStringLiteral("--data"), dir,
                      QStringLiteral("--date"), isoDate, QStringLiteral("--csv"), csv}));
    rows.append(Row(QStringLiteral("stock-at --csv"),
                 {binary, QStringLiteral("stock-at"), QStringLiteral("--data"), dir, QStringLiteral("--date"), isoDate,
                  QStringLiteral("--csv"), csv}));
    rows.append(Row(QStringLiteral("recalc"), {binary, QStringLiteral("recalc"), QStringLiteral("--data"), dir}, true));
    if (pdf)
        rows.append(Row(QStringLiteral("report situatia-amortizarii --pdf"),
                     {binary, QStringLiteral("report"), QStringLiteral("situatia-amortizarii"), QStringLiteral("--data"),
                      dir, QStringLiteral("--date"), isoDate, QStringLiteral("--pdf"),
                      temp.filePath(QStringLiteral("out.pdf"))}));

    const QString stdoutFile = temp.filePath(QStringLiteral("stdout.txt"));
    for (int r = 0; r < runs; ++r) {
        measure(bare, QString());
        measure(bareRecalc, QString());
        for (Row &row : rows)
            measure(row, stdoutFile);
    }

    std::printf("\n%s: %d assets, report date %s, binary %s, best of %d\n", qPrintable(dir), assets,
                qPrintable(isoDate), qPrintable(binary), runs);
    // The CPU time is steadier than the wall time on a shared machine: both are shown.
    std::printf("%-52s %10s %8s %10s %8s %10s\n", "command", "wall ms", "x bare", "cpu ms", "x bare", "peak MB");
    auto print = [](const Row &row, const Row &base) {
        if (row.failures && row.best > 1e17) {
            std::printf("%-52s %10s\n", qPrintable(row.name), "FAILED");
            return;
        }
        std::printf("%-52s %10.0f %8.2f %10.0f %8.2f %10.0f%s\n", qPrintable(row.name), row.best,
                    row.best / std::max(1.0, base.best), row.bestCpu, row.bestCpu / std::max(1.0, base.bestCpu),
                    row.peak, row.failures ? "  (some runs failed)" : "");
    };
    print(bare, bare);
    print(bareRecalc, bareRecalc);
    for (const Row &row : rows)
        print(row, row.recalcBaseline ? bareRecalc : bare);
    if (demo.best < 1e17)
        print(demo, bare);
    if (pdf) {
        const Row &p = rows.last();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d+) pagini")).match(QString::fromUtf8(p.lastOutput));
        if (m.hasMatch())
            std::printf("PDF: %s pages, %.0f pages/s\n", qPrintable(m.captured(1)),
                        m.captured(1).toDouble() * 1000.0 / std::max(1.0, p.best));
    }
    return 0;
}
