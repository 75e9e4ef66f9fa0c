#include "printing/MarginRules.h"

#include <algorithm>

namespace MarginRules {

Margins onOpening(const Margins &m, const PrinterGeometry &g)
{
    Margins r = m;
    if (r.left < g.minLeft || r.left > g.pageWidth)
        r.left = g.minLeft;
    if (r.top < g.minTop || r.top > g.pageHeight)
        r.top = g.minTop;
    if (r.right < g.minRight || r.right > g.pageWidth)
        r.right = g.minRight;
    if (r.bottom < g.minBottom || r.bottom > g.pageHeight)
        r.bottom = g.minBottom;
    return r;
}

int capAgainstOpposite(int changed, int opposite, int maximum)
{
    if (changed + opposite > maximum)
        return std::max(0, maximum - opposite);
    return changed;
}

bool allAtLeastMinimum(const Margins &m, const PrinterGeometry &g)
{
    return m.top >= g.minTop && m.left >= g.minLeft && m.bottom >= g.minBottom
           && m.right >= g.minRight;
}

Field adjustToMinimum(Margins &m, const PrinterGeometry &g)
{
    Field last = Field::None;
    auto raise = [&last](int &value, int minimum, Field f) {
        if (value < minimum) {
            value = minimum;
            last = f;
        }
    };
    raise(m.top, g.minTop, Field::Top);
    raise(m.bottom, g.minBottom, Field::Bottom);
    raise(m.left, g.minLeft, Field::Left);
    raise(m.right, g.minRight, Field::Right);
    if (m.left + m.right >= g.pageWidth) {
        m.left = g.minLeft;
        m.right = g.minRight;
        last = Field::Right;
    }
    if (m.top + m.bottom >= g.pageHeight) {
        m.top = g.minTop;
        m.bottom = g.minBottom;
        last = Field::Bottom;
    }
    return last;
}

Margins raisedToMinimum(const Margins &m, const PrinterGeometry &g)
{
    return {std::max(m.top, g.minTop), std::max(m.left, g.minLeft),
            std::max(m.bottom, g.minBottom), std::max(m.right, g.minRight)};
}

Margins withinPage(const Margins &m, const PrinterGeometry &g)
{
    Margins r = onOpening(m, g);
    if (r.left + r.right >= g.pageWidth) {
        r.left = g.minLeft;
        r.right = g.minRight;
    }
    if (r.top + r.bottom >= g.pageHeight) {
        r.top = g.minTop;
        r.bottom = g.minBottom;
    }
    return r;
}

} // namespace MarginRules
