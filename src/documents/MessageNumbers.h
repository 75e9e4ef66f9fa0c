#pragma once

#include "app/NationalFormats.h"

#include <QString>

// How numbers appear inside the documents' message texts: "%f" fixed with two decimals,
// "%n" with thousands separators and two decimals, "%m" an amount in lei.
namespace MessageNumbers {

QString fixed(double value, const NationalFormats &formats = NationalFormats::current());
QString number(double value, const NationalFormats &formats = NationalFormats::current());
QString money(double value, const NationalFormats &formats = NationalFormats::current());

} // namespace MessageNumbers
