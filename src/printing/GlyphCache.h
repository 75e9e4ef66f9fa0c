#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QStringView>

#include <array>

// Glyph indexes and advances of one report font, looked up once per character. Text is
// measured by adding advances (no shaping, no kerning): exact enough for table cells and
// far cheaper than laying out every cell. All sizes are in points.
class GlyphCache
{
public:
    explicit GlyphCache(const QFont &font);

    const QFont &font() const { return m_font; }
    // The outline font at 1 pixel = 1 point, before horizontal stretch.
    const QRawFont &rawFont() const { return m_raw; }
    // Horizontal stretch factor (1.0 = normal); condensed line-printer faces use it.
    double stretch() const { return m_stretch; }

    double ascent() const { return m_ascent; }
    double descent() const { return m_descent; }
    double lineHeight() const { return m_ascent + m_descent; }

    // Advance of one character, stretch included.
    double advance(QChar c) const { return entry(c.unicode()).advance; }
    double width(QStringView text) const;
    // Glyph 0 means the face has no glyph for the character.
    quint32 glyph(QChar c) const { return entry(c.unicode()).glyph; }
    // True when every character has its own glyph in this face (no fallback needed).
    bool coversAll(QStringView text) const;

    // How many leading characters of text fit in the width.
    int fittingLength(QStringView text, double width) const;

private:
    struct Entry
    {
        quint32 glyph = 0;
        float advance = 0;
        bool known = false;
    };
    const Entry &entry(char16_t c) const;
    Entry lookup(char16_t c) const;

    QFont m_font;
    QRawFont m_raw;
    double m_stretch = 1.0;
    double m_ascent = 0;
    double m_descent = 0;
    static constexpr int TableSize = 0x250; // Latin-1, Latin Extended A and B (ă ș ț)
    mutable std::array<Entry, TableSize> m_table{};
    mutable QHash<char16_t, Entry> m_other;
};
