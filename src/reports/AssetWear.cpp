#include "reports/AssetWear.h"

#include <cmath>

int AssetWear::wholeMonths(double serviceLifeMonths)
{
    if (!std::isfinite(serviceLifeMonths) || serviceLifeMonths <= 0)
        return 0;
    // Through 15 significant digits, so a life stored as 11.4999999999 still prints and
    // counts as the 11.5 it was typed as.
    const double typed = QString::number(serviceLifeMonths, 'g', 15).toDouble();
    const double rounded = std::round(typed);
    return rounded > 1.0e6 ? 1000000 : int(rounded);
}

QDate AssetWear::endOfLife(const QDate &lot, int months)
{
    return lot.isValid() ? lot.addMonths(months) : QDate();
}

QString AssetWear::yearMonth(const QDate &lot)
{
    if (!lot.isValid())
        return QString();
    return QStringLiteral("%1/%2").arg(lot.month(), 2, 10, QLatin1Char('0')).arg(lot.year(), 4, 10, QLatin1Char('0'));
}

double AssetWear::monthsExpired(const QDate &end, const QDate &date)
{
    const qint64 days = end.daysTo(date);
    return days > 0 ? double(days) * 48.0 / 1461.0 : 0.0;
}

double AssetWear::wearPercent(const QDate &lot, const QDate &end, const QDate &date)
{
    if (monthsExpired(end, date) != 0)
        return 100;
    const qint64 elapsed = lot.daysTo(date);
    if (elapsed < 0)
        return 0;
    const qint64 life = lot.daysTo(end);
    if (life <= 0)
        return 100;
    // x 100, rounded to the nearest whole number with halves to even, / 100.
    const double share = double(elapsed) * 100.0 / double(life);
    return std::nearbyint(share * 100.0) / 100.0;
}

std::optional<AssetWear::Values> AssetWear::compute(const QDate &lot, std::optional<double> serviceLifeMonths,
                                                    const QDate &date)
{
    if (!lot.isValid() || !serviceLifeMonths || !date.isValid())
        return std::nullopt;
    Values v;
    v.months = wholeMonths(*serviceLifeMonths);
    v.end = endOfLife(lot, v.months);
    v.expired = monthsExpired(v.end, date);
    v.wear = wearPercent(lot, v.end, date);
    v.yearMonth = yearMonth(lot);
    return v;
}
