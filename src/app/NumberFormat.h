#pragma once

#include "app/NationalFormats.h"

#include <QString>

#include <optional>

// Formats a number with a mask in the manner of the program's masks ("#,##0.00",
// "#,##0.", "0.###########", "#,##0.#####", "#,##0"):
//   '0'  a digit always shown (leading/trailing zeros are kept),
//   '#'  a digit shown only when significant,
//   ','  anywhere before the decimal point: group the thousands,
//   '.'  the decimal point; with no digit place after it no separator is printed,
//   text in single or double quotes, and any other character before the first or after
//   the last digit place, is printed as is.
// The decimal value (15 significant digits, what a double holds reliably) is rounded half
// away from zero, so 2.675 gives "2,68"; a value that rounds to zero has no sign.
// An empty mask gives the general format (up to 15 significant digits).
QString formatNumber(double value, const QString &mask,
                     const NationalFormats &formats = NationalFormats::current());

// Reads a number typed with the current decimal separator (no thousands separators,
// optional sign and exponent, surrounding blanks ignored). *ok tells whether it was one;
// the result is 0 when not.
double parseNumber(const QString &text, bool *ok = nullptr,
                   const NationalFormats &formats = NationalFormats::current());

// A cell that may stay empty: an empty (or blank) text clears `target`, a number sets it;
// false, and `target` untouched, when the text is not a number.
bool parseOptionalNumber(const QString &text, std::optional<double> &target);
