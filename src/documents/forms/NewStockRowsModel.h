#pragma once

#include "documents/StockInsertion.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The stock rows typed in the current-stock window and not yet written. Its columns
// follow the detailed view's fields, so the rows can sit under the stock rows of one grid;
// the fields a person types are editable, the rest are shown only.
class NewStockRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The result columns of the detailed view, in order.
    void setFields(const QStringList &fields);
    int appendRow(const StockInsertion::Row &row);
    void removeRowAt(int row);
    const StockInsertion::Row &row(int row) const { return m_rows.at(row); }
    int count() const { return int(m_rows.size()); }
    // The column of a field; -1 when the view has none.
    int column(const QString &field) const { return int(m_fields.indexOf(field)); }
    // `Nr zecimale lei` for the values shown; 2 until set.
    void setLeiDecimals(int decimals) { m_leiDecimals = decimals; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // A number or date that cannot be read is refused and the cell keeps its value.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QStringList m_fields;
    QList<StockInsertion::Row> m_rows;
    int m_leiDecimals = 2;
};
