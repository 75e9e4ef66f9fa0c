#include "app/BackgroundTiling.h"

QSize BackgroundTiling::tileCount(const QSize &picture, const QSize &area)
{
    if (picture.width() <= 0 || picture.height() <= 0 || area.width() < 0 || area.height() < 0)
        return {0, 0};
    return {area.width() / picture.width() + 1, area.height() / picture.height() + 1};
}

QList<QPoint> BackgroundTiling::tilePositions(const QSize &picture, const QSize &area)
{
    const QSize count = tileCount(picture, area);
    QList<QPoint> positions;
    positions.reserve(count.width() * count.height());
    for (int r = 0; r < count.height(); ++r)
        for (int c = 0; c < count.width(); ++c)
            positions.append({c * picture.width(), r * picture.height()});
    return positions;
}
