#include "app/NumberFormat.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

struct Mask
{
    QString prefix;
    QString suffix;
    int minInt = 0;     // '0' places before the point
    int minDec = 0;     // '0' places after it
    int maxDec = 0;     // all digit places after it
    bool thousands = false;
    bool valid = false; // holds at least one digit place
};

bool isPlace(QChar c)
{
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

Mask parseMask(const QString &mask)
{
    Mask m;
    bool inDigits = false;
    bool afterDigits = false;
    bool afterPoint = false;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = mask.indexOf(c, i + 1);
            const QString literal = mask.mid(i + 1, end < 0 ? -1 : end - i - 1);
            if (inDigits || afterDigits) {
                afterDigits = true;
                inDigits = false;
                m.suffix += literal;
            } else {
                m.prefix += literal;
            }
            i = end < 0 ? mask.size() : end;
            continue;
        }
        const bool numeric = isPlace(c) || c == QLatin1Char(',') || c == QLatin1Char('.');
        if (numeric && !afterDigits) {
            inDigits = true;
            if (c == QLatin1Char('.')) {
                if (afterPoint) { // a second point ends the number part
                    inDigits = false;
                    afterDigits = true;
                    m.suffix += c;
                } else {
                    afterPoint = true;
                }
            } else if (c == QLatin1Char(',')) {
                if (!afterPoint)
                    m.thousands = true;
            } else {
                m.valid = true;
                if (afterPoint) {
                    ++m.maxDec;
                    if (c == QLatin1Char('0'))
                        m.minDec = m.maxDec; // a '0' after '#' still forces the places up to it
                } else if (c == QLatin1Char('0')) {
                    ++m.minInt;
                }
            }
            continue;
        }
        if (inDigits) {
            inDigits = false;
            afterDigits = true;
        }
        (afterDigits ? m.suffix : m.prefix) += c;
    }
    return m;
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
    }
    digits.prepend(QLatin1Char('1'));
}

QString generalFormat(double value, const NationalFormats &formats)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), formats.decimalSeparator());
    // Exponents as the program always wrote them: 1E20, 1,5E-7.
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        const int exponent = text.mid(e + 1).toInt();
        text = text.left(e) + QLatin1Char('E') + QString::number(exponent);
    }
    return text;
}

} // namespace

QString formatNumber(double value, const QString &mask, const NationalFormats &formats)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    const Mask m = parseMask(mask);
    if (!m.valid && !mask.contains(QLatin1Char('.')))
        return mask.isEmpty() ? generalFormat(value, formats) : m.prefix + m.suffix;

    // 15 significant digits: the decimal number the user meant, not the binary neighbour
    // (2.675 is stored as 2.67499999...).
    const QString sci = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+XX
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(1) + sci.mid(2, ePos - 2);
    const int exponent = sci.mid(ePos + 1).toInt();

    QString intPart;
    QString decPart;
    if (value == 0.0) {
        intPart = QStringLiteral("0");
    } else if (exponent >= 0) {
        const int intLen = exponent + 1;
        if (intLen >= digits.size()) {
            intPart = digits + QString(intLen - digits.size(), QLatin1Char('0'));
        } else {
            intPart = digits.left(intLen);
            decPart = digits.mid(intLen);
        }
    } else {
        intPart = QStringLiteral("0");
        decPart = QString(-exponent - 1, QLatin1Char('0')) + digits;
    }

    // Half away from zero, on the decimal digits.
    if (decPart.size() > m.maxDec) {
        const bool up = decPart.at(m.maxDec) >= QLatin1Char('5');
        decPart.truncate(m.maxDec);
        if (up) {
            QString all = intPart + decPart;
            incrementDigits(all);
            intPart = all.left(all.size() - decPart.size());
            decPart = all.right(decPart.size());
        }
    }
    while (decPart.size() > m.minDec && decPart.endsWith(QLatin1Char('0')))
        decPart.chop(1);
    while (decPart.size() < m.minDec)
        decPart += QLatin1Char('0');

    qsizetype lead = 0;
    while (lead < intPart.size() && intPart.at(lead) == QLatin1Char('0'))
        ++lead;
    intPart = intPart.mid(lead);
    while (intPart.size() < m.minInt)
        intPart.prepend(QLatin1Char('0'));

    const auto hasNonZero = [](const QString &digits) {
        return std::any_of(digits.cbegin(), digits.cend(),
                           [](QChar c) { return c != QLatin1Char('0'); });
    };
    const bool nonZero = hasNonZero(intPart) || hasNonZero(decPart);

    if (m.thousands && intPart.size() > 3) {
        QString grouped;
        const qsizetype n = intPart.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                grouped += formats.thousandSeparator();
            grouped += intPart.at(i);
        }
        intPart = grouped;
    }

    QString number = intPart;
    if (!decPart.isEmpty())
        number += formats.decimalSeparator() + decPart;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const QString sign = (value < 0 && nonZero) ? QStringLiteral("-") : QString();
    return sign + m.prefix + number + m.suffix;
}

double parseNumber(const QString &text, bool *ok, const NationalFormats &formats)
{
    const QString sep = QRegularExpression::escape(QString(formats.decimalSeparator()));
    const QRegularExpression re(
        QStringLiteral("^[+-]?(\\d+(%1\\d*)?|%1\\d+)([eE][+-]?\\d+)?$").arg(sep));
    const QString trimmed = text.trimmed();
    bool good = re.match(trimmed).hasMatch();
    double value = 0.0;
    if (good) {
        QString c = trimmed;
        c.replace(formats.decimalSeparator(), QLatin1Char('.'));
        value = c.toDouble(&good);
        if (!good || !std::isfinite(value)) {
            good = false;
            value = 0.0;
        }
    }
    if (ok)
        *ok = good;
    return value;
}

bool parseOptionalNumber(const QString &text, std::optional<double> &target)
{
    if (text.trimmed().isEmpty()) {
        target.reset();
        return true;
    }
    bool ok = false;
    const double parsed = parseNumber(text, &ok);
    if (ok)
        target = parsed;
    return ok;
}
