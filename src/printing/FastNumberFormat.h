#pragma once

#include "app/NationalFormats.h"

#include <QString>

// formatNumber() for the plain masks reports use on every cell ("#,##0.00", "#,##0",
// "0.###"): the mask is parsed once and the digits are worked on a small char buffer.
// Gives exactly what formatNumber() gives; other masks go to formatNumber() itself.
class FastNumberFormat
{
public:
    explicit FastNumberFormat(const QString &mask);

    QString format(double value, const NationalFormats &formats = NationalFormats::current()) const;
    bool isFast() const { return m_fast; }

private:
    QString m_mask;
    bool m_fast = false;
    bool m_thousands = false;
    int m_minInt = 0;
    int m_minDec = 0;
    int m_maxDec = 0;
};
