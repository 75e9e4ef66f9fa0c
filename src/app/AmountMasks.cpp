#include "app/AmountMasks.h"

#include "app/Parameters.h"

QString AmountMasks::withDecimals(int decimals)
{
    return QStringLiteral("#,##0.") + QString(qMax(0, decimals), QLatin1Char('0'));
}

QString AmountMasks::editWithDecimals(int decimals)
{
    return QStringLiteral("0.") + QString(qMax(0, decimals), QLatin1Char('#'));
}

QString AmountMasks::lei(const Parameters &parameters)
{
    return withDecimals(parameters.nrZecimaleLei);
}

QString AmountMasks::leiEdit(const Parameters &parameters)
{
    return editWithDecimals(parameters.nrZecimaleLei);
}

QString AmountMasks::currency(const Parameters &parameters)
{
    return withDecimals(parameters.nrZecimaleValuta);
}

QString AmountMasks::currencyEdit(const Parameters &parameters)
{
    return editWithDecimals(parameters.nrZecimaleValuta);
}

QString AmountMasks::quantity()
{
    return QStringLiteral("#,##0.###");
}
