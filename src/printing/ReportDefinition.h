#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// One row of report data; columns and groups pick their values by index.
using ReportRow = QVector<QVariant>;

struct ReportColumn
{
    static constexpr int RunningNumber = -2;

    QString caption;   // heading lines separated by '\n'; long lines wrap at blanks
    int field = -1;    // index into the row, or RunningNumber
    double width = 20; // relative: the columns are scaled to the printable width
    Qt::Alignment align = Qt::AlignLeft;
    QString mask;      // number mask ("#,##0.00"); empty: general number format
    bool sum = false;  // summed in group footers and in the summary
    QString csvName;   // column name of the CSV export; empty: the caption on one line
    bool wrap = false; // a text too long for the column goes on more lines (the row grows)

    static ReportColumn make(const QString &caption, int field, double width, Qt::Alignment align = Qt::AlignLeft,
                             const QString &mask = QString(), bool sum = false)
    {
        ReportColumn c;
        c.caption = caption;
        c.field = field;
        c.width = width;
        c.align = align;
        c.mask = mask;
        c.sum = sum;
        return c;
    }
};

// A heading over adjacent columns ("Durata in luni" over "normata" and "peste
// normata"): its box spans the columns, their own captions go under it.
struct ReportHeadingSpan
{
    int firstColumn = 0; // indexes into ReportDefinition::columns
    int lastColumn = 0;
    QString caption;
};

struct ReportGroup
{
    int keyField = 0;
    // Header line when the group starts; none: no header band.
    std::function<QString(const ReportRow &first)> header;
    // Caption of the footer with the sums; none: no footer band.
    std::function<QString(const ReportRow &last)> footer;
    bool newPage = false;          // each group starts on a new page
    bool restartNumbering = false; // running numbers start again at 1
};

// A banded report: page header (organisation lines, heading, column headings) and page
// footer on every page, nested groups with sums, detail rows and a summary.
struct ReportDefinition
{
    QString title;            // job title
    QStringList companyLines; // top-left of every page
    QString heading;          // bold, centred
    QStringList subheadings;  // centred under the heading
    // Extra centred line of the page header from the first row printed on the page
    // (e.g. the current management unit); none or empty: no line.
    std::function<QString(const ReportRow &)> pageHeaderText;
    QVector<ReportColumn> columns;
    QVector<ReportHeadingSpan> headingSpans;
    QVector<ReportGroup> groups; // outermost first
    QString summaryCaption;      // empty: no summary band
    QString footerLeft;          // left of the page footer (e.g. the printing date)
    QString pageNumberText = QStringLiteral("Pagina %1"); // %1 page number, %2 page count
    double rowSpacing = 1.15;    // detail row height as a multiple of the font's line
};
