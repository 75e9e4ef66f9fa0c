#pragma once

#include "printing/GlyphCache.h"

#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

// A laid-out report: pages of positioned texts, lines and boxes. Every coordinate is in
// millimetres from the top-left corner of the sheet (margins already applied), so one
// document paints the same on a PDF file, a printer and the preview.
struct ReportText
{
    QPointF origin;  // left end of the baseline, where the glyphs start
    QRectF cell;     // the cell the text was placed in
    QString text;
    int font = 0;    // index into ReportDocument::fonts
};

struct ReportLine
{
    QPointF from;
    QPointF to;
    double width = 0.2;
};

struct ReportBox
{
    QRectF rect;
    double width = 0.2; // 0: no outline
    int fillGray = -1;  // 0..255, -1: not filled
};

struct ReportPage
{
    QVector<ReportBox> boxes; // painted first, under the texts
    QVector<ReportLine> lines;
    QVector<ReportText> texts;
};

class ReportDocument
{
public:
    QString title;              // print job / PDF title
    QPageSize pageSize{QPageSize::A4};
    int orientation = 0;        // PrintSettings::Orientation
    QSizeF sheetMm;             // sheet in the report's orientation
    QVector<std::shared_ptr<const GlyphCache>> fonts;
    QVector<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    // The texts of one page in the order laid out (for tests and text export).
    QStringList texts(int page) const;
    // The first text of the page equal to text; nullptr when missing.
    const ReportText *find(int page, const QString &text) const;
    // Page (0-based) of the first text equal to text, -1 when missing.
    int pageOf(const QString &text) const;
};
