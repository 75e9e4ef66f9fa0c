#include "cli/ReportOutput.h"

#include "printing/CsvOutput.h"
#include "printing/PdfOutput.h"
#include "printing/ReportEngine.h"

namespace ReportOutput {

QString synopsis()
{
    return QStringLiteral("[--pdf FISIER] [--csv FISIER]");
}

bool takeOptions(QStringList &args, ReportOutputOptions &options, QTextStream &err)
{
    for (int i = 0; i < args.size();) {
        const QString &a = args[i];
        QString *target = a == QLatin1String("--pdf") ? &options.pdfPath
                          : a == QLatin1String("--csv") ? &options.csvPath
                                                        : nullptr;
        if (!target) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].isEmpty() || args[i + 1].startsWith(QLatin1String("--"))) {
            err << QStringLiteral("Lipseste numele fisierului dupa %1.\n").arg(a);
            return false;
        }
        *target = args[i + 1];
        args.remove(i, 2);
    }
    return true;
}

int write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const PrintSettings &settings,
          const ReportOutputOptions &options, QTextStream &err)
{
    QString error;
    if (!options.pdfPath.isEmpty()) {
        // No printer here: the margins are the settings' own, nothing to raise them to.
        const ReportDocument document = ReportEngine::build(definition, rows, PageSetup::fromSettings(settings));
        const QVector<int> pages = PdfOutput::outputPages(document.pageCount(), settings.firstPage,
                                                          settings.lastPage, 1);
        if (!PdfOutput::write(document, options.pdfPath, pages, &error)) {
            err << error << '\n';
            return 1;
        }
    }
    if (!options.csvPath.isEmpty() && !CsvOutput::write(definition, rows, options.csvPath, &error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace ReportOutput
