#include "printing/ReportEngine.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerPt = 25.4 / 72.0;
constexpr double kThin = 0.15;
constexpr double kThick = 0.35;

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

} // namespace

ReportEngine::ReportEngine(const ReportDefinition &definition, const PageSetup &page)
    : m_def(definition)
{
    m_doc.title = definition.title;
    m_doc.pageSize = page.pageSize;
    m_doc.orientation = page.orientation;
    m_doc.sheetMm = page.sheetMm();

    const QFont base = page.font();
    QFont bold = base;
    bold.setBold(true);
    QFont heading = bold;
    heading.setPointSizeF(base.pointSizeF() * 1.4);
    for (const QFont &f : {base, bold, heading})
        m_doc.fonts.append(std::make_shared<const GlyphCache>(f));

    m_left = page.margins.left;
    m_right = m_doc.sheetMm.width() - page.margins.right;
    if (m_right <= m_left + 10)
        m_right = m_left + 10;
    m_top = page.margins.top;
    const double line = m_doc.fonts[Normal]->lineHeight() * kMmPerPt;
    m_rowHeight = line * definition.rowSpacing;
    m_footerTop = m_doc.sheetMm.height() - page.margins.bottom - line - 1.5;
    m_bottom = m_footerTop - 0.5;

    double total = 0;
    for (const ReportColumn &c : definition.columns)
        total += std::max(0.0, c.width);
    const double scale = total > 0 ? (m_right - m_left) / total : 0;
    double x = m_left;
    for (int i = 0; i < definition.columns.size(); ++i) {
        m_colX.append(x);
        x += std::max(0.0, definition.columns[i].width) * scale;
        if (m_firstSum < 0 && definition.columns[i].sum)
            m_firstSum = i;
    }
    m_colX.append(m_right);
}

QString ReportEngine::cellText(const QVariant &value, const QString &mask)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (isNumber(value))
        return formatNumber(value.toDouble(), mask);
    if (value.typeId() == QMetaType::QDate)
        return NationalFormats::current().formatDate(value.toDate());
    return value.toString();
}

QString ReportEngine::number(double value, const QString &mask)
{
    auto it = m_formats.find(mask);
    if (it == m_formats.end())
        it = m_formats.insert(mask, FastNumberFormat(mask));
    return it->format(value);
}

QString ReportEngine::text(const QVariant &value, const QString &mask)
{
    if (isNumber(value))
        return number(value.toDouble(), mask);
    return cellText(value, mask);
}

void ReportEngine::place(const QRectF &cell, const QString &text, int font, Qt::Alignment align)
{
    if (text.isEmpty())
        return;
    const GlyphCache &g = *m_doc.fonts[font];
    const double pad = m_padding;
    const double room = std::max(0.0, cell.width() - 2 * pad);
    QString shown = text;
    double width = g.width(text) * kMmPerPt;
    if (width > room) {
        if (align & Qt::AlignRight) {
            // A number that does not fit must not print truncated.
            const int n = std::max(1, int(room / (g.advance(QLatin1Char('#')) * kMmPerPt)));
            shown = QString(n, QLatin1Char('#'));
        } else {
            shown.truncate(g.fittingLength(text, room / kMmPerPt));
        }
        width = g.width(shown) * kMmPerPt;
    }
    double x = cell.left() + pad;
    if (align & Qt::AlignRight)
        x = cell.right() - pad - width;
    else if (align & Qt::AlignHCenter)
        x = cell.left() + (cell.width() - width) / 2;
    const double textHeight = g.lineHeight() * kMmPerPt;
    const double baseline = cell.top() + (cell.height() - textHeight) / 2 + g.ascent() * kMmPerPt;
    m_page->texts.append({QPointF(x, baseline), cell, shown, font});
}

QStringList ReportEngine::wrapCaption(const QString &caption, double width, int font) const
{
    const GlyphCache &g = *m_doc.fonts[font];
    const double room = std::max(1.0, width - 2 * m_padding) / kMmPerPt;
    QStringList out;
    for (const QString &line : caption.split(QLatin1Char('\n'))) {
        QString current;
        for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (g.width(candidate) <= room) {
                current = candidate;
                continue;
            }
            if (!current.isEmpty())
                out.append(current);
            // A word wider than the column is broken, never cut.
            const QStringList pieces = breakWord(word, room, g);
            out.append(pieces.mid(0, pieces.size() - 1));
            current = pieces.last();
        }
        out.append(current);
    }
    return out;
}

