#include "documents/forms/OpenCellEditor.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QTableView>

namespace OpenCellEditor {

QWidget *of(const QTableView *grid)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && focus != grid && grid->isAncestorOf(focus) ? focus : nullptr;
}

void commit(QTableView *grid)
{
    if (QWidget *editor = of(grid))
        QMetaObject::invokeMethod(grid, "commitData", Q_ARG(QWidget *, editor));
}

void commitAndClose(QTableView *grid)
{
    if (QWidget *editor = of(grid)) {
        QMetaObject::invokeMethod(grid, "commitData", Q_ARG(QWidget *, editor));
        QMetaObject::invokeMethod(grid, "closeEditor", Q_ARG(QWidget *, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
}

void revert(QTableView *grid)
{
    if (QWidget *editor = of(grid))
        QMetaObject::invokeMethod(grid, "closeEditor", Q_ARG(QWidget *, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::RevertModelCache));
}

} // namespace OpenCellEditor
