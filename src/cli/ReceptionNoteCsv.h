#pragma once

#include "printing/ReportDefinition.h"

#include <QVector>

class Database;
class ReceptionNote;

// The printed lines of a reception note for scripts: the management unit and the
// classification code of each line beside the values the note prints.
namespace ReceptionNoteCsv {

ReportDefinition definition();
// One row per row of the loaded note, in its order. Throws DbError.
QVector<ReportRow> rows(Database &db, const ReceptionNote &note);

} // namespace ReceptionNoteCsv
