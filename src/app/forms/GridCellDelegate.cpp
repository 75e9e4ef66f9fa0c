#include "app/forms/GridCellDelegate.h"

#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/forms/GridKeyboard.h"
#include "app/forms/KeypadDecimal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

GridCellDelegate::GridCellDelegate(Messages &messages, QObject *parent)
    : QStyledItemDelegate(parent), m_messages(messages)
{
}

void GridCellDelegate::setColumnKind(int column, Kind kind)
{
    m_kinds.insert(column, kind);
}

void GridCellDelegate::setColumnMask(int column, const QString &mask)
{
    m_masks.insert(column, mask);
}

GridCellDelegate::Kind GridCellDelegate::kind(const QModelIndex &index) const
{
    const QVariant given = index.data(GridRoles::CellKind);
    if (given.isValid())
        return Kind(given.toInt());
    if (m_kinds.contains(index.column()))
        return m_kinds.value(index.column());
    if (index.data(Qt::CheckStateRole).isValid() || index.data(Qt::DisplayRole).typeId() == QMetaType::Bool)
        return Kind::Boolean;
    return Kind::Text;
}

Qt::CheckState GridCellDelegate::checkState(const QModelIndex &index)
{
    const QVariant state = index.data(Qt::CheckStateRole);
    if (state.isValid())
        return Qt::CheckState(state.toInt());
    return index.data(Qt::DisplayRole).toBool() ? Qt::Checked : Qt::Unchecked;
}

bool GridCellDelegate::takeRefusal(const QModelIndex &index)
{
    const bool refused = m_refused.isValid() && m_refused == QPersistentModelIndex(index);
    if (refused) {
        m_refused = QPersistentModelIndex();
        m_refusedText.clear();
    }
    return refused;
}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    const Kind k = kind(index);
    if (k == Kind::Boolean)
        return nullptr;
    const QStringList choices = index.data(GridRoles::PickList).toStringList();
    if (!choices.isEmpty()) {
        auto *combo = new QComboBox(parent);
        combo->addItems(choices);
        return combo;
    }
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    if (k == Kind::Amount) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        KeypadDecimal::install(edit);
    }
    Q_UNUSED(option);
    return edit;
}

void GridCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(qMax(0, combo->findText(index.data(Qt::EditRole).toString())));
        return;
    }
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        const QVariant value = index.data(Qt::EditRole);
        if (value.typeId() == QMetaType::QDate)
            edit->setText(NationalFormats::current().formatLongDate(value.toDate()));
        else
            edit->setText(value.toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridCellDelegate::refuse(QWidget *editor, const QModelIndex &index, const QString &text) const
{
    m_refused = QPersistentModelIndex(index);
    m_refusedText = text;
    // When no key of GridKeyboard asks for it at once, the editor was closed by other
    // means (a click elsewhere): it opens again on the cell with what was typed.
    QPointer<QAbstractItemView> view = editor ? qobject_cast<QAbstractItemView *>(editor->parentWidget()->parentWidget())
                                              : nullptr;
    auto *self = const_cast<GridCellDelegate *>(this);
    QTimer::singleShot(0, self, [self, view] {
        if (!view || !self->m_refused.isValid())
            return;
        const QModelIndex at = self->m_refused;
        const QString text = self->m_refusedText;
        self->m_refused = QPersistentModelIndex();
        if (view->indexWidget(at))
            return; // still open
        view->setCurrentIndex(at);
        view->edit(at);
        if (auto *edit = qobject_cast<QLineEdit *>(view->indexWidget(at)))
            edit->setText(text);
    });
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (m_committing)
        return;
    m_committing = true;
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (!model->setData(index, combo->currentText()))
            refuse(editor, index, combo->currentText());
        m_committing = false;
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit) {
        QStyledItemDelegate::setModelData(editor, model, index);
        m_committing = false;
        return;
    }
    const QString text = edit->text();
    const bool blank = text.trimmed().isEmpty();
    QString unreadable;
    switch (kind(index)) {
    case Kind::Amount:
        if (!blank && !parseAmount(text))
            unreadable = notAnAmountText(text.trimmed());
        break;
    case Kind::Date:
        if (!blank && !parseTypedDate(text).isValid())
            unreadable = notADateText(text.trimmed());
        break;
    default: break;
    }
    if (!unreadable.isEmpty()) {
        m_messages.warning(unreadable);
        refuse(editor, index, text);
    } else if (!model->setData(index, text)) {
        refuse(editor, index, text);
    }
    m_committing = false;
}

void GridCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant value = index.data(Qt::DisplayRole);
    if (kind(index) == Kind::Boolean) {
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
        option->text.clear();
        return;
    }
    if (value.typeId() == QMetaType::QDate) {
        option->text = NationalFormats::current().formatLongDate(value.toDate());
    } else if (m_masks.contains(index.column()) && !value.isNull()) {
        bool numeric = false;
        const double number = value.toDouble(&numeric);
        if (numeric) {
            option->text = formatNumber(number, m_masks.value(index.column()));
            option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        }
    }
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (kind(index) != Kind::Boolean) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    QStyleOptionViewItem box = cell;
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &cell, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &cell, widget);
    box.rect = QRect(option.rect.center().x() - w / 2, option.rect.center().y() - h / 2, w, h);
    box.state = box.state & ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
    box.state |= checkState(index) == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        box.state &= ~QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
}

void GridCellDelegate::toggle(QAbstractItemModel *model, const QModelIndex &index) const
{
    const Qt::CheckState next = checkState(index) == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    model->setData(index, next, Qt::CheckStateRole);
}

bool GridCellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (kind(index) != Kind::Boolean)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const Qt::ItemFlags flags = model->flags(index);
    if (!(flags & Qt::ItemIsUserCheckable) || !(flags & Qt::ItemIsEnabled))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        toggle(model, index);
        return true;
    }
    case QEvent::MouseButtonDblClick: return true; // the press and release toggled it already
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        toggle(model, index);
        return true;
    }
    default: return false;
    }
}

bool GridCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto *view = qobject_cast<QAbstractItemView *>(editor->parentWidget() ? editor->parentWidget()->parentWidget()
                                                                              : nullptr);
        if (GridKeyboard *keyboard = view ? GridKeyboard::of(view) : nullptr) {
            if (keyboard->editorKey(editor, static_cast<QKeyEvent *>(event)))
                return true;
        }
    }
    if (editor && event->type() == QEvent::FocusOut) {
        // A message box over the window, or a pop-up, is no reason to end the edit:
        // the editor gets the focus back when it closes.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (m_committing || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
