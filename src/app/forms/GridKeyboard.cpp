#include "app/forms/GridKeyboard.h"

#include "app/forms/GridCellDelegate.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QTableView>

GridKeyboard::GridKeyboard(QTableView *grid) : QObject(grid), m_grid(grid)
{
    m_grid->installEventFilter(this);
}

GridKeyboard *GridKeyboard::of(const QAbstractItemView *view)
{
    return view ? view->findChild<GridKeyboard *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool GridKeyboard::active() const
{
    return m_grid->model() && m_grid->editTriggers() != QAbstractItemView::NoEditTriggers;
}

bool GridKeyboard::isEditable(int row, int column) const
{
    if (m_grid->isColumnHidden(column))
        return false;
    const Qt::ItemFlags flags = m_grid->model()->index(row, column).flags();
    return (flags & Qt::ItemIsEnabled) && (flags & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));
}

int GridKeyboard::editableColumn(int row, int from, int step) const
{
    const QHeaderView *header = m_grid->horizontalHeader();
    for (int visual = from + step; visual >= 0 && visual < header->count(); visual += step) {
        const int column = header->logicalIndex(visual);
        if (isEditable(row, column))
            return column;
    }
    return -1;
}

void GridKeyboard::goTo(int row, int column)
{
    const QModelIndex target = m_grid->model()->index(row, column);
    m_grid->setCurrentIndex(target);
    m_grid->scrollTo(target);
}

void GridKeyboard::pressDown()
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(m_grid, &down);
}

bool GridKeyboard::moveNext()
{
    const QAbstractItemModel *model = m_grid->model();
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return false;
    const int visual = m_grid->horizontalHeader()->visualIndex(current.column());
    const int column = editableColumn(current.row(), visual, 1);
    if (column >= 0) {
        goTo(current.row(), column);
        return true;
    }
    for (int row = current.row() + 1; row < model->rowCount(); ++row) {
        const int first = editableColumn(row, -1, 1);
        if (first >= 0) {
            goTo(row, first);
            return true;
        }
    }
    // The last line: the window decides whether a new line starts, as for Down.
    const int rows = model->rowCount();
    pressDown();
    return model->rowCount() != rows || m_grid->currentIndex() != current;
}

bool GridKeyboard::movePrevious()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return false;
    const QHeaderView *header = m_grid->horizontalHeader();
    const int column = editableColumn(current.row(), header->visualIndex(current.column()), -1);
    if (column >= 0) {
        goTo(current.row(), column);
        return true;
    }
    for (int row = current.row() - 1; row >= 0; --row) {
        const int last = editableColumn(row, header->count(), -1);
        if (last >= 0) {
            goTo(row, last);
            return true;
        }
    }
    return false;
}

bool GridKeyboard::moveAlongRow(int step)
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return false;
    const int column = editableColumn(current.row(), m_grid->horizontalHeader()->visualIndex(current.column()), step);
    if (column < 0)
        return false;
    goTo(current.row(), column);
    return true;
}

bool GridKeyboard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress || !active())
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (!m_grid->currentIndex().isValid())
        return false; // an empty grid: Tab goes on to the next field, Down starts a line
    const bool shift = mods & Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        shift ? movePrevious() : moveNext();
        return true;
    case Qt::Key_Backtab:
        movePrevious();
        return true;
    case Qt::Key_Right:
        if (shift)
            return false;
        moveAlongRow(1);
        return true;
    case Qt::Key_Left:
        if (shift)
            return false;
        moveAlongRow(-1);
        return true;
    default:
        return false;
    }
}

bool GridKeyboard::editorKey(QWidget *editor, QKeyEvent *key)
{
    if (!active())
        return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A drop-down list keeps its arrows for choosing.
        if (qobject_cast<QComboBox *>(editor))
            return false;
        break;
    default:
        return false;
    }
    const QModelIndex index = m_grid->currentIndex();
    if (m_grid->indexWidget(index) != editor)
        return false;
    const QPersistentModelIndex at(index);
    QPointer<QWidget> open(editor);
    QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
    QMetaObject::invokeMethod(m_grid, "commitData", Q_ARG(QWidget *, editor));
    auto *delegate = qobject_cast<GridCellDelegate *>(m_grid->itemDelegateForIndex(at));
    if (delegate && delegate->takeRefusal(at))
        return true; // the typed text stays for correction
    // What the model did with the value may have closed the editor already.
    if (open && m_grid->indexWidget(at) == open) {
        // The grid takes the focus back even while its window is not the active one
        // (a message box just closed): the next key must find it.
        const bool focused = open->window()->focusWidget() == open;
        QMetaObject::invokeMethod(m_grid, "closeEditor", Q_ARG(QWidget *, open.data()),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
        if (focused)
            m_grid->setFocus(Qt::OtherFocusReason);
    }
    QCoreApplication::sendEvent(m_grid, &again);
    return true;
}
