#pragma once

#include <QString>

#include <optional>

// Amounts as people type them, whatever the decimal separator parameter says:
// "1234,56", "1234.56", "1.234,56", "1,234.56" and "1 234,56" are all 1234.56.
//   - both '.' and ',' present: the last one is the decimal point, the other groups
//     the thousands;
//   - one of them once: the decimal point ("1.234" is 1.234);
//   - one of them several times: thousands groups ("1.234.567");
// thousands groups must be whole (three digits after the first group). An optional
// sign leads, an exponent may follow ("1E-6", "1,5e3"); surrounding blanks are ignored.
std::optional<double> parseAmount(const QString &text);

// A cell that may stay empty: an empty (or blank) text clears `target`, an amount sets
// it; false, and `target` untouched, when the text is not an amount.
bool parseOptionalAmount(const QString &text, std::optional<double> &target);

// The warning for a text that is not a number: "<12a> nu este o valoare corecta!".
QString notAnAmountText(const QString &text);
