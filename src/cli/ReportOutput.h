#pragma once

#include "printing/PrintSettings.h"
#include "printing/ReportDefinition.h"

#include <QStringList>
#include <QTextStream>
#include <QVector>

// The output path shared by the report commands: `--pdf FILE` writes the printout
// headless, `--csv FILE` writes the detail rows for scripts.
struct ReportOutputOptions
{
    QString pdfPath;
    QString csvPath;

    bool isEmpty() const { return pdfPath.isEmpty() && csvPath.isEmpty(); }
};

namespace ReportOutput {

// The usage text of the two options.
QString synopsis();
// Takes "--pdf FILE" and "--csv FILE" out of args; false (with a message on err) when a
// file name is missing.
bool takeOptions(QStringList &args, ReportOutputOptions &options, QTextStream &err);
// Lays the report out with the print settings and writes the files asked for; returns
// the exit code (0, or 1 with a message on err when a file cannot be written).
int write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const PrintSettings &settings,
          const ReportOutputOptions &options, QTextStream &err);

} // namespace ReportOutput
