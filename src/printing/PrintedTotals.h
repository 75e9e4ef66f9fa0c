#pragma once

#include "app/NationalFormats.h"
#include "printing/ReportDocument.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The totals lines of a laid-out report read back from its pages: every line of bold
// amounts (group and unit footers, breakdown lines, the general total) with the bold
// caption at the left edge of the table, in print order. Taken from what the pages
// carry, so that a check of these lines is a check of the printout itself, however the
// report was put together.
namespace PrintedTotals {

struct Line
{
    QString caption;     // empty when the line prints amounts without a caption
    QStringList amounts; // as printed, left to right
};

QVector<Line> read(const ReportDocument &document);

// The lines as CSV: a header of "Total" and `amountNames`, then one row per line, the
// caption as text and each amount as a plain number ('.' for the decimals, no
// thousands separator; an amount that did not fit its column stays as printed).
QString csv(const ReportDocument &document, const QStringList &amountNames,
            const NationalFormats &formats = NationalFormats::current());

} // namespace PrintedTotals
