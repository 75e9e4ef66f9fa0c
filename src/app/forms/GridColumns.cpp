#include "app/forms/GridColumns.h"

#include <QHeaderView>
#include <QTableView>

void GridColumns::fit(QTableView *grid, const QMap<int, int> &minimumChars, int maximumChars)
{
    if (!grid->model())
        return;
    QHeaderView *header = grid->horizontalHeader();
    const int charWidth = grid->fontMetrics().averageCharWidth();
    const int margin = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 8;
    for (int column = 0; column < header->count(); ++column) {
        if (grid->isColumnHidden(column))
            continue;
        const int caption = header->sectionSizeHint(column) + 4;
        const int content = qMin(static_cast<const QAbstractItemView *>(grid)->sizeHintForColumn(column), maximumChars * charWidth + margin);
        const int minimum = minimumChars.value(column, 0) * charWidth + margin;
        header->resizeSection(column, qMax(caption, qMax(content, minimum)));
    }
}
