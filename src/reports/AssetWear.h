#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The age and wear of an asset at the date it is scrapped (or proposed for scrapping):
// the end of its normal service life, the months past it and the share of the life used
// up. Pure arithmetic on the date of putting into use, the service life in months and
// the document's date; the printouts read the inputs and show the results.
class AssetWear
{
public:
    // The service life as a whole number of months: a fractional life is rounded half
    // away from zero, as the "#,##0" mask prints it, so the printed life is the one used.
    // A negative life counts as 0.
    static int wholeMonths(double serviceLifeMonths);

    // `lot` plus `months` calendar months; a day missing in the target month gives the
    // last day of that month (31 January + 1 month is the last day of February).
    static QDate endOfLife(const QDate &lot, int months);

    // "MM/YYYY" of the date of putting into use; empty for a null date.
    static QString yearMonth(const QDate &lot);

    // Months since the life ran out: days past the end of life x 48 / 1461, 0 when the
    // life has not run out yet. Not rounded: only the printout's mask rounds it.
    static double monthsExpired(const QDate &end, const QDate &date);

    // Degree of wear in per cent: 100 once the life has run out (a non-zero monthsExpired),
    // otherwise the days elapsed since `lot` as a share of the life, to two decimals
    // (halves to even), 0 before `lot`. A life of no length is worn out from its first day.
    static double wearPercent(const QDate &lot, const QDate &end, const QDate &date);

    // Everything above for one asset; nullopt when the date of putting into use, the
    // service life or the document's date is unknown.
    struct Values
    {
        int months = 0;     // Norm
        QDate end;          // end of life
        double expired = 0; // Expir
        double wear = 0;    // Proc
        QString yearMonth;  // AnLuna
    };
    static std::optional<Values> compute(const QDate &lot, std::optional<double> serviceLifeMonths,
                                         const QDate &date);
};
