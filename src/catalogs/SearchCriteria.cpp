#include "catalogs/SearchCriteria.h"

#include "app/NumberFormat.h"

QString SearchCriteria::documentNumberText(double value, const NationalFormats &formats)
{
    return formatNumber(value, QStringLiteral("0"), formats);
}

QString SearchCriteria::priceText(double value, const NationalFormats &formats)
{
    return formatNumber(value, QStringLiteral("0.00"), formats);
}

QString SearchCriteria::serialText(double value, const NationalFormats &formats)
{
    return formatNumber(value, QString(), formats);
}

QString SearchCriteria::badNumberMessage()
{
    return QStringLiteral("Valoare numerica incorecta!");
}

bool SearchCriteria::accept(int chosen, const QString &text, const NationalFormats &formats)
{
    double number = 0;
    if (isNumberKind(chosen)) {
        bool ok = false;
        number = parseNumber(text, &ok, formats);
        if (!ok)
            return false;
    }
    switch (chosen) {
    case DocumentNumber:
        documentNumber = number;
        break;
    case Article:
        article = text;
        break;
    case Explanation:
        explanation = text;
        break;
    case Price:
        price = number;
        break;
    case SerialNumber:
        serialNumber = number;
        break;
    default:
        return false;
    }
    kind = chosen;
    return true;
}
