#pragma once

#include "reports/DepreciationSituation.h"
#include "reports/SituationKind.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>

class Database;
class QIODevice;
struct SituationLine;

// The CSV of a depreciation situation written as its lines are read: the cells are
// formatted straight to UTF-8, in the same text as CsvOutput and SituationReport::csv
// give them (numbers with '.', shortest form; amounts with two decimals; ISO dates;
// quoted texts; a text that looks like a formula shown as text). The summaries keep
// one total per printed line, the situation by account its lines until they can be
// sorted; the first situation holds nothing.
namespace SituationCsv {

struct Outcome
{
    bool documents = false; // false: no entry line counts at the date, nothing written
    qsizetype lines = 0;    // data lines written
    bool written = false;   // every write accepted by the device
};

// Writes header and lines to `out`. DbError on engine failures.
Outcome write(Database &db, SituationKind kind, const DepreciationSituation::Options &options, QIODevice &out);

// The order in which a situation prints its lines, as bytes that compare in that order:
// unit, group, inventory number; account and main group first in the reports by account.
QByteArray printKey(SituationKind kind, const SituationLine &line);

void appendText(QByteArray &out, QByteArrayView text);
void appendNumber(QByteArray &out, double value);
// Rounded to the ban as printed, two decimals.
void appendAmount(QByteArray &out, double value);
void appendDate(QByteArray &out, const QDate &date);

} // namespace SituationCsv
