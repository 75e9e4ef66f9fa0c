#pragma once

#include <QIdentityProxyModel>

// Shows the stock grid's amounts with their masks and its dates in the national format;
// the source rows keep the stored values.
class StockDisplayModel : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
