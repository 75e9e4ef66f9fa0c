#include "app/AmountParsing.h"

#include <QStringList>

#include <cmath>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits grouped by `separator`: the first group of one to three digits, every later
// group of exactly three. No separator at all is fine too.
bool wellGrouped(const QString &digits, QChar separator)
{
    const QStringList groups = digits.split(separator);
    if (groups.size() == 1)
        return true;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const qsizetype n = groups.at(i).size();
        if (i == 0 ? (n < 1 || n > 3) : n != 3)
            return false;
    }
    return true;
}

} // namespace

std::optional<double> parseAmount(const QString &typed)
{
    QString text = typed.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1).trimmed();
    }
    if (text.isEmpty())
        return std::nullopt;
    // An exponent, as the program writes very small or large numbers ("1E-6").
    int exponent = 0;
    const qsizetype e = text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        QString power = text.mid(e + 1);
        if (power.startsWith(QLatin1Char('+')))
            power.remove(0, 1);
        bool ok = false;
        exponent = power.toInt(&ok);
        if (!ok || power.isEmpty() || power.contains(QLatin1Char(' ')))
            return std::nullopt;
        text = text.left(e);
        if (text.isEmpty())
            return std::nullopt;
    }
    // Blanks between digit groups ("1 234,56", also the non-breaking one) group thousands.
    QString compact;
    int blanks = 0;
    for (const QChar c : std::as_const(text)) {
        if (c == QLatin1Char(' ') || c == QChar(0x00A0)) {
            ++blanks;
            compact += QLatin1Char(' ');
        } else if (isDigit(c) || c == QLatin1Char('.') || c == QLatin1Char(',')) {
            compact += c;
        } else {
            return std::nullopt;
        }
    }
    const qsizetype dots = compact.count(QLatin1Char('.'));
    const qsizetype commas = compact.count(QLatin1Char(','));
    QChar decimal;
    QChar grouping;
    if (dots > 0 && commas > 0) {
        decimal = compact.lastIndexOf(QLatin1Char('.')) > compact.lastIndexOf(QLatin1Char(',')) ? QLatin1Char('.')
                                                                                                 : QLatin1Char(',');
        grouping = decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
        if (compact.count(decimal) > 1)
            return std::nullopt;
    } else if (dots + commas == 1) {
        decimal = dots ? QLatin1Char('.') : QLatin1Char(',');
    } else if (dots + commas > 1) {
        grouping = dots ? QLatin1Char('.') : QLatin1Char(',');
    }
    if (blanks > 0) {
        if (!grouping.isNull())
            return std::nullopt; // two kinds of thousands separators
        grouping = QLatin1Char(' ');
    }

    QString integer = compact;
    QString fraction;
    if (!decimal.isNull()) {
        const qsizetype at = compact.indexOf(decimal);
        integer = compact.left(at);
        fraction = compact.mid(at + 1);
    }
    if (!grouping.isNull()) {
        if (integer.isEmpty() || !wellGrouped(integer, grouping))
            return std::nullopt;
        integer.remove(grouping);
    }
    if (integer.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    for (const QChar c : std::as_const(integer)) {
        if (!isDigit(c))
            return std::nullopt;
    }
    for (const QChar c : std::as_const(fraction)) {
        if (!isDigit(c))
            return std::nullopt;
    }
    bool ok = false;
    const QString plain = (integer.isEmpty() ? QStringLiteral("0") : integer)
        + (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction)
        + (exponent ? QStringLiteral("e%1").arg(exponent) : QString());
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

bool parseOptionalAmount(const QString &text, std::optional<double> &target)
{
    if (text.trimmed().isEmpty()) {
        target.reset();
        return true;
    }
    const std::optional<double> value = parseAmount(text);
    if (value)
        target = value;
    return value.has_value();
}

QString notAnAmountText(const QString &text)
{
    return QLatin1Char('<') + text + QStringLiteral("> nu este o valoare corecta!");
}
