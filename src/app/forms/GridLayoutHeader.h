#pragma once

#include "app/GridLayout.h"

class QHeaderView;

// Grid layouts of QHeaderView-based grids, saved to and restored from the ".cfg" files
// of the private directory.
namespace GridLayoutHeader {
GridLayout capture(const QHeaderView *header);
// False (and the header untouched) when the layout does not fit the header's columns.
bool apply(QHeaderView *header, const GridLayout &layout);

// When the window closes.
bool save(const QHeaderView *header, const QString &path);
// When the window opens; a missing or corrupt file keeps the design layout.
bool restore(QHeaderView *header, const QString &path);
} // namespace GridLayoutHeader
