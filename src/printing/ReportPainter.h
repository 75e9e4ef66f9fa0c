#pragma once

#include "printing/ReportDocument.h"

#include <QRawFont>
#include <QVector>

class QPainter;

// Paints the pages of a ReportDocument on any QPainter device (PDF writer, printer,
// preview). The painter's origin must be the sheet's top-left corner; dotsPerMm is the
// device's resolution. Texts go out as glyph runs from the document's glyph caches,
// so no cell is shaped or measured again.
class ReportPainter
{
public:
    ReportPainter(const ReportDocument &document, double dotsPerMm);

    void paintPage(QPainter &painter, int page);

private:
    void paintText(QPainter &painter, const ReportText &text);

    const ReportDocument &m_doc;
    double m_scale;
    QVector<QRawFont> m_deviceFonts; // per document font, at the device's pixel size
    QVector<QFont> m_fallbackFonts;
    QVector<quint32> m_glyphs;
    QVector<QPointF> m_positions;
};
