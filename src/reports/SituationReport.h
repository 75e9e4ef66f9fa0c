#pragma once

#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"
#include "reports/SituationKind.h"

#include <QDate>
#include <QString>
#include <QVector>

// The printout and the CSV of a depreciation situation from the asset lines of
// DepreciationSituation. The summaries print totals only: one line per classification
// group within each unit (with the main-group breakdown), or one line per unit within
// each main group and account.
namespace SituationReport {

struct Header
{
    QString company;
    QString fiscalCode;
    QString address;
    QString budgetName; // empty: no budget restriction
    QDate date;
    QDate printed;
    bool onlyUndepreciated = false;
};

// One breakdown entry of the third report: main-group key ("2.") and the five amounts.
struct Breakdown
{
    QString key;
    double amounts[5] = {0, 0, 0, 0, 0};
};

ReportDefinition definition(SituationKind kind, const Header &header);
// The printed lines of the summaries (asset lines for the two detailed situations),
// in the row layout of DepreciationSituation, amounts as printed.
QVector<ReportRow> printedLines(SituationKind kind, const QVector<ReportRow> &assetLines);
ReportDocument document(SituationKind kind, const Header &header, const QVector<ReportRow> &assetLines,
                        const PageSetup &page);
QString csv(SituationKind kind, const QVector<ReportRow> &assetLines);

// The main-group key of a classification code: up to and including its first "."; empty
// for a code without ".", which stays out of the breakdown.
QString mainGroupKey(const QString &group);
// Adds the amounts to the entry of the key, or appends a new entry. The lists have no
// upper bound: every main group gets its line.
void addTo(QVector<Breakdown> &list, const Breakdown &entry);

} // namespace SituationReport
