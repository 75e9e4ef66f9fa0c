#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Database;

// Exchange rates of `Curs`: the rate of a currency at a date is its row of that date,
// else the latest row before it; a date after all rows takes the last one, a date
// before all rows the first one; a currency without rows has no rate.
class ExchangeRates
{
public:
    explicit ExchangeRates(Database &db) : m_db(db) {}

    std::optional<double> rateAt(const QString &currency, const QDate &date) const;

private:
    Database &m_db;
};
