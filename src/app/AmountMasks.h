#pragma once

#include <QString>

class Parameters;

// The masks every grid shows amounts with (for NumberFormat's formatNumber), from the
// decimal parameters: all places shown, so a column of prices lines up ("4.850,50"
// under "1.439.660,45"). The edit masks give the text a cell editor starts with: no
// thousands separators, no trailing zeros.
namespace AmountMasks {
// Prices and values in lei: "#,##0." and `Nr zecimale lei` zeros.
QString lei(const Parameters &parameters);
QString leiEdit(const Parameters &parameters);
// Prices in foreign currency: `Nr zecimale valuta`.
QString currency(const Parameters &parameters);
QString currencyEdit(const Parameters &parameters);
// With a given number of decimals (the windows opened without the parameters use 2).
QString withDecimals(int decimals);
QString editWithDecimals(int decimals);
// Quantities: grouped, up to three decimals when there are any.
QString quantity();
} // namespace AmountMasks
