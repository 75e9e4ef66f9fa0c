#pragma once

#include <QMap>

class QTableView;

// Column widths of a grid opened without a stored layout: every shown column as wide as
// the larger of its caption and the rows now in view, and at least `minimumChars`
// characters where given (logical column -> characters); no column wider than
// `maximumChars` characters unless its caption needs it.
namespace GridColumns {
void fit(QTableView *grid, const QMap<int, int> &minimumChars = {}, int maximumChars = 45);
} // namespace GridColumns
