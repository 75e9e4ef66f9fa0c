#pragma once

#include <QMap>

class QTableView;

// Column widths of a grid opened without a stored layout: every shown column as wide as
// the larger of its caption and the rows now in view, and at least `minimumChars`
// characters where given (logical column -> characters); no column wider than
// `maximumChars` characters unless its caption needs it.
namespace GridColumns {
void fit(QTableView *grid, const QMap<int, int> &minimumChars = {}, int maximumChars = 45);
// From now on a column widens when a value typed or computed in it no longer fits (up
// to `maximumChars` characters); it never narrows by itself.
void keepFitting(QTableView *grid, int maximumChars = 45);
} // namespace GridColumns
