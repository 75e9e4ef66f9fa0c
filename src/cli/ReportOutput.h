#pragma once

#include "printing/PrintSettings.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"

#include <QStringList>
#include <QTextStream>
#include <QVector>

// The output files shared by the report commands: `--pdf FILE` writes the printout
// headless, `--csv FILE` writes the detail rows for scripts.
struct ReportOutputOptions
{
    QString pdfPath;
    QString csvPath;
    // The data directory the command reads: none of its files is ever written. Empty
    // for a command without one (the workstation's own files stay protected).
    QString dataDirectory;

    bool isEmpty() const { return pdfPath.isEmpty() && csvPath.isEmpty(); }
};

// Every function that writes goes through SafeFileWriter, checks the targets first and
// says on success what it wrote and where: "N pagini scrise in F", "N randuri scrise in F".
// They return the exit code: 0, or 1 with "Eroare: ..." on err.
namespace ReportOutput {

// The usage text of the two options.
QString synopsis();
// Takes "--pdf FILE" and "--csv FILE" out of args; false (with a message on err) when a
// file name is missing or an option is given twice.
bool takeOptions(QStringList &args, ReportOutputOptions &options, QTextStream &err);
// False, with a message on err, when one file is given for both, or a file belongs to
// the data directory, the private directory or is the workstation's INI file. Commands
// call it before they start working, so that a refused path changes nothing.
bool checkTargets(const ReportOutputOptions &options, QTextStream &err);

// Lays the report out with the print settings and writes the files asked for.
int write(const ReportDefinition &definition, const QVector<ReportRow> &rows, const PrintSettings &settings,
          const ReportOutputOptions &options, QTextStream &out, QTextStream &err);
// The pages of a laid-out document to options.pdfPath.
int writePdf(const ReportDocument &document, const QVector<int> &pages, const ReportOutputOptions &options,
             QTextStream &out, QTextStream &err);
// A CSV text of `rows` data lines to options.csvPath.
int writeCsv(const QString &text, qsizetype rows, const ReportOutputOptions &options, QTextStream &out,
             QTextStream &err);

} // namespace ReportOutput
