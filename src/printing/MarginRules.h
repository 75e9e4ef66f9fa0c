#pragma once

#include "printing/PrinterGeometry.h"

// The margin rules of the print-settings dialog and of the output step.
namespace MarginRules {

enum class Field { None, Top, Left, Bottom, Right };

// On opening the dialog: a margin below its minimum or beyond the page is replaced by
// the minimum.
Margins onOpening(const Margins &m, const PrinterGeometry &g);

// A changed margin that together with the opposite one exceeds the field's maximum is
// lowered to maximum - opposite.
int capAgainstOpposite(int changed, int opposite, int maximum);

bool allAtLeastMinimum(const Margins &m, const PrinterGeometry &g);

// "Yes" to the margin question: every margin below its minimum is raised to it; a pair
// that fills the page falls back to both minimums. Returns the last field changed.
Field adjustToMinimum(Margins &m, const PrinterGeometry &g);

// The output step: any margin below the printer's minimum is raised to it.
Margins raisedToMinimum(const Margins &m, const PrinterGeometry &g);

// Margins that keep the report on the paper, whatever the INI file held: a margin below
// its minimum or beyond the page becomes the minimum, and a pair that leaves no room
// between them (left and right, top and bottom) falls back to both minimums.
Margins withinPage(const Margins &m, const PrinterGeometry &g);

} // namespace MarginRules
