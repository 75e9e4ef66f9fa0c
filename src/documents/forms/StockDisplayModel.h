#pragma once

#include <QIdentityProxyModel>

// Shows the stock grid's amounts with the masks of the parameters and its dates
// "dd.mm.yyyy"; the source rows keep the stored values.
class StockDisplayModel : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    // `Nr zecimale lei`; 2 until the window is given the parameters.
    void setLeiDecimals(int decimals) { m_leiDecimals = decimals; }

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    int m_leiDecimals = 2;
};
