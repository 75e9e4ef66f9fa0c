#pragma once

#include "reports/SituationKind.h"

class Database;
class Messages;
class Parameters;
class PrintContext;
class QWidget;
struct WorkingSelection;

// One depreciation situation from the main menu: the question about fully depreciated
// assets, the landscape preset, units and date of the stock, the print dialog, the
// budget, then the report to the preview or the printer. The date, units and budget
// chosen are written back into `selection`. False when nothing was printed.
bool runDepreciationSituation(SituationKind kind, QWidget *owner, Database &db, const Parameters &parameters,
                              PrintContext &print, Messages &messages, WorkingSelection &selection);
