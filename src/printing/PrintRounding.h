#pragma once

// Amounts rounded the way the number masks print them, so that a total adds exactly
// what its lines show.
namespace PrintRounding {

// Half away from zero on the decimal value (15 significant digits): 2.675 gives 2.68.
// NaN and infinity give 0.
double toDecimals(double value, int decimals);

} // namespace PrintRounding
