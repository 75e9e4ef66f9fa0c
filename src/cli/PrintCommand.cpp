#include "cli/PrintCommand.h"

#include "app/NumberFormat.h"
#include "app/Workstation.h"
#include "cli/FixedAssetCardCommand.h"
#include "cli/ReceptionNoteCsv.h"
#include "cli/ReportOutput.h"
#include "cli/StockCommandSupport.h"
#include "db/DbError.h"
#include "documents/ReceptionNote.h"
#include "printing/CsvOutput.h"
#include "printing/ExitPrintFiles.h"
#include "printing/MovementNote.h"
#include "printing/PdfOutput.h"
#include "printing/ProposalList.h"
#include "printing/ScrappingList.h"

#include <functional>

namespace {

const QString kReception = QStringLiteral("nota-receptie");
const QString kMovement = QStringLiteral("bon-de-miscare");
const QString kScrapping = QStringLiteral("lista-casari");
const QString kProposal = QStringLiteral("propunere-casare");

QString synopsis()
{
    return QStringLiteral("DOCUMENT --data DIR --contor N [--comment] ") + ReportOutput::synopsis();
}

QString usage()
{
    return QStringLiteral("Utilizare: tessaro print %1\nDOCUMENT: %2, %3, %4, %5 (--comment numai pentru %4)\n"
                          "          tessaro print %6\n")
        .arg(synopsis(), kReception, kMovement, kScrapping, kProposal, FixedAssetCardCommand::synopsis());
}

// What one document gives the output: its pages and its printed lines.
struct Printout
{
    std::function<ReportDocument(const PageSetup &)> document;
    ReportDefinition csvDefinition;
    QVector<ReportRow> csvRows;
    PrintSettings::Orientation orientation = PrintSettings::Landscape;
};

QString goneText(bool entry, double contor)
{
    return QStringLiteral("Eroare: Documentul de %1 cu numarul de inregistrare %2 nu exista!\n")
        .arg(entry ? QStringLiteral("intrare") : QStringLiteral("iesire"), formatNumber(contor, QString()));
}

int runPrint(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QStringList args = arguments;
    const QString document = args.value(0);
    if (document == QLatin1String("fisa"))
        return FixedAssetCardCommand::run(args.mid(1), out, err);
    if (document != kReception && document != kMovement && document != kScrapping && document != kProposal) {
        err << QStringLiteral("Document necunoscut: %1\n").arg(document) << usage();
        return 2;
    }
    args.removeFirst();
    const bool comment = args.removeAll(QStringLiteral("--comment")) > 0;
    if (comment && document != kScrapping) {
        err << QStringLiteral("Argument necunoscut: --comment\n") << usage();
        return 2;
    }
    ReportOutputOptions output;
    if (!ReportOutput::takeOptions(args, output, err)) {
        err << usage();
        return 2;
    }
    const QString data = QStringLiteral("--data"), contorOption = QStringLiteral("--contor");
    QMap<QString, QString> options;
    if (!StockCommandSupport::takeOptions(args, {data, contorOption}, options, err) || !options.contains(data)
        || !options.contains(contorOption)) {
        err << usage();
        return 2;
    }
    if (output.isEmpty()) {
        err << QStringLiteral("Indicati --pdf FISIER sau --csv FISIER.\n");
        return 2;
    }
    bool number = false;
    const double contor = options.value(contorOption).toDouble(&number);
    if (!number) {
        err << QStringLiteral("Eroare: <%1> nu este un numar de inregistrare.\n").arg(options.value(contorOption));
        return 2;
    }
    Parameters parameters;
    const auto db = StockCommandSupport::openForOutput(options.value(data), output, parameters, err);
    if (!db)
        return 1;

    // Loaded once and kept for the layout: the PDF and the CSV show the same lines.
    ReceptionNote reception(*db, parameters.nrZecimaleLei);
    MovementNote movement(*db, parameters.firmNo, parameters.nrZecimaleLei);
    ScrappingList scrapping(*db, parameters.firmNo);
    ProposalList proposal(*db, parameters.firmNo);
    Printout printout;
    try {
        if (document == kReception) {
            if (!reception.load(contor)) {
                err << goneText(true, contor);
                return 1;
            }
            printout.orientation = PrintSettings::Portrait;
            printout.document = [&](const PageSetup &page) { return reception.document(page); };
            printout.csvDefinition = ReceptionNoteCsv::definition();
            printout.csvRows = ReceptionNoteCsv::rows(*db, reception);
        } else if (document == kMovement) {
            if (!movement.load(contor)) {
                err << goneText(false, contor);
                return 1;
            }
            printout.document = [&](const PageSetup &page) { return movement.document(page, false); };
            printout.csvDefinition = MovementNote::csvDefinition();
            printout.csvRows = movement.rows();
        } else if (document == kProposal) {
            if (!proposal.load(contor)) {
                err << QStringLiteral("Eroare: Propunerea de casare cu numarul de inregistrare %1 nu exista!\n")
                           .arg(formatNumber(contor, QString()));
                return 1;
            }
            printout.document = [&](const PageSetup &page) { return proposal.document(page); };
            printout.csvDefinition = ProposalList::csvDefinition();
            printout.csvRows = proposal.rows();
        } else {
            if (!scrapping.load(contor)) {
                err << goneText(false, contor);
                return 1;
            }
            ExitPrintFiles files(db->dataDirectory());
            files.load();
            const QString closingText = files.closingText();
            printout.document = [&scrapping, comment, closingText](const PageSetup &page) {
                return scrapping.document(page, comment, closingText);
            };
            printout.csvDefinition = ScrappingList::csvDefinition();
            printout.csvRows = scrapping.rows();
        }
    } catch (const DbError &e) {
        err << QStringLiteral("Eroare: ") << e.userText() << '\n';
        return 1;
    }

    if (!output.pdfPath.isEmpty()) {
        PrintSettings settings;
        settings.load(Workstation::fromEnvironment().iniPath());
        settings.applyPreset(printout.orientation);
        const ReportDocument pages = printout.document(PageSetup::fromSettings(settings));
        if (const int code = ReportOutput::writePdf(pages, PdfOutput::outputPages(pages.pageCount(), 0, 0, 1), output,
                                                    out, err))
            return code;
    }
    if (!output.csvPath.isEmpty())
        return ReportOutput::writeCsv(CsvOutput::toText(printout.csvDefinition, printout.csvRows),
                                      printout.csvRows.size(), output, out, err);
    return 0;
}

} // namespace

CliCommand printCommand()
{
    return {QStringLiteral("print"), synopsis(),
            QStringLiteral("nota de receptie, bonul de miscare, lista casarilor unui document, o propunere de casare sau fisa mijlocului fix (PDF si CSV)"),
            runPrint};
}
