#include "reports/SituationKind.h"

namespace SituationKinds {

namespace {
const SituationKind allKinds[] = {SituationKind::AtDate, SituationKind::ByAccount, SituationKind::Summary,
                                  SituationKind::SummaryByAccount};
}

QString commandName(SituationKind kind)
{
    switch (kind) {
    case SituationKind::AtDate:
        return QStringLiteral("situatia-amortizarii");
    case SituationKind::ByAccount:
        return QStringLiteral("situatia-amortizarii-pe-conturi");
    case SituationKind::Summary:
        return QStringLiteral("centralizator-amortizari");
    case SituationKind::SummaryByAccount:
        return QStringLiteral("centralizator-amortizari-pe-conturi");
    }
    return QString();
}

bool fromCommandName(const QString &name, SituationKind &kind)
{
    for (SituationKind k : allKinds)
        if (commandName(k) == name) {
            kind = k;
            return true;
        }
    return false;
}

QStringList commandNames()
{
    QStringList names;
    for (SituationKind k : allKinds)
        names << commandName(k);
    return names;
}

QString menuCaption(SituationKind kind)
{
    switch (kind) {
    case SituationKind::AtDate:
        return QStringLiteral("Situatia amortizarii la data");
    case SituationKind::ByAccount:
        return QStringLiteral("Situatia amortizarii la data pe conturi");
    case SituationKind::Summary:
        return QStringLiteral("Centralizator calcul amortizari la data");
    case SituationKind::SummaryByAccount:
        return QStringLiteral("Centralizator calcul amortizari la data pe conturi");
    }
    return QString();
}

QString heading(SituationKind kind)
{
    switch (kind) {
    case SituationKind::AtDate:
        return QStringLiteral("Situatia amortizarii mijloacelor fixe");
    case SituationKind::ByAccount:
        return QStringLiteral("Situatia amortizarii pe conturi a mijloacelor fixe");
    case SituationKind::Summary:
        return QStringLiteral("Centralizatorul amortizarii mijloacelor fixe");
    case SituationKind::SummaryByAccount:
        return QStringLiteral("Centralizatorul pe conturi al amortizarii mijloacelor fixe");
    }
    return QString();
}

bool byAccount(SituationKind kind)
{
    return kind == SituationKind::ByAccount || kind == SituationKind::SummaryByAccount;
}

bool isSummary(SituationKind kind)
{
    return kind == SituationKind::Summary || kind == SituationKind::SummaryByAccount;
}

} // namespace SituationKinds
