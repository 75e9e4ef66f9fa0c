#pragma once

#include "reports/DepreciationRule.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationKind.h"

#include <QByteArray>
#include <QDate>

#include <functional>

class Database;

// One asset line of a depreciation situation: texts as the UTF-8 the database holds
// (empty for an empty value), the rule's results as computed, not yet rounded.
struct SituationLine
{
    QByteArray unit, unitName, account, mainGroup, mainGroupName, group, groupName, article, name, domain;
    QDate lot;
    double price = 0;
    double totalDuration = 0;
    double remainingDuration = 0;
    double initialDepreciation = 0;
    double contor = 0;
    DepreciationRule::Result result;
};

// The asset lines of a depreciation situation in one pass over the lines: entry and
// exit lines are read together, sorted by the asset (unit, group and inventory number
// for the first situation, which matches the entry lines of the same unit; group and
// inventory number for the others, which follow an asset into every unit). Each asset's
// stock at the date is summed per stock key and paired with its entry lines on the
// spot, so the stock is never stored and no line is looked up. The documents and the
// captions (units, groups, main groups) are small and read first.
//
// For each key (unit, group, inventory number; with the account and the main group in
// the reports by account) the first pair in the order entry line counter (initial
// stock first), acquisition value, `Lot`, QIn, QOut is kept; a key with an empty part
// lists each distinct pair. Lines reach `sink` in the order of the pass: print order for
// the first situation, by group, inventory number and unit for the others.
class SituationLines
{
public:
    explicit SituationLines(Database &db) : m_db(db) {}

    // False when no entry line counts at the date for the units (no documents): then
    // nothing was emitted. DbError on engine failures.
    bool read(SituationKind kind, const DepreciationSituation::Options &options,
              const std::function<void(const SituationLine &)> &sink);

private:
    Database &m_db;
};