QStringList ReportEngine::breakWord(const QString &word, double room, const GlyphCache &g)
{
    // After its hyphens first ("Dome-niu" as "Dome-" and "niu"), as many parts on a line
    // as fit; a part still too wide goes by letters.
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (word.at(i) == QLatin1Char('-') && i > start && i + 1 < word.size()) {
            parts.append(word.mid(start, i + 1 - start));
            start = i + 1;
        }
    parts.append(word.mid(start));

    QStringList lines;
    QString current;
    for (const QString &part : parts) {
        if (g.width(current + part) <= room) {
            current += part;
            continue;
        }
        if (!current.isEmpty())
            lines.append(current);
        current = part;
        while (g.width(current) > room && current.size() > 1) {
            const int fit = std::clamp(g.fittingLength(current, room), 1, int(current.size()) - 1);
            lines.append(current.left(fit));
            current = current.mid(fit);
        }
    }
    lines.append(current);
    return lines;
}

void ReportEngine::startPage()
{
    m_doc.pages.append(ReportPage());
    m_page = &m_doc.pages.last();
    const double line = m_doc.fonts[Normal]->lineHeight() * kMmPerPt * 1.1;
    double y = m_top;
    const double width = m_right - m_left;
    for (const QString &t : m_def.companyLines) {
        place(QRectF(m_left, y, width, line), t, Normal, Qt::AlignLeft);
        y += line;
    }
    if (!m_def.heading.isEmpty()) {
        const double h = m_doc.fonts[Heading]->lineHeight() * kMmPerPt * 1.2;
        y += line * 0.3;
        place(QRectF(m_left, y, width, h), m_def.heading, Heading, Qt::AlignHCenter);
        y += h;
    }
    for (const QString &t : m_def.subheadings) {
        place(QRectF(m_left, y, width, line), t, Bold, Qt::AlignHCenter);
        y += line;
    }
    if (!m_pageHeaderText.isEmpty()) {
        place(QRectF(m_left, y, width, line), m_pageHeaderText, Bold, Qt::AlignHCenter);
        y += line;
    }
    y += line * 0.4;

    // Column headings: a shaded row of boxed cells, captions centred on their lines; a
    // heading span takes the top of its columns' cells.
    if (!m_def.columns.isEmpty()) {
        const double capLine = m_doc.fonts[Bold]->lineHeight() * kMmPerPt;
        auto spanHeight = [&](const ReportHeadingSpan &s) {
            return wrapCaption(s.caption, m_colX[s.lastColumn + 1] - m_colX[s.firstColumn]).size() * capLine + 0.6;
        };
        QVector<QStringList> captions;
        double h = capLine + 1.2;
        for (int i = 0; i < m_def.columns.size(); ++i) {
            captions.append(wrapCaption(m_def.columns[i].caption, m_colX[i + 1] - m_colX[i]));
            const ReportHeadingSpan *span = spanOf(i);
            h = std::max(h, captions.last().size() * capLine + 1.2 + (span ? spanHeight(*span) : 0.0));
        }
        m_page->boxes.append({QRectF(m_left, y, width, h), 0, 235});
        for (const ReportHeadingSpan &s : m_def.headingSpans) {
            if (!spanOf(s.firstColumn) || spanOf(s.firstColumn) != &s)
                continue;
            const QRectF box(m_colX[s.firstColumn], y, m_colX[s.lastColumn + 1] - m_colX[s.firstColumn], spanHeight(s));
            m_page->boxes.append({box, kThin, -1});
            const QStringList lines = wrapCaption(s.caption, box.width());
            for (int l = 0; l < lines.size(); ++l)
                place(QRectF(box.left(), box.top() + 0.3 + l * capLine, box.width(), capLine), lines[l], Bold,
                      Qt::AlignHCenter);
        }
        for (int i = 0; i < m_def.columns.size(); ++i) {
            const ReportHeadingSpan *span = spanOf(i);
            const double top = span ? y + spanHeight(*span) : y;
            const QRectF box(m_colX[i], top, m_colX[i + 1] - m_colX[i], y + h - top);
            m_page->boxes.append({box, kThin, -1});
            const double first = top + (box.height() - captions[i].size() * capLine) / 2;
            for (int l = 0; l < captions[i].size(); ++l)
                place(QRectF(box.left(), first + l * capLine, box.width(), capLine), captions[i][l], Bold,
                      Qt::AlignHCenter);
        }
        y += h + 0.6;
    }
    m_y = y;
}

void ReportEngine::ensure(double height)
{
    if (!m_page)
        startPage();
    else if (m_y + height > m_bottom)
        newPage();
}

void ReportEngine::newPage()
{
    startPage();
}

void ReportEngine::keepRows(int rows)
{
    ensure(rows * m_rowHeight);
}

