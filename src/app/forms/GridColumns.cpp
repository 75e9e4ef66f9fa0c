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

void GridColumns::keepFitting(QTableView *grid, int maximumChars)
{
    QAbstractItemModel *model = grid->model();
    if (!model)
        return;
    QObject::connect(model, &QAbstractItemModel::dataChanged, grid,
                     [grid, maximumChars](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                         const int charWidth = grid->fontMetrics().averageCharWidth();
                         const int widest = maximumChars * charWidth;
                         // A line's change, not a whole re-read, is what this is for.
                         const int lastRow = qMin(bottomRight.row(), topLeft.row() + 20);
                         for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
                             if (grid->isColumnHidden(column))
                                 continue;
                             int wanted = 0;
                             for (int row = topLeft.row(); row <= lastRow; ++row)
                                 wanted = qMax(wanted, grid->sizeHintForIndex(grid->model()->index(row, column)).width());
                             wanted = qMin(wanted + 4, widest);
                             if (wanted > grid->columnWidth(column))
                                 grid->setColumnWidth(column, wanted);
                         }
                     });
}
