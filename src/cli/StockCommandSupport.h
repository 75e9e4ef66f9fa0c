#pragma once

#include "app/Parameters.h"
#include "cli/ReportOutput.h"
#include "db/Database.h"

#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <memory>

// What the stock commands share: their options and the opening of the data directory.
namespace StockCommandSupport {

// Takes "NAME VALUE" pairs of the known options out of args into values. False with a
// message on err for an unknown argument, a missing or repeated value.
bool takeOptions(const QStringList &args, const QStringList &known, QMap<QString, QString> &values,
                 QTextStream &err);

// The absolute path of a --data option, ending with '/'.
QString directoryOf(const QString &option);

// "Eroare: Directorul de date DIR nu poate fi citit: <system message>." when the
// directory, or its database file, is there but may not be read or listed; empty
// otherwise (a missing directory is for the caller to report).
QString unreadableText(const QString &directory);

// Opens the data directory and reads its parameters; the decimal separator they give
// is set on NationalFormats::current(), which every printout of the run uses. Null, with
// a message on err, when the directory cannot be read, is not a data directory or
// cannot be opened. When another process holds the database so that it cannot even be
// opened, `busyText` (when given) is the message instead of the engine's.
std::unique_ptr<Database> open(const QString &directory, Parameters &parameters, QTextStream &err,
                               const QString &busyText = QString());

// The output paths checked against the data directory `directory` (ReportOutput::
// checkTargets), then open(). Null, with the message on err, when either fails.
std::unique_ptr<Database> openForOutput(const QString &directory, ReportOutputOptions &output,
                                        Parameters &parameters, QTextStream &err);

// A date written exactly as YYYY-MM-DD (nothing before or after it); invalid otherwise.
QDate parseDate(const QString &text);
// The date of a --date option (parseDate()); an invalid date, with a message on err, when
// the text is not one.
QDate takeDate(const QString &text, QTextStream &err);

// The unit codes of a --units option ("A1,B2"), blanks around each code dropped.
QStringList splitUnits(const QString &text);

} // namespace StockCommandSupport
