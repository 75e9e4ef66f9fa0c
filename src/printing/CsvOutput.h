#pragma once

#include "printing/ReportDefinition.h"

#include <QString>
#include <QVector>

// The detail rows of a report as CSV for scripts: a header line with the column names,
// numbers with '.' and no thousands separator, dates as YYYY-MM-DD, UTF-8, fields quoted
// only when they hold a comma, a quote or a line break.
namespace CsvOutput {

QString field(const QVariant &value);
QString toText(const ReportDefinition &definition, const QVector<ReportRow> &rows);
bool write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const QString &path,
           QString *error = nullptr);

} // namespace CsvOutput
