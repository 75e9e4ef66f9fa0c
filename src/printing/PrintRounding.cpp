#include "printing/PrintRounding.h"

#include <QString>

#include <cmath>

namespace PrintRounding {

double toDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return 0;
    const double scale = std::pow(10.0, decimals);
    const double scaled = QString::number(value * scale, 'g', 15).toDouble();
    const double r = std::round(scaled) / scale;
    return r == 0 ? 0.0 : r;
}

} // namespace PrintRounding
