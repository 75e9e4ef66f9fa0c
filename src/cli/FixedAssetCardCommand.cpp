#include "cli/FixedAssetCardCommand.h"

#include "app/Workstation.h"
#include "cli/ReportOutput.h"
#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "printing/CsvOutput.h"
#include "printing/FixedAssetCardPrint.h"
#include "printing/PdfOutput.h"

namespace FixedAssetCardCommand {

namespace {

QString usage()
{
    return QStringLiteral("Utilizare: tessaro print %1\n").arg(synopsis());
}

bool number(const QString &text, double &value, QTextStream &err)
{
    bool ok = false;
    value = text.toDouble(&ok);
    if (!ok)
        err << QStringLiteral("Eroare: <%1> nu este un numar de inregistrare.\n").arg(text);
    return ok;
}

} // namespace

QString synopsis()
{
    return QStringLiteral("fisa --data DIR (--contor C --secundar S | --article INV) --date YYYY-MM-DD ")
           + ReportOutput::synopsis();
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList args = arguments;
    ReportOutputOptions output;
    if (!ReportOutput::takeOptions(args, output, err)) {
        err << usage();
        return 2;
    }
    const QString data = QStringLiteral("--data"), contor = QStringLiteral("--contor"),
                  secundar = QStringLiteral("--secundar"), article = QStringLiteral("--article"),
                  dateOption = QStringLiteral("--date");
    QMap<QString, QString> options;
    if (!StockCommandSupport::takeOptions(args, {data, contor, secundar, article, dateOption}, options, err)
        || !options.contains(data) || !options.contains(dateOption)
        || options.contains(article) == (options.contains(contor) || options.contains(secundar))
        || options.contains(contor) != options.contains(secundar)) {
        err << usage();
        return 2;
    }
    if (output.isEmpty()) {
        err << QStringLiteral("Indicati --pdf FISIER sau --csv FISIER.\n");
        return 2;
    }
    const QDate date = StockCommandSupport::takeDate(options.value(dateOption), err);
    if (!date.isValid())
        return 2;
    EntryLineKey key;
    if (options.contains(contor)
        && (!number(options.value(contor), key.contor, err) || !number(options.value(secundar), key.contorSecundar, err)))
        return 2;
    Parameters parameters;
    const auto db = StockCommandSupport::openForOutput(options.value(data), output, parameters, err);
    if (!db)
        return 1;

    std::optional<FixedAssetCardPrint> printout;
    try {
        if (options.contains(article)) {
            const auto line = FixedAssetCards::lineOfArticle(*db, options.value(article));
            if (!line) {
                err << QStringLiteral("Eroare: ") << FixedAssetCards::locatingError() << '\n';
                return 1;
            }
            key = *line;
        }
        auto card = FixedAssetCards::load(*db, key, date);
        if (!card) {
            err << QStringLiteral("Eroare: ") << FixedAssetCards::locatingError() << '\n';
            return 1;
        }
        printout.emplace(QVector<FixedAssetCard>{*card}, parameters.nrZecimaleLei);
        printout->loadOrganisation(*db, parameters.firmNo);
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.reportText() << '\n';
        return 1;
    }

    if (!output.pdfPath.isEmpty()) {
        PrintSettings settings;
        settings.load(Workstation::fromEnvironment().iniPath());
        settings.applyPreset(PrintSettings::Portrait);
        const ReportDocument pages = printout->document(PageSetup::fromSettings(settings));
        if (const int code = ReportOutput::writePdf(pages, PdfOutput::outputPages(pages.pageCount(), 0, 0, 1), output,
                                                    out, err))
            return code;
    }
    if (!output.csvPath.isEmpty()) {
        const QVector<ReportRow> rows = printout->rows();
        return ReportOutput::writeCsv(CsvOutput::toText(FixedAssetCardPrint::csvDefinition(), rows), rows.size(), output,
                                      out, err);
    }
    return 0;
}

} // namespace FixedAssetCardCommand
