#include "printing/forms/ReportPrinterOutput.h"

#include "app/Messages.h"
#include "printing/PdfOutput.h"
#include "printing/ReportPainter.h"
#include "printing/forms/QPrinterDevice.h"
#include "printing/forms/ReportPreview.h"
#include "printing/forms/TQRPrnDlg.h"

#include "app/Status.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The file dialog with Romanian texts: Qt has no Romanian translation of its own.
QString askPdfPath(QWidget *owner, const QString &suggested)
{
    QFileDialog dialog(owner, QStringLiteral("Salvare raport ca PDF"), suggested,
                       QStringLiteral("Fisiere PDF (*.pdf)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Director:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nume fisier:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tip fisier:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("&Salveaza"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("&Renunta"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// The preview's "&Tipareste...": the printer dialog over the current printer, then the
// pages it asks for.
void printFromPreview(QWidget *owner, PrintContext &context, const ReportDocument &document)
{
    auto *device = dynamic_cast<QPrinterDevice *>(&context.device());
    QPrinter fallback;
    QPrinter &printer = device ? device->printer() : fallback;
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, std::max(1, document.pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0;
    int last = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage();
        last = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        if (auto *preview = qobject_cast<ReportPreview *>(owner))
            first = last = preview->currentPage() + 1;
    }
    printer.setDocName(document.title);
    ReportPrinterOutput::paint(printer, document, PdfOutput::outputPages(document.pageCount(), first, last, 1));
    Status::show(QStringLiteral("Raportul a fost trimis la imprimanta."));
}

// The preview's "Salveaza &PDF...": every page into a file the user names.
void savePdfFromPreview(QWidget *owner, Messages &messages, const ReportDocument &document)
{
    const QString path = askPdfPath(owner, document.title + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    QString error;
    if (!PdfOutput::write(document, path, &error)) {
        messages.error(error);
        return;
    }
    Status::show(QStringLiteral("Raportul a fost salvat in %1").arg(path));
}

} // namespace

void ReportPrinterOutput::paint(QPrinter &printer, const ReportDocument &document, const QVector<int> &pages)
{
    printer.setFullPage(true);
    QPainter painter(&printer);
    ReportPainter paint(document, printer.resolution() / 25.4);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paint.paintPage(painter, pages[i]);
    }
}

bool ReportPrinterOutput::output(QWidget *owner, PrintContext &context, Messages &messages,
                                 const Builder &build, const QString &pdfPath)
{
    const OutputSetup setup = context.prepareOutput();
    const ReportDocument document = build(setup.page);
    if (setup.preview) {
        ReportPreview::Actions actions;
        actions.print = [&context, &document](QWidget *from) { printFromPreview(from, context, document); };
        actions.savePdf = [&messages, &document](QWidget *from) { savePdfFromPreview(from, messages, document); };
        ReportPreview preview(document, actions, owner);
        preview.exec();
        return true;
    }
    auto *device = dynamic_cast<QPrinterDevice *>(&context.device());
    const bool toPdf = !device || device->isPdf();
    if (toPdf) {
        QString path = pdfPath;
        if (path.isEmpty() && device)
            path = device->printer().outputFileName();
        if (path.isEmpty())
            path = askPdfPath(owner, document.title + QStringLiteral(".pdf"));
        if (path.isEmpty())
            return false;
        QString error;
        const QVector<int> pages =
            PdfOutput::outputPages(document.pageCount(), setup.firstPage, setup.lastPage, setup.copies);
        if (!PdfOutput::write(document, path, pages, &error)) {
            messages.error(error);
            return false;
        }
        return true;
    }
    QPrinter &printer = device->printer();
    printer.setDocName(document.title);
    printer.setCopyCount(setup.copies);
    paint(printer, document, PdfOutput::outputPages(document.pageCount(), setup.firstPage, setup.lastPage, 1));
    return true;
}

bool ReportPrinterOutput::run(QWidget *owner, PrintContext &context, Messages &messages, const Builder &build)
{
    if (!TQRPrnDlg::execute(owner, context, messages))
        return false;
    return output(owner, context, messages, build);
}
