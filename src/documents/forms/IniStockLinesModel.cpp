#include "documents/forms/IniStockLinesModel.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"

namespace {

QVariant number(const std::optional<double> &value)
{
    return value ? QVariant(formatNumber(*value, QString())) : QVariant();
}

} // namespace

void IniStockLinesModel::setLines(const QList<EntryLine> &lines)
{
    beginResetModel();
    m_rows.clear();
    for (const EntryLine &line : lines)
        m_rows.append({line, false});
    endResetModel();
}

void IniStockLinesModel::replaceLine(int row, const EntryLine &line)
{
    m_rows[row] = {line, false};
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int IniStockLinesModel::appendLine(const EntryLine &line)
{
    const int row = int(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append({line, true});
    endInsertRows();
    return row;
}

void IniStockLinesModel::removeLine(int row)
{
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

int IniStockLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int IniStockLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant IniStockLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const EntryLine &l = m_rows.at(index.row()).line;
    if (index.column() == CalcDepreciation) {
        if (role == Qt::CheckStateRole)
            return l.calcAmortizare.value_or(false) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Group: return l.group;
    case Article: return l.article;
    case Name: return l.name;
    case Quantity: return number(l.quantity);
    case Price: return number(l.priceLei);
    case Lot: return l.lot.isValid() ? NationalFormats::current().formatDate(l.lot) : QString();
    case Agent: return l.agent;
    case Domain: return l.domain;
    case TotalLife: return number(l.durataTotala);
    case RemainingLife: return number(l.durataRamasa);
    case Depreciated: return number(l.valoareAmortizata);
    default: return {};
    }
}

bool IniStockLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    EntryLine &l = m_rows[index.row()].line;
    bool ok = true;
    if (index.column() == CalcDepreciation) {
        if (role != Qt::CheckStateRole)
            return false;
        l.calcAmortizare = value.toInt() == Qt::Checked;
    } else {
        if (role != Qt::EditRole)
            return false;
        const QString text = value.toString().trimmed();
        switch (index.column()) {
        case Group: l.group = text; break;
        case Article: l.article = text; break;
        case Name: l.name = text; break;
        case Quantity: ok = parseOptionalNumber(value.toString(), l.quantity); break;
        case Price: ok = parseOptionalNumber(value.toString(), l.priceLei); break;
        case Lot: {
            const QDate date = NationalFormats::current().parseDate(text);
            ok = text.isEmpty() || date.isValid();
            if (ok)
                l.lot = date;
            break;
        }
        case Agent: l.agent = text; break;
        case Domain: l.domain = text; break;
        case TotalLife: ok = parseOptionalNumber(value.toString(), l.durataTotala); break;
        case RemainingLife: ok = parseOptionalNumber(value.toString(), l.durataRamasa); break;
        case Depreciated: ok = parseOptionalNumber(value.toString(), l.valoareAmortizata); break;
        default: return false;
        }
    }
    if (!ok)
        return false;
    m_rows[index.row()].dirty = true;
    Q_EMIT dataChanged(index, index);
    return true;
}

QVariant IniStockLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{
        QStringLiteral("Cod clasificare"), QStringLiteral("Nr. inventar"), QStringLiteral("Denumire"),
        QStringLiteral("Cantitate"),       QStringLiteral("Valoare"),      QStringLiteral("Data PIF"),
        QStringLiteral("Buget"),           QStringLiteral("Domeniu"),      QStringLiteral("Durata totala"),
        QStringLiteral("Durata ramasa"),   QStringLiteral("Amortizare"),   QStringLiteral("Calc. amortizare")};
    return captions.value(section);
}

Qt::ItemFlags IniStockLinesModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CalcDepreciation)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}
