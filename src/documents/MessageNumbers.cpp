#include "documents/MessageNumbers.h"

#include "app/NumberFormat.h"

QString MessageNumbers::fixed(double value, const NationalFormats &formats)
{
    return formatNumber(value, QStringLiteral("0.00"), formats);
}

QString MessageNumbers::number(double value, const NationalFormats &formats)
{
    return formatNumber(value, QStringLiteral("#,##0.00"), formats);
}

QString MessageNumbers::money(double value, const NationalFormats &formats)
{
    return formatNumber(value, QStringLiteral("#,##0.00"), formats) + QStringLiteral(" lei");
}
