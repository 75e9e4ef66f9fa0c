#include "documents/forms/StockDisplayModel.h"

#include "app/AmountMasks.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"

#include <QDate>

QVariant StockDisplayModel::data(const QModelIndex &index, int role) const
{
    const QVariant value = QIdentityProxyModel::data(index, role);
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return value;
    const QString field = headerData(index.column(), Qt::Horizontal, Qt::UserRole).toString();
    const bool amount = field == QLatin1String("Pret_achizitie") || field == QLatin1String("Valoare")
                        || field == QLatin1String("Pret_vinzare");
    const bool quantity = field == QLatin1String("Cantitate");
    if (role == Qt::TextAlignmentRole)
        return (amount || quantity) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : value;
    if (value.isNull())
        return value;
    if (amount)
        return formatNumber(value.toDouble(), AmountMasks::withDecimals(m_leiDecimals));
    if (quantity)
        return formatNumber(value.toDouble(), AmountMasks::quantity());
    if (field == QLatin1String("Lot"))
        return NationalFormats::current().formatLongDate(QDate::fromString(value.toString(), Qt::ISODate));
    return value;
}
