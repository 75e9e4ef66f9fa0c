#include "catalogs/forms/GridEditing.h"

#include "app/Messages.h"
#include "app/forms/GridKeyboard.h"
#include "catalogs/NomenclatorModel.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QTimer>

GridEditing::GridEditing(QTableView *grid, NomenclatorModel *model, Messages &messages,
                         const QString &keyField, QObject *parent)
    : QObject(parent), m_grid(grid), m_model(model), m_messages(messages), m_keyField(keyField)
{
    m_grid->installEventFilter(this);
    // While the rows can be edited, Tab, Enter and the arrows go from cell to cell.
    if (!GridKeyboard::of(m_grid))
        new GridKeyboard(m_grid);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &GridEditing::currentRowChanged);
    setEditable(false);
}

QString GridEditing::deleteQuestion()
{
    return QStringLiteral("Stergeti înregistrarea curenta?");
}

void GridEditing::setEditable(bool on)
{
    m_editable = on;
    m_model->setReadOnly(!on);
    if (on) {
        m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    } else {
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_grid->setSelectionMode(m_multi ? QAbstractItemView::ExtendedSelection
                                         : QAbstractItemView::SingleSelection);
    }
}

void GridEditing::goToRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = qMax(0, m_grid->currentIndex().isValid() ? m_grid->currentIndex().column()
                                                                 : m_grid->horizontalHeader()->logicalIndex(0));
    const QModelIndex target = m_model->index(row, column);
    m_grid->selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect
                    | (m_editable ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
    m_grid->scrollTo(target);
}

int GridEditing::appendRow()
{
    if (!m_editable)
        return -1;
    // Adding leaves the current row: it must be saved first.
    if (!post())
        return -1;
    const int row = m_model->appendRow();
    if (row < 0)
        return -1;
    const int column = qMax(0, m_model->fieldIndex(m_keyField));
    m_busy = true;
    m_grid->selectionModel()->setCurrentIndex(m_model->index(row, column),
                                              QItemSelectionModel::ClearAndSelect);
    m_busy = false;
    m_grid->scrollTo(m_model->index(row, column));
    m_grid->setFocus();
    return row;
}

void GridEditing::commitEditor()
{
    // An open cell editor still holds the value the user is typing.
    QWidget *editor = QApplication::focusWidget();
    if (isEditorOpen()) {
        Q_EMIT m_grid->itemDelegate()->commitData(editor);
        Q_EMIT m_grid->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool GridEditing::isEditorOpen() const
{
    // Cell editors are children of the viewport.
    QWidget *focus = QApplication::focusWidget();
    return focus && focus != m_grid->viewport() && m_grid->viewport()->isAncestorOf(focus);
}

bool GridEditing::post()
{
    commitEditor();
    if (!m_model->isDirty())
        return true;
    const QModelIndex current = m_grid->currentIndex();
    const QVariantMap key = current.isValid() ? m_model->keyValues(current.row()) : QVariantMap();
    return postAndReselect(key, -1, current.isValid() ? current.column() : 0);
}

// Posts the pending row, then puts the cursor on the row with `key` (after the re-read),
// else on `fallbackRow`; a refused post brings the user back to the refused row.
bool GridEditing::postAndReselect(const QVariantMap &key, int fallbackRow, int column)
{
    m_busy = true;
    const bool ok = m_model->post();
    if (ok) {
        int row = key.isEmpty() ? -1 : m_model->findRow(key);
        if (row < 0 && fallbackRow >= 0)
            row = qMin(fallbackRow, m_model->rowCount() - 1);
        if (row >= 0)
            m_grid->selectionModel()->setCurrentIndex(m_model->index(row, column),
                                                      QItemSelectionModel::ClearAndSelect
                                                          | (m_editable ? QItemSelectionModel::NoUpdate
                                                                        : QItemSelectionModel::Rows));
    } else if (m_model->refusedRow() >= 0) {
        m_grid->selectionModel()->setCurrentIndex(m_model->index(m_model->refusedRow(), column),
                                                  QItemSelectionModel::ClearAndSelect);
    }
    m_busy = false;
    if (ok)
        Q_EMIT posted();
    return ok;
}

void GridEditing::currentRowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_busy || !previous.isValid() || current.row() == previous.row() || !m_model->isDirty())
        return;
    const QVariantMap target = current.isValid() ? m_model->keyValues(current.row()) : QVariantMap();
    const int targetRow = current.row();
    // Posting re-reads the table, which must not happen inside the view's own change.
    QTimer::singleShot(0, this, [this, target, targetRow] {
        if (m_model->isDirty())
            postAndReselect(target, targetRow, qMax(0, m_grid->currentIndex().column()));
    });
}

bool GridEditing::eventFilter(QObject *watched, QEvent *event)
{
    // Keys typed into a cell editor go to the editor, not here.
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_editable) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_grid->currentIndex();
        if (key->key() == Qt::Key_Insert
            || (key->key() == Qt::Key_Down && (!current.isValid() || current.row() == m_model->rowCount() - 1)
                && !m_model->canFetchMore())) {
            appendRow();
            return true;
        }
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier) && current.isValid()) {
            if (m_messages.yesNo(deleteQuestion())) {
                m_model->removeRow(current.row());
                post();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
