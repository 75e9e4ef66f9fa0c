#pragma once

#include "printing/ReportDefinition.h"
#include "reports/SituationKind.h"
#include "reports/SituationReport.h"

#include <QDate>
#include <QString>
#include <QStringList>

class Database;

// The asset lines of a depreciation situation, from the stock at the date already in
// `PVL_PRIV.ANSW_ST`: one selection joins the stock with the entry lines and the captions,
// in print order; while it is read, the first row of each key is kept, the rule applied,
// and the kept rows written to `PVL_PRIV.ANSW_TMP`. The summaries total these same lines.
class DepreciationSituation
{
public:
    // Indexes of the values in each returned line.
    enum Field {
        Unit, UnitName, Account, MainGroup, MainGroupName, Group, GroupName, Article, Name, Domain,
        Price, Quantity, Value, Lot, TotalDuration, RemainingDuration, InitialDepreciation, Monthly,
        Computed, UpdatedDuration, Remaining, FieldCount
    };

    struct Options
    {
        QDate date;
        QStringList units;   // empty: every unit of the stock answer
        QString budget;      // empty: every budget
        bool onlyUndepreciated = false;
        double epsilon = 0.00001;
    };

    explicit DepreciationSituation(Database &db) : m_db(db) {}

    // Recreates ANSW_TMP, fills it and returns its lines in print order, amounts
    // rounded to the ban as printed (printedAmount). DbError when the selection fails; a
    // row that cannot be added is skipped.
    QVector<ReportRow> build(SituationKind kind, const Options &options);
    // The answer table belongs to the run.
    void dropAnswerTable();

    // An amount as the number masks print it with two decimals (half away from zero on
    // its decimal value: 12.495 gives 12.50), the one rounding of the lines and totals of
    // the situations.
    static double printedAmount(double value);

    // The organisation record `firmNo` and the budget's name for the page header. False
    // when a budget is given that the budget table does not hold.
    bool readHeader(int firmNo, const QString &budget, SituationReport::Header &header);
    bool hasBudgets();

private:
    Database &m_db;
};
