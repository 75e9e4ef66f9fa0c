#include "documents/ExchangeRates.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QVariant>

std::optional<double> ExchangeRates::rateAt(const QString &currency, const QDate &date) const
{
    // The primary key (Valuta, Data) serves both look-ups.
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Curs\" FROM \"Curs\" WHERE \"Valuta\" = :v AND \"Data\" <= :d "
                                          "ORDER BY \"Data\" DESC LIMIT 1"),
                           {{QStringLiteral(":v"), currency}, {QStringLiteral(":d"), date.toString(Qt::ISODate)}});
    if (q.next())
        return q.value(0).toDouble();
    q = m_db.run(QStringLiteral("SELECT \"Curs\" FROM \"Curs\" WHERE \"Valuta\" = :v ORDER BY \"Data\" LIMIT 1"),
                 {{QStringLiteral(":v"), currency}});
    if (q.next())
        return q.value(0).toDouble();
    return std::nullopt;
}
