#pragma once

#include "printing/PrintContext.h"
#include "printing/ReportDocument.h"

#include <functional>

class Messages;
class QPrinter;
class QWidget;

// The output step of every report in the windows: applies the current settings, lays the
// report out for them and previews it or prints it (a printer, or a PDF file on the
// "Fisier PDF" printer).
class ReportPrinterOutput
{
public:
    using Builder = std::function<ReportDocument(const PageSetup &page)>;

    // Returns false when nothing went out (no PDF file chosen, the file not writable).
    static bool output(QWidget *owner, PrintContext &context, Messages &messages, const Builder &build,
                       const QString &pdfPath = QString());

    // Paints the pages on a printer whose origin is the sheet's corner (full page).
    static void paint(QPrinter &printer, const ReportDocument &document, const QVector<int> &pages);

    // The calling order of every report: the print dialog, and when it is confirmed the
    // report is built and output. False when cancelled.
    static bool run(QWidget *owner, PrintContext &context, Messages &messages, const Builder &build);
};
