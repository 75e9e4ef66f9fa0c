#include "printing/forms/ExitDocumentPrint.h"

#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/Status.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "printing/ExitPrintOptions.h"
#include "printing/MovementNote.h"
#include "printing/PrintContext.h"
#include "printing/ScrappingList.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TPrintOptionsDlg.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QApplication>

namespace {

// Hourglass while a printout reads its data; restored on every way out.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QString goneText(double contor)
{
    return QStringLiteral("Documentul de iesire cu numarul de inregistrare %1 nu mai exista!")
        .arg(formatNumber(contor, QString()));
}

// The calling order of every exit printout: preset, print dialog, then read and output.
template <typename Printout, typename Build>
bool run(QWidget *parent, PrintContext &print, Messages &messages, Printout &printout, double contor,
         const Build &build)
{
    print.settings().applyPreset(PrintSettings::Landscape);
    if (!TQRPrnDlg::execute(parent, print, messages))
        return false;
    bool printed = false;
    try {
        Status::show(QStringLiteral("Listez..."));
        bool found = false;
        {
            BusyCursor busy;
            found = printout.load(contor);
        }
        if (!found) {
            messages.warning(goneText(contor));
            Status::show(QString());
            return false;
        }
        printed = ReportPrinterOutput::output(parent, print, messages, build);
    } catch (const DbError &e) {
        messages.error(e.userText());
    }
    Status::show(QStringLiteral("OK."));
    return printed;
}

} // namespace

bool printMovementNote(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                       Messages &messages, double contor, bool explanation)
{
    MovementNote note(db, parameters.firmNo, parameters.nrZecimaleLei);
    return run(parent, print, messages, note, contor,
               [&](const PageSetup &page) { return note.document(page, explanation); });
}

bool printScrappingList(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                        Messages &messages, double contor, bool comment, const QString &closingText)
{
    ScrappingList list(db, parameters.firmNo);
    return run(parent, print, messages, list, contor,
               [&](const PageSetup &page) { return list.document(page, comment, closingText); });
}

int printExitDocument(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                      Messages &messages, ExitPrintOptions &options, double contor, const QString &documentType)
{
    if (!TPrintOptionsDlg::execute(parent, db.dataDirectory(), parameters, messages, documentType, options))
        return 0;
    int printed = 0;
    if (options.movementNote && printMovementNote(parent, db, parameters, print, messages, contor, options.explanation))
        ++printed;
    if (options.scrappingList
        && printScrappingList(parent, db, parameters, print, messages, contor, options.comment, options.closingText))
        ++printed;
    return printed;
}
