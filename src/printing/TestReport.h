#pragma once

#include "printing/ReportDefinition.h"

#include <QDate>
#include <QVector>

// A small fixed-asset listing with two group levels (management unit, classification
// group) over generated rows: it exercises every band of the engine and is what
// `tessaro print-test-report` prints.
namespace TestReport {

enum Field { Unit, UnitName, Group, GroupName, Inventory, Name, InUse, Value, Monthly, Remaining };

ReportDefinition definition(const QDate &printed);
// Rows sorted by unit and group; values are exact in cents so totals can be checked.
QVector<ReportRow> rows(int units = 2, int groupsPerUnit = 2, int rowsPerGroup = 3);

} // namespace TestReport
