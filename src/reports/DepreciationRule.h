#pragma once

#include <QDate>

// Straight-line depreciation of one asset line at a date: whole calendar months over
// the remaining duration recorded at entry, the monthly amount rounded to the ban and
// the rounding difference taken in the last month. Pure arithmetic: the reports and the
// fixed-asset card read the inputs and print the results; nothing is stored.
//
// Never throws and never returns NaN or infinity, so one bad row cannot stop a report.
namespace DepreciationRule {

enum class Variant {
    // Depreciation situations: stock quantity at the date, no monthly amount in the
    // month of putting into use after 31 August 2019, accumulated amount times k.
    Report,
    // Fixed-asset card: the entry line's own quantity (pass it as QIn with QOut 0),
    // monthly amount also in the month of putting into use, k always 1.
    Card,
};

// Field names follow the stock answer and the entry line. DurataTotala and Domeniu are
// only shown by the reports and play no part in the arithmetic, so they are not here.
struct Input
{
    double QIn = 0;
    double QOut = 0;
    double Pret_achizitie = 0;     // unit acquisition value in lei
    QDate Lot;                     // date of putting into use; null counts as December 1899
    QDate Data;                    // date of the entry document; null as December 1899
    double Contor = 0;             // -1 marks an initial-stock line
    double DurataRamasa = 0;       // months remaining at entry
    double ValoareAmortizata = 0;  // depreciation accumulated at entry
    bool CalcAmortizare = true;
    QDate reportDate;              // only its year and month count
};

struct Result
{
    double Cantitate = 0;
    double Valoare = 0;
    double DurataRamasaActualizata = 0;
    double AmortizareLunara = 0;
    double AmortizareCalculata = 0;
    double ValoareRamasa = 0;
};

Result compute(const Input &input, Variant variant = Variant::Report);

// value rounded to two decimals, halves to the even neighbour; 0 for NaN or infinity.
double roundToCents(long double value);

// Nearest integer, halves to the even neighbour, whatever rounding mode the FPU is in.
long double roundHalfEven(long double value);

} // namespace DepreciationRule
