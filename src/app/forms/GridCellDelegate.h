#pragma once

#include "app/forms/GridRoles.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class Messages;

// How the cells of an editable grid are shown and typed:
//   - booleans as centred check boxes (Space or a click toggles them), never "True";
//   - dates "dd.mm.yyyy", typed in any of the forms DateParsing reads;
//   - amounts with the mask the model formats them with, or the column's mask for a
//     model that gives raw numbers; typed as AmountParsing reads them, the keypad's
//     decimal key giving the decimal separator;
//   - pick-list cells with a drop-down list.
// A typed amount or date that cannot be read is warned about ("<12a> nu este o valoare
// corecta!") and never reaches the model; like a value the model refuses, it leaves the
// editor open with the typed text for correction. GridKeyboard, attached to the same
// grid, handles the keys that leave a cell editor.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using Kind = GridRoles::Kind;

    explicit GridCellDelegate(Messages &messages, QObject *parent = nullptr);

    // For models that give no GridRoles::CellKind (SQL query models).
    void setColumnKind(int column, Kind kind);
    // The display mask of a column whose model gives raw numbers.
    void setColumnMask(int column, const QString &mask);
    Kind kind(const QModelIndex &index) const;

    // Whether the last commit of this cell's editor was refused (the typed text was not
    // readable, or the model did not take it); asking clears it.
    bool takeRefusal(const QModelIndex &index);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static Qt::CheckState checkState(const QModelIndex &index);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void refuse(QWidget *editor, const QModelIndex &index, const QString &text) const;
    void toggle(QAbstractItemModel *model, const QModelIndex &index) const;

    Messages &m_messages;
    QHash<int, Kind> m_kinds;
    QHash<int, QString> m_masks;
    mutable QPersistentModelIndex m_refused;
    mutable QString m_refusedText;
    mutable bool m_committing = false;
};
