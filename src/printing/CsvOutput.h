#pragma once

#include "printing/ReportDefinition.h"

#include <QString>
#include <QVector>

// The detail rows of a report as CSV for scripts: a header line with the column names,
// numbers with '.' and no thousands separator, dates as YYYY-MM-DD, UTF-8, fields quoted
// only when they hold a comma, a quote or a line break. A text that a spreadsheet would
// take for a formula (it begins with '=', '+', '-' or '@') gets a leading apostrophe and
// quotes, so it shows as the text it is; numbers are never changed.
namespace CsvOutput {

QString field(const QVariant &value);
// A text cell.
QString text(const QString &value);
QString toText(const ReportDefinition &definition, const QVector<ReportRow> &rows);
// Through SafeFileWriter; false with the file's name and the system's message in *error.
bool write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const QString &path,
           QString *error = nullptr);

} // namespace CsvOutput
