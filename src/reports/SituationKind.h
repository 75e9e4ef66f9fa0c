#pragma once

#include <QString>
#include <QStringList>

// The four depreciation situations at a date.
enum class SituationKind {
    AtDate,           // one line per asset, by unit and classification group
    ByAccount,        // one line per asset, by account, main group, unit and group
    Summary,          // one line per classification group within each unit
    SummaryByAccount, // one line per unit within each main group and account
};

namespace SituationKinds {

// Name of the headless command ("situatia-amortizarii"...); kind from a name, false
// when the name is unknown.
QString commandName(SituationKind kind);
bool fromCommandName(const QString &name, SituationKind &kind);
QStringList commandNames();

QString menuCaption(SituationKind kind);
QString heading(SituationKind kind);
bool byAccount(SituationKind kind);
bool isSummary(SituationKind kind);

} // namespace SituationKinds
