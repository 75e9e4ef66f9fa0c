#include "printing/PageSetup.h"

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
    p.margins = s.margins;
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
