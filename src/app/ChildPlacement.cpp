#include "app/ChildPlacement.h"

#include <algorithm>

QRect ChildPlacement::place(const QRect &area, const QSize &wanted, const std::optional<QPoint> &previous, int step)
{
    if (area.isEmpty())
        return QRect(area.topLeft(), wanted);
    const QSize size(std::clamp(wanted.width(), 1, area.width()), std::clamp(wanted.height(), 1, area.height()));
    QPoint at = area.topLeft();
    if (previous) {
        const QPoint next = *previous + QPoint(step, step);
        // A step that would push the window past the right or bottom edge starts the
        // cascade again from the corner.
        if (area.contains(next) && next.x() + size.width() <= area.right() + 1
            && next.y() + size.height() <= area.bottom() + 1)
            at = next;
    }
    return QRect(at, size);
}
