#pragma once

#include "catalogs/SqlCondition.h"

#include <QString>
#include <QStringList>

// The lists of codes that the selection dialogs hand to the reports: each code between
// double quotes, joined by commas ("A1","B2"); empty means "all". A double quote inside
// a code is doubled, so any code survives the round trip. A text that does not start
// with a double quote is one bare code (the budget, a single beneficiary).
class CodeList
{
public:
    static QString quoted(const QStringList &codes);
    // One code stays bare, several are quoted: the form of the beneficiary selection,
    // which the reports compare with "=" for one and use in IN for several.
    static QString bareOrQuoted(const QStringList &codes);
    static QStringList parse(const QString &text);

    // "<column> IN (:<prefix>0, :<prefix>1, ...)" with the codes bound; no restriction
    // for an empty text. `column` is a name written by the program, never user text.
    static SqlCondition inCondition(const QString &column, const QString &text,
                                    const QString &prefix = QStringLiteral("c"));
};
