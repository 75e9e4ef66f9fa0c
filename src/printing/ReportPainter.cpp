#include "printing/ReportPainter.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPen>

ReportPainter::ReportPainter(const ReportDocument &document, double dotsPerMm)
    : m_doc(document), m_scale(dotsPerMm)
{
    const double pxPerPt = dotsPerMm * 25.4 / 72.0;
    for (const auto &cache : document.fonts) {
        QRawFont raw = cache->rawFont();
        raw.setPixelSize(cache->font().pointSizeF() * pxPerPt);
        m_deviceFonts.append(raw);
        QFont f = cache->font();
        f.setPixelSize(qMax(1, qRound(cache->font().pointSizeF() * pxPerPt)));
        m_fallbackFonts.append(f);
    }
}

void ReportPainter::paintText(QPainter &painter, const ReportText &t)
{
    const GlyphCache &cache = *m_doc.fonts[t.font];
    const QPointF origin(t.origin.x() * m_scale, t.origin.y() * m_scale);
    if (!cache.coversAll(t.text)) {
        // Characters the face lacks: let Qt find a fallback font for them.
        painter.setFont(m_fallbackFonts[t.font]);
        painter.drawText(origin, t.text);
        return;
    }
    const double stretch = cache.stretch();
    // Advances in device pixels before stretch; a stretched face is drawn through a
    // horizontal scale so the glyphs narrow with their spacing.
    const double pxPerPt = m_scale * 25.4 / 72.0 / stretch;
    const qsizetype n = t.text.size();
    m_glyphs.resize(n);
    m_positions.resize(n);
    double x = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = t.text[i];
        m_glyphs[i] = cache.glyph(c);
        m_positions[i] = QPointF(x, 0);
        x += cache.advance(c) * pxPerPt;
    }
    QGlyphRun run;
    run.setRawFont(m_deviceFonts[t.font]);
    run.setRawData(m_glyphs.constData(), m_positions.constData(), int(n));
    if (stretch != 1.0) {
        painter.save();
        painter.translate(origin);
        painter.scale(stretch, 1.0);
        painter.drawGlyphRun(QPointF(0, 0), run);
        painter.restore();
    } else {
        painter.drawGlyphRun(origin, run);
    }
}

void ReportPainter::paintPage(QPainter &painter, int page)
{
    if (page < 0 || page >= m_doc.pages.size())
        return;
    const ReportPage &p = m_doc.pages[page];
    painter.save();
    for (const ReportBox &b : p.boxes) {
        const QRectF r(b.rect.left() * m_scale, b.rect.top() * m_scale, b.rect.width() * m_scale,
                       b.rect.height() * m_scale);
        if (b.fillGray >= 0)
            painter.fillRect(r, QColor(b.fillGray, b.fillGray, b.fillGray));
        if (b.width > 0) {
            painter.setPen(QPen(Qt::black, b.width * m_scale));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
        }
    }
    for (const ReportLine &l : p.lines) {
        painter.setPen(QPen(Qt::black, l.width * m_scale));
        painter.drawLine(QPointF(l.from.x() * m_scale, l.from.y() * m_scale),
                         QPointF(l.to.x() * m_scale, l.to.y() * m_scale));
    }
    painter.setPen(Qt::black);
    for (const ReportText &t : p.texts)
        paintText(painter, t);
    painter.restore();
}
