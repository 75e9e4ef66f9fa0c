#pragma once

#include <QStyledItemDelegate>

// The editors of the entry-line grid: a drop-down list for the columns with a pick
// list (budget, domain, currency, flags), the plain text editor elsewhere.
class DocInLinesDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
