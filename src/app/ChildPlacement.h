#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where a new child window goes in the main window's client area: wholly inside it,
// one step down and right of the window opened before, back at the top-left corner
// when the next step would leave the area.
class ChildPlacement
{
public:
    // `area`: the client area; `wanted`: the size the window asks for; `previous`: the
    // top-left corner of the window opened before, when it is still open; `step`: the
    // height of a title bar. A window larger than the area is cut down to it.
    static QRect place(const QRect &area, const QSize &wanted, const std::optional<QPoint> &previous, int step);
};