void ReportEngine::keepTogether(int textLines, int totalsLines)
{
    // The heights textLine() and totals() take.
    ensure(textLines * m_rowHeight + totalsLines * m_rowHeight * 1.55);
}

void ReportEngine::groupHeader(const QString &text)
{
    ensure(m_rowHeight * 2.3); // the header with room for a first detail row
    m_y += m_rowHeight * 0.15;
    place(QRectF(m_left, m_y, m_right - m_left, m_rowHeight), text, Bold, Qt::AlignLeft);
    m_y += m_rowHeight * 1.05;
}

void ReportEngine::textLine(const QString &text, bool bold)
{
    ensure(m_rowHeight);
    place(QRectF(m_left, m_y, m_right - m_left, m_rowHeight), text, bold ? Bold : Normal, Qt::AlignLeft);
    m_y += m_rowHeight;
}

void ReportEngine::paragraph(const QString &text, bool bold)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &line : plain.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty()) {
            textLine(QString(), bold);
            continue;
        }
        for (const QString &part : wrapCaption(line, m_right - m_left, bold ? Bold : Normal))
            textLine(part, bold);
    }
}

void ReportEngine::cells(const QVector<Cell> &cells)
{
    ensure(m_rowHeight);
    const double width = m_right - m_left;
    for (const Cell &c : cells) {
        const QRectF cell(m_left + c.from * width, m_y, (c.to - c.from) * width, m_rowHeight);
        if (c.rule) {
            const double foot = cell.bottom() - 0.6;
            m_page->lines.append({QPointF(cell.left() + m_padding, foot), QPointF(cell.right() - m_padding, foot), kThin});
        } else {
            place(cell, c.text, c.bold ? Bold : Normal, c.align);
        }
    }
    m_y += m_rowHeight;
}

void ReportEngine::grid(const QVector<Cell> &cells, int lines, bool heading)
{
    const double width = m_right - m_left;
    QVector<QStringList> texts;
    int count = std::max(1, lines);
    for (const Cell &c : cells) {
        const int font = heading || c.bold ? Bold : Normal;
        texts.append(c.text.isEmpty() ? QStringList() : wrapCaption(c.text, (c.to - c.from) * width, font));
        count = std::max(count, int(texts.last().size()));
    }
    const double height = count * m_rowHeight + 0.6;
    ensure(height);
    for (int i = 0; i < cells.size(); ++i) {
        const Cell &c = cells[i];
        const QRectF box(m_left + c.from * width, m_y, (c.to - c.from) * width, height);
        m_page->boxes.append({box, kThin, heading ? 235 : -1});
        const double first = box.top() + (height - texts[i].size() * m_rowHeight) / 2;
        for (int l = 0; l < texts[i].size(); ++l)
            place(QRectF(box.left(), first + l * m_rowHeight, box.width(), m_rowHeight), texts[i][l],
                  heading || c.bold ? Bold : Normal, c.align);
    }
    m_y += height;
}

const ReportHeadingSpan *ReportEngine::spanOf(int column) const
{
    for (const ReportHeadingSpan &s : m_def.headingSpans)
        if (column >= s.firstColumn && column <= s.lastColumn && s.firstColumn >= 0 && s.firstColumn <= s.lastColumn
            && s.lastColumn < m_def.columns.size())
            return &s;
    return nullptr;
}

void ReportEngine::detail(const ReportRow &row, int runningNumber)
{
    const int columns = int(m_def.columns.size());
    QVector<QStringList> cells(columns);
    int lines = 1;
    for (int i = 0; i < columns; ++i) {
        const ReportColumn &c = m_def.columns[i];
        QString text;
        if (c.field == ReportColumn::RunningNumber)
            text = QString::number(runningNumber);
        else if (c.field >= 0 && c.field < row.size())
            text = this->text(row[c.field], c.mask);
        // Only a text that does not fit is wrapped: most rows stay one line, measured once.
        if (c.wrap && !text.isEmpty()
            && m_doc.fonts[Normal]->width(text) * kMmPerPt > m_colX[i + 1] - m_colX[i] - 2 * m_padding)
            cells[i] = wrapCaption(text, m_colX[i + 1] - m_colX[i], Normal);
        else
            cells[i] = QStringList{text};
        lines = std::max(lines, int(cells[i].size()));
    }
    ensure(lines * m_rowHeight);
    for (int i = 0; i < columns; ++i)
        for (int l = 0; l < cells[i].size(); ++l)
            place(QRectF(m_colX[i], m_y + l * m_rowHeight, m_colX[i + 1] - m_colX[i], m_rowHeight), cells[i][l],
                  Normal, m_def.columns[i].align);
    m_y += lines * m_rowHeight;
}

