#include "cli/ReportCommand.h"

#include "app/ProtectedFiles.h"
#include "app/SafeFileWriter.h"
#include "app/Workstation.h"
#include "cli/ReportOutput.h"
#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "documents/StockAtDate.h"
#include "printing/PdfOutput.h"
#include "printing/PrintedTotals.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationCsv.h"
#include "reports/SituationReport.h"

#include <QDate>
#include <QDir>

namespace {

QString synopsis()
{
    return QStringLiteral("NUME --data DIR --date AAAA-LL-ZZ [--units A1,B2] [--budget COD] [--only-undepreciated] ")
           + ReportOutput::synopsis() + QStringLiteral(" [--totals-csv FISIER]");
}

QString usage()
{
    return QStringLiteral("Utilizare: tessaro report %1\nNUME: %2\n")
        .arg(synopsis(), SituationKinds::commandNames().join(QStringLiteral(", ")));
}

int runReport(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList args = arguments;
    SituationKind kind;
    if (args.isEmpty() || !SituationKinds::fromCommandName(args.first(), kind)) {
        err << QStringLiteral("Raport necunoscut: %1\n").arg(args.value(0)) << usage();
        return 2;
    }
    args.removeFirst();
    const bool only = args.removeAll(QStringLiteral("--only-undepreciated")) > 0;
    ReportOutputOptions output;
    if (!ReportOutput::takeOptions(args, output, err)) {
        err << usage();
        return 2;
    }
    const QString data = QStringLiteral("--data"), dateOption = QStringLiteral("--date"),
                  unitsOption = QStringLiteral("--units"), budgetOption = QStringLiteral("--budget"),
                  totalsOption = QStringLiteral("--totals-csv");
    QMap<QString, QString> options;
    if (!StockCommandSupport::takeOptions(args, {data, dateOption, unitsOption, budgetOption, totalsOption}, options,
                                          err)
        || !options.contains(data) || !options.contains(dateOption)) {
        err << usage();
        return 2;
    }
    // The printout's totals lines (group, unit and general totals, main-group breakdowns).
    ReportOutputOptions totals;
    totals.csvPath = options.value(totalsOption);
    if (output.isEmpty() && totals.csvPath.isEmpty()) {
        err << QStringLiteral("Indicati --pdf FISIER sau --csv FISIER.\n");
        return 2;
    }
    const QDate date = StockCommandSupport::takeDate(options.value(dateOption), err);
    if (!date.isValid())
        return 2;
    const QStringList units = StockCommandSupport::splitUnits(options.value(unitsOption));
    output.dataDirectory = StockCommandSupport::directoryOf(options.value(data));
    totals.dataDirectory = output.dataDirectory;
    if (!ReportOutput::checkTargets(output, err) || !ReportOutput::checkTargets(totals, err))
        return 1;
    for (const QString &other : {output.pdfPath, output.csvPath})
        if (!totals.csvPath.isEmpty() && !other.isEmpty() && ProtectedFiles::sameFile(other, totals.csvPath)) {
            err << QStringLiteral("Eroare: --totals-csv indica acelasi fisier ca --pdf sau --csv: %1.\n")
                       .arg(QDir::toNativeSeparators(totals.csvPath));
            return 1;
        }

    Parameters parameters;
    const auto db = StockCommandSupport::open(options.value(data), parameters, err);
    if (!db)
        return 1;

    SituationReport::Header header;
    header.date = date;
    header.printed = QDate::currentDate();
    header.onlyUndepreciated = only;
    DepreciationSituation situation(*db);
    DepreciationSituation::Options o;
    o.date = date;
    o.units = units;
    o.onlyUndepreciated = only;
    o.epsilon = parameters.epsilon;
    o.withLots = parameters.lot;
    // The printout needs its lines laid out; the CSV alone streams them to the file.
    const bool laidOut = !output.pdfPath.isEmpty() || !totals.csvPath.isEmpty();
    QVector<ReportRow> lines;
    try {
        o.budget = options.value(budgetOption);
        if (!situation.readHeader(parameters.firmNo, o.budget, header)) {
            err << QStringLiteral("Eroare: Bugetul <%1> nu exista!\n").arg(o.budget);
            return 1;
        }
        if (laidOut) {
            bool documents = false;
            lines = situation.build(kind, o, &documents);
            if (!documents) {
                err << StockAtDate::noDocumentsText() << '\n';
                return 1;
            }
        }
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.reportText() << '\n';
        return 1;
    }

    PrintSettings settings;
    settings.load(Workstation::fromEnvironment().iniPath());
    settings.applyPreset(PrintSettings::Landscape);
    ReportDocument document;
    if (laidOut)
        document = SituationReport::document(kind, header, lines, PageSetup::fromSettings(settings));
    if (!output.pdfPath.isEmpty()) {
        if (const int code = ReportOutput::writePdf(
                document, PdfOutput::outputPages(document.pageCount(), 0, 0, 1), output, out, err))
            return code;
    }
    if (!output.csvPath.isEmpty()) {
        if (!ReportOutput::checkTargets(output, err))
            return 1;
        SafeFileWriter file(output.csvPath);
        if (!file.open()) {
            err << QStringLiteral("Eroare: ") << file.error() << '\n';
            return 1;
        }
        SituationCsv::Outcome written;
        try {
            written = SituationCsv::write(*db, kind, o, file);
        } catch (const DbError &e) {
            err << QStringLiteral("Eroare: ") << e.reportText() << '\n';
            return 1;
        }
        if (!written.documents) {
            file.discard();
            err << StockAtDate::noDocumentsText() << '\n';
            return 1;
        }
        if (!file.commit()) {
            err << QStringLiteral("Eroare: ") << file.error() << '\n';
            return 1;
        }
        out << QStringLiteral("%1 randuri scrise in %2\n").arg(written.lines).arg(output.csvPath);
    }
    if (!totals.csvPath.isEmpty()) {
        const QStringList amounts{QStringLiteral("Valoare"), QStringLiteral("ValoareAmortizata"),
                                  QStringLiteral("AmortizareLunara"), QStringLiteral("AmortizareCalculata"),
                                  QStringLiteral("ValoareRamasa")};
        return ReportOutput::writeCsv(PrintedTotals::csv(document, amounts), PrintedTotals::read(document).size(),
                                      totals, out, err);
    }
    return 0;
}

} // namespace

CliCommand reportCommand()
{
    return {QStringLiteral("report"), synopsis(), QStringLiteral("situatiile amortizarii la o data (PDF si CSV)"),
            runReport};
}
