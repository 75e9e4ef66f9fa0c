#include "printing/PdfOutput.h"

#include "app/SafeFileWriter.h"

#include "printing/PrintSettings.h"
#include "printing/ReportPainter.h"

#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace PdfOutput {

QVector<int> outputPages(int pageCount, int firstPage, int lastPage, int copies)
{
    int from = 1;
    int to = pageCount;
    if (firstPage != 0 || lastPage != 0) {
        from = std::max(1, firstPage);
        to = std::min(pageCount, lastPage < from ? from : lastPage);
    }
    QVector<int> pages;
    for (int c = 0; c < std::max(1, copies); ++c)
        for (int p = from; p <= to; ++p)
            pages.append(p - 1);
    return pages;
}

bool write(const ReportDocument &document, const QString &path, const QVector<int> &pages,
           QString *error)
{
    SafeFileWriter file(path);
    if (!file.open()) {
        if (error)
            *error = file.error();
        return false;
    }
    constexpr int dpi = 600;
    {
        QPdfWriter writer(&file);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Tessaro"));
        writer.setResolution(dpi);
        writer.setPageLayout(QPageLayout(document.pageSize,
                                         document.orientation == PrintSettings::Landscape
                                             ? QPageLayout::Landscape
                                             : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        ReportPainter paint(document, dpi / 25.4);
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            paint.paintPage(painter, pages[i]);
        }
        painter.end();
    }
    if (!file.commit()) {
        if (error)
            *error = file.error();
        return false;
    }
    return true;
}

bool write(const ReportDocument &document, const QString &path, QString *error)
{
    return write(document, path, outputPages(document.pageCount(), 0, 0, 1), error);
}

} // namespace PdfOutput
