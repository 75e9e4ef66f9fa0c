#include "printing/GlyphCache.h"

namespace {
// The outlines without stretch: the stretch is applied by us, once, to advances and glyphs.
QFont unstretched(QFont font)
{
    font.setStretch(QFont::Unstretched);
    return font;
}
} // namespace

GlyphCache::GlyphCache(const QFont &font)
    : m_font(font), m_raw(QRawFont::fromFont(unstretched(font)))
{
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    m_raw.setPixelSize(size);
    const int stretch = font.stretch();
    m_stretch = (stretch <= 0 || stretch == QFont::Unstretched) ? 1.0 : stretch / 100.0;
    m_ascent = m_raw.ascent();
    m_descent = m_raw.descent();
}

GlyphCache::Entry GlyphCache::lookup(char16_t c) const
{
    Entry e;
    e.known = true;
    if (QChar::isSurrogate(c) || !m_raw.isValid())
        return e;
    const QChar ch(c);
    quint32 glyph = 0;
    int count = 1;
    if (m_raw.glyphIndexesForChars(&ch, 1, &glyph, &count) && count == 1) {
        e.glyph = glyph;
        QPointF advance;
        m_raw.advancesForGlyphIndexes(&glyph, &advance, 1);
        e.advance = float(advance.x() * m_stretch);
    }
    if (e.glyph == 0) // measured like an average digit so layout stays sensible
        e.advance = float(m_raw.averageCharWidth() * m_stretch);
    return e;
}

const GlyphCache::Entry &GlyphCache::entry(char16_t c) const
{
    if (c < TableSize) {
        Entry &e = m_table[c];
        if (!e.known)
            e = lookup(c);
        return e;
    }
    auto it = m_other.find(c);
    if (it == m_other.end())
        it = m_other.insert(c, lookup(c));
    return *it;
}

double GlyphCache::width(QStringView text) const
{
    double w = 0;
    for (QChar c : text)
        w += entry(c.unicode()).advance;
    return w;
}

bool GlyphCache::coversAll(QStringView text) const
{
    for (QChar c : text)
        if (entry(c.unicode()).glyph == 0)
            return false;
    return true;
}

int GlyphCache::fittingLength(QStringView text, double width) const
{
    double w = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        w += entry(text[i].unicode()).advance;
        if (w > width + 1e-9)
            return int(i);
    }
    return int(text.size());
}
