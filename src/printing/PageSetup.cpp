#include "printing/PageSetup.h"

#include "printing/MarginRules.h"
#include "printing/PaperSizes.h"
#include "printing/ReportFonts.h"

PageSetup PageSetup::fromSettings(const PrintSettings &s, QPageSize::PageSizeId printerPaper)
{
    PageSetup p;
    QPageSize::PageSizeId id = PaperSizes::pageSizeId(s.paperIndex);
    if (id == QPageSize::Custom)
        id = printerPaper == QPageSize::Custom ? QPageSize::A4 : printerPaper;
    p.pageSize = QPageSize(id);
    p.orientation = s.orientation;
    // No printer here: the minimums are 0 and the paper is the whole page.
    PrinterGeometry paper;
    const QSizeF sheet = p.sheetMm();
    paper.pageWidth = int(sheet.width());
    paper.pageHeight = int(sheet.height());
    p.margins = MarginRules::withinPage(s.margins, paper);
    if (!s.fontName.isEmpty())
        p.fontName = s.fontName;
    p.fontSize = s.fontSize;
    p.fontPitch = s.fontPitch;
    return p;
}

QFont PageSetup::font() const
{
    return ReportFonts::resolve(fontName, fontSize, fontPitch);
}

QSizeF PageSetup::sheetMm() const
{
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    return orientation == PrintSettings::Landscape ? s.transposed() : s;
}
