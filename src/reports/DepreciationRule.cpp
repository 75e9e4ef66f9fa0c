#include "reports/DepreciationRule.h"

#include <cmath>

namespace DepreciationRule {

namespace {

// Months since year 0; a missing date is December 1899, the zero date of the old
// registers, so a line without one counts as depreciated long ago.
qint64 monthIndex(const QDate &date)
{
    if (!date.isValid())
        return qint64(1899) * 12 + 11;
    return qint64(date.year()) * 12 + date.month() - 1;
}

// From September 2019 on, the month of putting into use carries no depreciation.
constexpr qint64 firstMonthWithoutDepreciationInMonthOfUse = qint64(2019) * 12 + 8;

double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

double finiteOrZero(long double value)
{
    return std::isfinite(value) ? double(value) : 0.0;
}

} // namespace

long double roundHalfEven(long double value)
{
    const long double below = std::floor(value);
    const long double fraction = value - below;
    if (fraction > 0.5L)
        return below + 1;
    if (fraction < 0.5L)
        return below;
    return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

double roundToCents(long double value)
{
    const long double cents = roundHalfEven(value * 100.0L);
    if (!std::isfinite(cents))
        return 0.0;
    // Divided as double so the result is the same double as the decimal literal.
    return finiteOrZero(double(cents) / 100.0);
}

Result compute(const Input &in, Variant variant)
{
    Result out;
    out.Cantitate = finiteOrZero(finiteOrZero(in.QIn) - finiteOrZero(in.QOut));
    out.Valoare = finiteOrZero(finiteOrZero(in.Pret_achizitie) * out.Cantitate);

    const long double initial = finiteOrZero(in.ValoareAmortizata);
    const long double duration = finiteOrZero(in.DurataRamasa);
    const long double value = out.Valoare;
    const long double toDepreciate = value - initial; // B

    // The month of putting into use does not count; the month of the initial stock does.
    const bool initialStock = in.Contor == -1.0;
    const qint64 reportMonth = monthIndex(in.reportDate);
    const qint64 n = initialStock ? reportMonth - monthIndex(in.Data) + 1
                                  : reportMonth - monthIndex(in.Lot);

    const bool monthOfUseWithoutDepreciation = variant == Variant::Report && !initialStock
                                               && reportMonth >= firstMonthWithoutDepreciationInMonthOfUse
                                               && reportMonth == monthIndex(in.Lot);
    const long double k = (variant == Variant::Card || in.CalcAmortizare) ? 1.0L : 0.0L;

    long double remaining = 0;
    long double monthly = 0;
    long double accumulated = 0;
    if (duration > 0) {
        const long double left = duration - n;
        remaining = left > 0 ? left : 0;
        const double perMonth = roundToCents(toDepreciate / duration); // M
        if (monthOfUseWithoutDepreciation)
            monthly = 0;
        else if (left > 0)
            monthly = perMonth;
        else if (left < 0)
            monthly = 0;
        else // last month: takes the rounding difference, so the months add up to B
            monthly = toDepreciate - (duration - 1) * perMonth;
        accumulated = left > 0 ? initial + monthly * (duration - remaining) * k : value * k;
    } else {
        // No duration left at entry (0, negative or unreadable): nothing to spread B
        // over, so the whole of it is taken at once in the reference month and the line
        // counts as fully depreciated at every date, like a line whose duration has run
        // out. Avoids B / 0 and a negative monthly amount from B / negative.
        remaining = 0;
        monthly = (n == 0 && !monthOfUseWithoutDepreciation) ? toDepreciate : 0;
        accumulated = value * k;
    }

    out.DurataRamasaActualizata = finiteOrZero(remaining);
    out.AmortizareLunara = finiteOrZero(monthly);
    out.AmortizareCalculata = finiteOrZero(accumulated);
    out.ValoareRamasa = finiteOrZero(value - (long double)out.AmortizareCalculata);
    return out;
}

} // namespace DepreciationRule
