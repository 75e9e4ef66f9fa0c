#pragma once

#include "documents/ProposalService.h"

#include <QAbstractTableModel>
#include <QList>

// The lines of one proposal beside the stock of their assets, for "Lista casarilor":
// the stock columns are drawn on the button-face colour and a negative final stock is
// highlighted. Only the quantity is typed here; the window saves it.
class ProposalStockModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { GestName, CodGrupa, CodArticol, Denumire, Cantitate, StocExist, StocFin, ColumnCount };

    ProposalStockModel(const ProposalService &service, QObject *parent = nullptr);

    void setRows(const QList<ProposalService::StockCheck> &rows);
    const ProposalService::StockCheck &row(int r) const { return m_rows.at(r); }
    bool isNegative(int r) const { return m_service.isNegative(m_rows.at(r)); }
    bool hasNegative() const;
    // The background and text colours of a highlighted "Stoc fin".
    static QColor negativeBackground();
    static QColor negativeText();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // A quantity was typed: the window reads and saves it.
    void quantityTyped(int row, const QString &text);

private:
    const ProposalService &m_service;
    QList<ProposalService::StockCheck> m_rows;
};
