#include "cli/ReportOutput.h"

#include "app/ProtectedFiles.h"
#include "app/SafeFileWriter.h"
#include "app/Workstation.h"
#include "printing/CsvOutput.h"
#include "printing/PdfOutput.h"
#include "printing/ReportEngine.h"

#include <QDir>

namespace ReportOutput {

QString synopsis()
{
    return QStringLiteral("[--pdf FISIER] [--csv FISIER]");
}

bool takeOptions(QStringList &args, ReportOutputOptions &options, QTextStream &err)
{
    bool pdfGiven = false, csvGiven = false;
    for (int i = 0; i < args.size();) {
        const QString a = args[i];
        const bool pdf = a == QLatin1String("--pdf");
        if (!pdf && a != QLatin1String("--csv")) {
            ++i;
            continue;
        }
        bool &given = pdf ? pdfGiven : csvGiven;
        if (given) {
            err << QStringLiteral("Optiunea %1 este data de doua ori.\n").arg(a);
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].isEmpty() || args[i + 1].startsWith(QLatin1String("--"))) {
            err << QStringLiteral("Lipseste numele fisierului dupa %1.\n").arg(a);
            return false;
        }
        given = true;
        (pdf ? options.pdfPath : options.csvPath) = args[i + 1];
        args.remove(i, 2);
    }
    return true;
}

bool checkTargets(const ReportOutputOptions &options, QTextStream &err)
{
    if (!options.pdfPath.isEmpty() && !options.csvPath.isEmpty()
        && ProtectedFiles::sameFile(options.pdfPath, options.csvPath)) {
        err << QStringLiteral("Eroare: --pdf si --csv indica acelasi fisier %1.\n")
                   .arg(QDir::toNativeSeparators(options.csvPath));
        return false;
    }
    const Workstation workstation = Workstation::fromEnvironment();
    for (const QString &path : {options.pdfPath, options.csvPath}) {
        if (path.isEmpty())
            continue;
        const QString refusal = ProtectedFiles::refusal(path, options.dataDirectory, workstation);
        if (!refusal.isEmpty()) {
            err << QStringLiteral("Eroare: ") << refusal << '\n';
            return false;
        }
    }
    return true;
}

int writePdf(const ReportDocument &document, const QVector<int> &pages, const ReportOutputOptions &options,
             QTextStream &out, QTextStream &err)
{
    if (!checkTargets(options, err))
        return 1;
    QString error;
    if (!PdfOutput::write(document, options.pdfPath, pages, &error)) {
        err << QStringLiteral("Eroare: ") << error << '\n';
        return 1;
    }
    out << QStringLiteral("%1 pagini scrise in %2\n").arg(pages.size()).arg(options.pdfPath);
    return 0;
}

int writeCsv(const QString &text, qsizetype rows, const ReportOutputOptions &options, QTextStream &out,
             QTextStream &err)
{
    if (!checkTargets(options, err))
        return 1;
    QString error;
    if (!SafeFileWriter::writeFile(options.csvPath, text.toUtf8(), &error)) {
        err << QStringLiteral("Eroare: ") << error << '\n';
        return 1;
    }
    out << QStringLiteral("%1 randuri scrise in %2\n").arg(rows).arg(options.csvPath);
    return 0;
}

int write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const PrintSettings &settings,
          const ReportOutputOptions &options, QTextStream &out, QTextStream &err)
{
    if (!checkTargets(options, err))
        return 1;
    if (!options.pdfPath.isEmpty()) {
        // No printer here: the margins are the settings' own, nothing to raise them to.
        const ReportDocument document = ReportEngine::build(definition, rows, PageSetup::fromSettings(settings));
        const QVector<int> pages = PdfOutput::outputPages(document.pageCount(), settings.firstPage,
                                                          settings.lastPage, 1);
        if (const int code = writePdf(document, pages, options, out, err))
            return code;
    }
    if (!options.csvPath.isEmpty())
        return writeCsv(CsvOutput::toText(definition, rows), rows.size(), options, out, err);
    return 0;
}

} // namespace ReportOutput
