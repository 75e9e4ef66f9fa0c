#include "documents/forms/ProposalStockModel.h"

#include "app/NumberFormat.h"
#include "app/forms/GridRoles.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

ProposalStockModel::ProposalStockModel(const ProposalService &service, QObject *parent)
    : QAbstractTableModel(parent), m_service(service)
{
}

void ProposalStockModel::setRows(const QList<ProposalService::StockCheck> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

bool ProposalStockModel::hasNegative() const
{
    for (int r = 0; r < m_rows.size(); ++r)
        if (isNegative(r))
            return true;
    return false;
}

QColor ProposalStockModel::negativeBackground()
{
    return QColor(255, 64, 64);
}

QColor ProposalStockModel::negativeText()
{
    return QColor(Qt::white);
}

QVariant ProposalStockModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const ProposalService::StockCheck &r = m_rows.at(index.row());
    const int column = index.column();
    const bool amount = column >= Cantitate;
    if (role == GridRoles::CellKind)
        return int(amount ? GridRoles::Kind::Amount : GridRoles::Kind::Text);
    if (role == Qt::TextAlignmentRole)
        return amount ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    if (role == Qt::BackgroundRole) {
        if (column == StocFin && isNegative(index.row()))
            return negativeBackground();
        if (column == StocExist || column == StocFin)
            return QApplication::palette().color(QPalette::Button);
        return {};
    }
    if (role == Qt::ForegroundRole) {
        if (column == StocFin && isNegative(index.row()))
            return negativeText();
        if (column == StocExist || column == StocFin)
            return QApplication::palette().color(QPalette::ButtonText);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QString mask = role == Qt::EditRole ? QString() : QStringLiteral("#,##0.00");
    switch (column) {
    case GestName: return r.unitName.isEmpty() ? r.line.unit : r.unitName;
    case CodGrupa: return r.line.group;
    case CodArticol: return r.line.article;
    case Denumire: return r.name;
    case Cantitate: return formatNumber(r.line.quantityOrZero(), mask);
    case StocExist: return formatNumber(r.inStock, mask);
    case StocFin: return formatNumber(r.final(), mask);
    default: return {};
    }
}

bool ProposalStockModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != Cantitate)
        return false;
    const QString text = value.toString().trimmed();
    if (text == data(index, Qt::EditRole).toString())
        return true;
    Q_EMIT quantityTyped(index.row(), text);
    return true;
}

QVariant ProposalStockModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{QStringLiteral("Gestiune"),  QStringLiteral("Grupa"),
                                      QStringLiteral("Cod articol"), QStringLiteral("Denumire"),
                                      QStringLiteral("Cantitate"), QStringLiteral("Stoc exist"),
                                      QStringLiteral("Stoc fin")};
    return captions.value(section);
}

Qt::ItemFlags ProposalStockModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    return index.column() == Cantitate ? f | Qt::ItemIsEditable : f;
}

int ProposalStockModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProposalStockModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}
