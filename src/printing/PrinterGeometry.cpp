#include "printing/PrinterGeometry.h"

#include <cmath>

namespace {

// Halves go to the even neighbour (the default floating-point rounding mode).
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

int dotsToMm(double dots, double dpi)
{
    return dpi > 0 ? roundEven(dots / dpi * 25.4) : 0;
}

// The minimum margins are rounded up by half a millimetre before rounding, so that a
// margin equal to the minimum never reaches into the non-printable border.
int borderToMm(double dots, double dpi)
{
    return dpi > 0 ? roundEven(dots / dpi * 25.4 + 0.5) : 0;
}

} // namespace

PrinterGeometry PrinterGeometry::fromMetrics(const DeviceMetrics &m)
{
    PrinterGeometry g;
    g.minLeft = borderToMm(m.offsetX, m.dpiX);
    g.minTop = borderToMm(m.offsetY, m.dpiY);
    g.minRight = borderToMm(m.physicalWidth - m.offsetX - m.printableWidth, m.dpiX);
    g.minBottom = borderToMm(m.physicalHeight - m.offsetY - m.printableHeight, m.dpiY);
    g.pageWidth = dotsToMm(m.physicalWidth, m.dpiX);
    g.pageHeight = dotsToMm(m.physicalHeight, m.dpiY);
    return g;
}
