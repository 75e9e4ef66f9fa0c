#include "documents/forms/NewStockRowsModel.h"

#include "app/AmountMasks.h"
#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/forms/GridRoles.h"

#include <QBrush>
#include <QColor>

namespace {

const QStringList &editableFields()
{
    static const QStringList fields{QStringLiteral("Cod_grupa"),      QStringLiteral("Cod_articol"),
                                    QStringLiteral("Denumire"),       QStringLiteral("Pret_achizitie"),
                                    QStringLiteral("Cantitate"),      QStringLiteral("Lot"),
                                    QStringLiteral("Agent"),          QStringLiteral("Cod_bare")};
    return fields;
}

} // namespace

void NewStockRowsModel::setFields(const QStringList &fields)
{
    beginResetModel();
    m_fields = fields;
    endResetModel();
}

int NewStockRowsModel::appendRow(const StockInsertion::Row &row)
{
    const int at = count();
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
    return at;
}

void NewStockRowsModel::removeRowAt(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

int NewStockRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int NewStockRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant NewStockRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::BackgroundRole)
        return QBrush(QColor(255, 250, 205)); // rows not yet written stand out
    const QString field = m_fields.value(index.column());
    const bool amount = field == QLatin1String("Pret_achizitie") || field == QLatin1String("Valoare")
                        || field == QLatin1String("Cantitate");
    if (role == Qt::TextAlignmentRole)
        return amount ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    if (role == GridRoles::CellKind) {
        const GridRoles::Kind kind = amount ? GridRoles::Kind::Amount
            : field == QLatin1String("Lot") ? GridRoles::Kind::Date
                                            : GridRoles::Kind::Text;
        return int(kind);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const StockInsertion::Row &r = m_rows.at(index.row());
    const bool display = role == Qt::DisplayRole;
    if (field == QLatin1String("Cod_grupa"))
        return r.group;
    if (field == QLatin1String("Cod_articol"))
        return r.article;
    if (field == QLatin1String("Denumire"))
        return r.name;
    if (field == QLatin1String("Pret_achizitie"))
        return r.price ? formatNumber(*r.price, display ? AmountMasks::withDecimals(m_leiDecimals) : QString())
                       : QString();
    if (field == QLatin1String("Cantitate"))
        return formatNumber(r.quantity, display ? AmountMasks::quantity() : QString());
    if (field == QLatin1String("Valoare"))
        return r.price ? formatNumber(*r.price * r.quantity, AmountMasks::withDecimals(m_leiDecimals)) : QString();
    if (field == QLatin1String("Lot"))
        return r.lot.isValid() ? NationalFormats::current().formatLongDate(r.lot) : QString();
    if (field == QLatin1String("Agent"))
        return r.agent;
    if (field == QLatin1String("Cod_bare"))
        return r.barCode;
    if (field == QLatin1String("Cod_gestiune"))
        return r.unit;
    return {};
}

bool NewStockRowsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    StockInsertion::Row &r = m_rows[index.row()];
    const QString field = m_fields.value(index.column());
    const QString text = value.toString().trimmed();
    if (field == QLatin1String("Pret_achizitie") || field == QLatin1String("Cantitate")) {
        const std::optional<double> typed = text.isEmpty() ? std::optional<double>(0) : parseAmount(text);
        if (!typed)
            return false;
        const double number = *typed;
        if (field == QLatin1String("Cantitate"))
            r.quantity = number;
        else
            r.price = text.isEmpty() ? std::nullopt : std::optional<double>(number);
    } else if (field == QLatin1String("Lot")) {
        const QDate date = parseTypedDate(text);
        if (!text.isEmpty() && !date.isValid())
            return false;
        r.lot = date;
    } else if (field == QLatin1String("Cod_grupa")) {
        r.group = text;
    } else if (field == QLatin1String("Cod_articol")) {
        r.article = text;
    } else if (field == QLatin1String("Denumire")) {
        r.name = text;
    } else if (field == QLatin1String("Agent")) {
        r.agent = text;
    } else if (field == QLatin1String("Cod_bare")) {
        r.barCode = text;
    }
    // The value column follows the price and the quantity.
    Q_EMIT dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(columnCount() - 1));
    return true;
}

Qt::ItemFlags NewStockRowsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && editableFields().contains(m_fields.value(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}
