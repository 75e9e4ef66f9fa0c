#include "app/forms/GridLayoutHeader.h"

#include <QHeaderView>

GridLayout GridLayoutHeader::capture(const QHeaderView *header)
{
    GridLayout layout;
    for (int logical = 0; logical < header->count(); ++logical) {
        // A hidden section reports width 0; it then keeps its design width when shown.
        layout.columns.append({header->visualIndex(logical), header->sectionSize(logical),
                               header->isSectionHidden(logical)});
    }
    return layout;
}

bool GridLayoutHeader::apply(QHeaderView *header, const GridLayout &layout)
{
    if (layout.isEmpty() || !layout.isValid() || layout.columns.size() != header->count())
        return false;
    for (int logical = 0; logical < layout.columns.size(); ++logical) {
        const GridLayout::Column &c = layout.columns.at(logical);
        if (c.width > 0)
            header->resizeSection(logical, c.width);
        header->setSectionHidden(logical, c.hidden);
    }
    for (int visual = 0; visual < layout.columns.size(); ++visual) {
        for (int logical = 0; logical < layout.columns.size(); ++logical) {
            if (layout.columns.at(logical).visualIndex == visual) {
                header->moveSection(header->visualIndex(logical), visual);
                break;
            }
        }
    }
    return true;
}

bool GridLayoutHeader::save(const QHeaderView *header, const QString &path)
{
    return capture(header).write(path);
}

bool GridLayoutHeader::restore(QHeaderView *header, const QString &path)
{
    return apply(header, GridLayout::read(path));
}
