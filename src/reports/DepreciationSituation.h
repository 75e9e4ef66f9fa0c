#pragma once

#include "printing/ReportDefinition.h"
#include "reports/SituationKind.h"
#include "reports/SituationReport.h"

#include <QDate>
#include <QString>
#include <QStringList>

class Database;

// The asset lines of a depreciation situation as report rows, in print order, from one
// pass over the entry and exit lines (SituationLines): the stock at the date, the entry
// line of each asset and the rule together. The summaries total these same lines; the
// CSV is written from the same pass by SituationCsv.
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
        bool withLots = false; // the stock key holds `Lot` (parameter "Se lucreaza cu loturi")
    };

    explicit DepreciationSituation(Database &db) : m_db(db) {}

    // The lines in print order, amounts rounded to the ban as printed (printedAmount).
    // *documents (when given) is false when no entry line counts at the date for the
    // units: the "no documents" case. DbError when the reading fails.
    QVector<ReportRow> build(SituationKind kind, const Options &options, bool *documents = nullptr);
    // Drops an ANSW_TMP left in the private directory: the lines no longer go through it.
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
