#include "documents/forms/ReceptionNotePrint.h"

#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/Status.h"
#include "db/DbError.h"
#include "documents/ReceptionNote.h"
#include "printing/PrintContext.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QApplication>

namespace {

// Hourglass while the note is read; restored on every way out.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

bool readNote(ReceptionNote &note, double contor)
{
    BusyCursor busy;
    return note.load(contor);
}

} // namespace

bool printReceptionNote(QWidget *parent, Database &db, Parameters &parameters, PrintContext &print,
                        Messages &messages, double contor)
{
    // The preset shows "Parametrii de listare impliciti: Arial, 8, A4, Portret" in the
    // status line, as every report preset does.
    print.settings().applyPreset(PrintSettings::Portrait);
    if (!TQRPrnDlg::execute(parent, print, messages))
        return false;

    ReceptionNote note(db, parameters.nrZecimaleLei);
    bool printed = false;
    try {
        Status::show(QStringLiteral("Listez..."));
        if (!readNote(note, contor)) {
            messages.warning(QStringLiteral("Documentul de intrare cu numarul de inregistrare %1 nu mai exista!")
                                 .arg(formatNumber(contor, QString())));
            Status::show(QString());
            return false;
        }
        printed = ReportPrinterOutput::output(parent, print, messages,
                                              [&](const PageSetup &page) { return note.document(page); });
    } catch (const DbError &e) {
        messages.error(e.userText());
    }
    Status::show(QStringLiteral("OK."));
    return printed;
}
