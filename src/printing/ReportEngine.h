#pragma once

#include "printing/FastNumberFormat.h"
#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"

#include <QHash>
#include <QVector>

// Lays a banded report out into a ReportDocument. build() runs the usual grouped report
// over rows sorted by their group keys; reports with bands of their own (breakdown
// lines, reports without detail) drive the band methods themselves and call finish().
class ReportEngine
{
public:
    // A text placed at fractions of the table's width (0 its left edge, 1 its right);
    // a rule draws a line to write or sign on along the foot of its cell instead.
    struct Cell
    {
        double from = 0;
        double to = 1;
        QString text;
        bool bold = false;
        Qt::Alignment align = Qt::AlignLeft;
        bool rule = false;
    };

    ReportEngine(const ReportDefinition &definition, const PageSetup &page);

    static ReportDocument build(const ReportDefinition &definition, const QVector<ReportRow> &rows,
                                const PageSetup &page);

    // Bands. Each starts a new page when it does not fit on the current one.
    void groupHeader(const QString &text);
    void detail(const ReportRow &row, int runningNumber);
    // A totals line: caption left of the first summed column, then one value per column
    // (values of columns that are not summed are ignored).
    void totals(const QString &caption, const QVector<double> &sums, bool grand = false);
    // A plain line of text across the table (bold or not).
    void textLine(const QString &text, bool bold = false);
    // Text across the table: each of its lines wrapped at blanks to the table's width,
    // an empty line kept as a blank row.
    void paragraph(const QString &text, bool bold = false);
    // One row of cells (signature blocks, captions beside their values).
    void cells(const QVector<Cell> &cells);
    // One row of boxed cells, as on a form: each text wrapped to its cell, the row as high
    // as its longest cell and at least `lines` lines; a heading row is bold on the shaded
    // ground of the column headings.
    void grid(const QVector<Cell> &cells, int lines = 1, bool heading = false);
    // Reserves room for `rows` detail rows, breaking the page when they do not fit.
    void keepRows(int rows);
    // Reserves room for that many textLine() and totals() bands, so that a block such as
    // a total with its breakdown starts on a new page rather than leaving its last lines
    // alone at the top of the next one.
    void keepTogether(int textLines, int totalsLines);
    void newPage();
    // The page header's extra line for the pages started from now on.
    void setPageHeaderText(const QString &text) { m_pageHeaderText = text; }
    ReportDocument finish();

    // The cell text of a value under a column's mask.
    static QString cellText(const QVariant &value, const QString &mask);

private:
    enum FontIndex { Normal = 0, Bold = 1, Heading = 2 };
    void startPage();
    void ensure(double height);
    void place(const QRectF &cell, const QString &text, int font, Qt::Alignment align);
    void pageFooters();
    QString text(const QVariant &value, const QString &mask);
    QString number(double value, const QString &mask);
    // Lines of at most the width: broken at blanks, a word too wide for a line after its
    // hyphens and then between letters; nothing is cut.
    QStringList wrapCaption(const QString &caption, double width, int font = Bold) const;
    static QStringList breakWord(const QString &word, double room, const GlyphCache &g);
    // The span whose columns include column, or nullptr.
    const ReportHeadingSpan *spanOf(int column) const;

    const ReportDefinition &m_def;
    ReportDocument m_doc;
    QVector<double> m_colX;     // left edge of each column, plus the table's right edge
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_footerTop = 0;
    double m_rowHeight = 0, m_padding = 0.8;
    double m_y = 0;
    int m_firstSum = -1;
    QString m_pageHeaderText;
    QHash<QString, FastNumberFormat> m_formats;
    ReportPage *m_page = nullptr;
};
