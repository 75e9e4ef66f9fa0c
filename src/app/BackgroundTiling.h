#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

// Where the background picture of the MDI client area is drawn: rows 0 .. h div ph and
// columns 0 .. w div pw, from the top-left corner (one partial tile past each edge).
namespace BackgroundTiling {
// Empty when the picture has no width or height.
QList<QPoint> tilePositions(const QSize &picture, const QSize &area);
// Columns and rows drawn; 0 x 0 when nothing is drawn.
QSize tileCount(const QSize &picture, const QSize &area);
} // namespace BackgroundTiling
