#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One report selection dialog as data: the query it lists, its texts and how its
// result is formed. The dialogs differ only in these.
struct SelectionSource
{
    enum class Result {
        QuotedList,   // "A1","B2"
        CurrentBare,  // the code of the current row, as it is
        BareOrQuoted, // one bare code, several quoted
    };

    QString caption = QStringLiteral("Selectie");
    QString label;
    QString allText;
    QString cancelText = QStringLiteral("&Inchide");
    QString sql;
    QStringList captions; // grid columns, in query order
    bool multiple = true;
    Result result = Result::QuotedList;

    static QString defaultLabel();
    static SelectionSource managementUnits();
    static SelectionSource budgets();
    static SelectionSource suppliers();
    static SelectionSource beneficiaries();
    static SelectionSource articles();

    // The result text of an accepted dialog: empty when "all" stays checked, else
    // built from the codes of the selected rows (in grid order) or the current row.
    QString resultText(bool all, const QStringList &selectedCodes, const QString &currentCode) const;
};