void ReportEngine::totals(const QString &caption, const QVector<double> &sums, bool grand)
{
    const double h = m_rowHeight * 1.25;
    ensure(h);
    const double top = m_y + m_rowHeight * 0.1;
    m_page->lines.append({QPointF(m_left, top), QPointF(m_right, top), grand ? kThick : kThin});
    if (grand)
        m_page->lines.append({QPointF(m_left, top + h), QPointF(m_right, top + h), kThick});
    const QRectF row(m_left, top + (h - m_rowHeight) / 2, 0, m_rowHeight);
    const int captionEnd = m_firstSum < 0 ? int(m_def.columns.size()) : m_firstSum;
    place(QRectF(m_left, row.top(), m_colX[captionEnd] - m_left, m_rowHeight), caption, Bold,
          Qt::AlignLeft);
    for (int i = std::max(0, m_firstSum); i < m_def.columns.size() && i < sums.size(); ++i) {
        const ReportColumn &c = m_def.columns[i];
        if (!c.sum)
            continue;
        place(QRectF(m_colX[i], row.top(), m_colX[i + 1] - m_colX[i], m_rowHeight),
              number(sums[i], c.mask), Bold, c.align);
    }
    m_y = top + h + m_rowHeight * 0.2;
}

void ReportEngine::pageFooters()
{
    const int count = m_doc.pageCount();
    const GlyphCache &g = *m_doc.fonts[Normal];
    const double h = g.lineHeight() * kMmPerPt;
    for (int p = 0; p < count; ++p) {
        m_page = &m_doc.pages[p];
        m_page->lines.append({QPointF(m_left, m_footerTop), QPointF(m_right, m_footerTop), kThin});
        const QRectF cell(m_left, m_footerTop + 0.6, m_right - m_left, h);
        place(cell, m_def.footerLeft, Normal, Qt::AlignLeft);
        QString number = m_def.pageNumberText;
        number.replace(QLatin1String("%1"), QString::number(p + 1));
        number.replace(QLatin1String("%2"), QString::number(count));
        place(cell, number, Normal, Qt::AlignRight);
    }
}

ReportDocument ReportEngine::finish()
{
    if (!m_page)
        startPage();
    pageFooters();
    m_page = nullptr;
    return std::move(m_doc);
}

ReportDocument ReportEngine::build(const ReportDefinition &def, const QVector<ReportRow> &rows,
                                   const PageSetup &page)
{
    ReportEngine engine(def, page);
    const int levels = int(def.groups.size());
    const int columns = int(def.columns.size());
    QVector<QVector<double>> sums(levels + 1, QVector<double>(columns, 0.0)); // [levels] = grand
    int number = 0;

    auto value = [](const ReportRow &r, int field) {
        return field >= 0 && field < r.size() ? r[field] : QVariant();
    };
    auto closeGroups = [&](int from, const ReportRow &last) {
        for (int g = levels - 1; g >= from; --g) {
            if (def.groups[g].footer)
                engine.totals(def.groups[g].footer(last), sums[g]);
            sums[g].fill(0.0);
        }
    };

    for (int i = 0; i < rows.size(); ++i) {
        const ReportRow &row = rows[i];
        int level = 0;
        if (i > 0) {
            const ReportRow &previous = rows[i - 1];
            level = levels;
            for (int g = 0; g < levels; ++g)
                if (value(row, def.groups[g].keyField) != value(previous, def.groups[g].keyField)) {
                    level = g;
                    break;
                }
            closeGroups(level, previous);
        }
        bool pageBroken = false;
        for (int g = level; g < levels; ++g) {
            const ReportGroup &group = def.groups[g];
            if (def.pageHeaderText)
                engine.setPageHeaderText(def.pageHeaderText(row));
            if (group.newPage && i > 0 && !pageBroken) {
                engine.newPage();
                pageBroken = true;
            }
            if (group.restartNumbering)
                number = 0;
            if (group.header)
                engine.groupHeader(group.header(row));
        }
        if (def.pageHeaderText)
            engine.setPageHeaderText(def.pageHeaderText(row));
        engine.detail(row, ++number);
        for (int c = 0; c < columns; ++c) {
            if (!def.columns[c].sum)
                continue;
            const double v = value(row, def.columns[c].field).toDouble();
            for (int g = 0; g <= levels; ++g)
                sums[g][c] += v;
        }
    }
    if (!rows.isEmpty())
        closeGroups(0, rows.last());
    if (!def.summaryCaption.isEmpty())
        engine.totals(def.summaryCaption, sums[levels], true);
    return engine.finish();
}
