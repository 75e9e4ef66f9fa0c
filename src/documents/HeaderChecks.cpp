#include "documents/HeaderChecks.h"

QString HeaderChecks::typeMissingText()
{
    return QStringLiteral("Completati tipul documentului!");
}

QString HeaderChecks::datesMissingText()
{
    return QStringLiteral("Completati data inregistrarii, numarul si data documentului!");
}

QString HeaderChecks::futureDateText()
{
    return QStringLiteral("Data documentului nu poate fi mai mare decît data înregistrarii! "
                          "(documentul nu poate fi datat în viitor)");
}

QString HeaderChecks::noLinesText()
{
    return QStringLiteral("Documentul trebuie sa contina inregistrari !");
}

QString HeaderChecks::refusal(const QString &type, const QDate &registered, const std::optional<double> &number,
                              const QDate &date, bool hasLines)
{
    if (type.isEmpty())
        return typeMissingText();
    if (!registered.isValid() || !number || !date.isValid())
        return datesMissingText();
    if (date > registered)
        return futureDateText();
    if (!hasLines)
        return noLinesText();
    return {};
}
