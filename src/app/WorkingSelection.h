#pragma once

#include <QDate>
#include <QString>

// The working period, the reference date and the last choices of the report dialogs.
// The main window keeps one; report dialogs receive it by reference and write the
// user's choices back, so that the next report starts from them.
struct WorkingSelection
{
    QDate periodStart;
    QDate periodEnd;
    QDate referenceDate;
    // Management-unit codes, each in double quotes, joined by commas.
    QString units;
    QString groups;
    QString articles;
    QString names;
    QString budget;
    QString custodian;

    // Period from today - 30 days to today, reference date today, no selections.
    static WorkingSelection startingOn(const QDate &today)
    {
        WorkingSelection s;
        s.periodStart = today.addDays(-30);
        s.periodEnd = today;
        s.referenceDate = today;
        return s;
    }

    bool operator==(const WorkingSelection &) const = default;
};
