#include "printing/FastNumberFormat.h"

#include "app/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

FastNumberFormat::FastNumberFormat(const QString &mask) : m_mask(mask)
{
    bool point = false;
    bool place = false;
    for (QChar c : mask) {
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            place = true;
            if (point) {
                ++m_maxDec;
                if (c == QLatin1Char('0'))
                    m_minDec = m_maxDec;
            } else if (c == QLatin1Char('0')) {
                ++m_minInt;
            }
        } else if (c == QLatin1Char(',')) {
            if (!point)
                m_thousands = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return; // literals, a second point: the general formatter
        }
    }
    m_fast = place && m_maxDec <= 15;
}

QString FastNumberFormat::format(double value, const NationalFormats &formats) const
{
    if (!m_fast || !std::isfinite(value))
        return formatNumber(value, m_mask, formats);

    // 15 significant digits, then half away from zero on the decimal digits.
    char sci[32];
    std::snprintf(sci, sizeof sci, "%.14e", std::fabs(value));
    char digits[16];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, 14);
    const int exponent = std::atoi(std::strchr(sci, 'e') + 1);

    // Integer and decimal digits laid out in one buffer: [int][dec].
    char buf[400];
    int intLen = 0;
    int decLen = 0;
    if (value == 0.0) {
        buf[0] = '0';
        intLen = 1;
    } else if (exponent >= 0) {
        if (exponent > 300)
            return formatNumber(value, m_mask, formats);
        intLen = exponent + 1;
        for (int i = 0; i < intLen; ++i)
            buf[i] = i < 15 ? digits[i] : '0';
        for (int i = intLen; i < 15; ++i)
            buf[intLen + decLen++] = digits[i];
    } else {
        if (-exponent - 1 + 15 > 300)
            return formatNumber(value, m_mask, formats);
        buf[0] = '0';
        intLen = 1;
        for (int i = 0; i < -exponent - 1; ++i)
            buf[intLen + decLen++] = '0';
        for (int i = 0; i < 15; ++i)
            buf[intLen + decLen++] = digits[i];
    }
    if (decLen > m_maxDec) {
        const bool up = buf[intLen + m_maxDec] >= '5';
        decLen = m_maxDec;
        if (up) {
            int i = intLen + decLen - 1;
            for (; i >= 0; --i) {
                if (buf[i] == '9') {
                    buf[i] = '0';
                } else {
                    ++buf[i];
                    break;
                }
            }
            if (i < 0) {
                std::memmove(buf + 1, buf, size_t(intLen + decLen));
                buf[0] = '1';
                ++intLen;
            }
        }
    }
    while (decLen > m_minDec && buf[intLen + decLen - 1] == '0')
        --decLen;
    const char *dec = buf + intLen;
    char decDigits[32];
    std::memcpy(decDigits, dec, size_t(decLen));
    while (decLen < m_minDec)
        decDigits[decLen++] = '0';

    int lead = 0;
    while (lead < intLen && buf[lead] == '0')
        ++lead;
    const char *intDigits = buf + lead;
    int intCount = intLen - lead;
    const int pad = std::max(0, m_minInt - intCount);

    bool nonZero = false;
    for (int i = 0; i < intCount && !nonZero; ++i)
        nonZero = intDigits[i] != '0';
    for (int i = 0; i < decLen && !nonZero; ++i)
        nonZero = decDigits[i] != '0';

    QString out;
    out.reserve(intCount + pad + decLen + intCount / 3 + 3);
    if (value < 0 && nonZero)
        out += QLatin1Char('-');
    const int total = intCount + pad;
    for (int i = 0; i < total; ++i) {
        if (m_thousands && i > 0 && (total - i) % 3 == 0)
            out += formats.thousandSeparator();
        out += QLatin1Char(i < pad ? '0' : intDigits[i - pad]);
    }
    if (decLen > 0) {
        out += formats.decimalSeparator();
        out += QLatin1String(decDigits, decLen);
    }
    if (out.isEmpty() || out == QLatin1String("-"))
        out = QStringLiteral("0");
    return out;
}
