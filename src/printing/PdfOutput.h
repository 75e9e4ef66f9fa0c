#pragma once

#include "printing/ReportDocument.h"

#include <QString>
#include <QVector>

// Writing a laid-out report to a PDF file (QtGui only, no printer needed).
namespace PdfOutput {

// The pages (0-based) that go out for a page range (0 and 0: all; pages beyond the end
// are dropped) and a number of copies, collated.
QVector<int> outputPages(int pageCount, int firstPage, int lastPage, int copies);

// Writes the pages; false with a message in *error when the file cannot be written.
bool write(const ReportDocument &document, const QString &path, const QVector<int> &pages,
           QString *error = nullptr);
bool write(const ReportDocument &document, const QString &path, QString *error = nullptr);

} // namespace PdfOutput
