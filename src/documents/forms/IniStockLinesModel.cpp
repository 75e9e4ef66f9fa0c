#include "documents/forms/IniStockLinesModel.h"

#include "app/AmountMasks.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/forms/GridRoles.h"
#include "db/DbError.h"
#include "documents/EntryLineEditing.h"
#include "documents/InitialStock.h"

#include <QSqlRecord>

namespace {

QVariant number(const std::optional<double> &value, const QString &mask = QString())
{
    return value ? QVariant(formatNumber(*value, mask)) : QVariant();
}

} // namespace

IniStockLinesModel::IniStockLinesModel(Database &db, const Parameters &parameters, Messages &messages,
                                       QObject *parent)
    : QAbstractTableModel(parent), m_query(db), m_params(parameters), m_messages(messages),
      m_editing(std::make_unique<EntryLineEditing>(db, parameters))
{
    // The initial stock is no document of its own: nothing is derived from one.
    m_editing->setWithoutDocument();
}

IniStockLinesModel::~IniStockLinesModel() = default;

bool IniStockLinesModel::refuse(const QString &text) const
{
    if (!text.isEmpty())
        m_messages.warning(text);
    return text.isEmpty();
}

void IniStockLinesModel::setUnit(const QString &unit)
{
    m_unit = unit;
    reload();
}

void IniStockLinesModel::reload()
{
    beginResetModel();
    m_changed.clear();
    m_added.clear();
    m_read.clear();
    m_stored = 0;
    try {
        // The line number orders the lines of one document totally.
        m_query.setQuery(QStringLiteral("SELECT * FROM \"Item_in\" WHERE \"Contor\" = :c AND \"Cod_gestiune\" = :g"),
                         {{QStringLiteral(":c"), InitialStock::documentNumber}, {QStringLiteral(":g"), m_unit}},
                         {{QStringLiteral("Contor_secundar")}});
        m_stored = m_query.count();
    } catch (...) {
        m_query.setQuery(QString(), {}, {});
        endResetModel();
        throw;
    }
    endResetModel();
}

EntryLine IniStockLinesModel::line(int row) const
{
    if (row >= m_stored)
        return m_added.value(row - m_stored).line;
    if (const auto changed = m_changed.find(row); changed != m_changed.end())
        return changed->second.line;
    if (const auto read = m_read.constFind(row); read != m_read.cend())
        return *read;
    EntryLine l;
    try {
        const QSqlRecord record = m_query.record(row);
        if (!record.isEmpty())
            l = EntryLine::fromRecord(record);
    } catch (const DbError &) {
        // A row that cannot be read now shows empty; the refresh reads it again.
        return l;
    }
    // Only about the rows in view are kept made up.
    if (m_read.size() >= 4 * m_query.pageSize())
        m_read.clear();
    m_read.insert(row, l);
    return l;
}

bool IniStockLinesModel::isDirty(int row) const
{
    if (row < 0)
        return false;
    if (row >= m_stored)
        return row - m_stored < m_added.size() && m_added.at(row - m_stored).dirty;
    const auto changed = m_changed.find(row);
    return changed != m_changed.end() && changed->second.dirty;
}

void IniStockLinesModel::setRow(int row, const Row &value)
{
    if (row >= m_stored)
        m_added[row - m_stored] = value;
    else
        m_changed[row] = value;
}

void IniStockLinesModel::replaceLine(int row, const EntryLine &line)
{
    setRow(row, {line, false});
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int IniStockLinesModel::appendLine(const EntryLine &line)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_added.append({line, true});
    endInsertRows();
    return row;
}

void IniStockLinesModel::removeLine(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    if (row >= m_stored) {
        m_added.removeAt(row - m_stored);
    } else {
        // The stored lines after it move up by one, as the table now holds them.
        std::map<int, Row> changed;
        for (auto &[at, value] : m_changed) {
            if (at != row)
                changed.emplace(at > row ? at - 1 : at, std::move(value));
        }
        m_changed = std::move(changed);
        m_read.clear();
        m_query.reset();
        --m_stored;
    }
    endRemoveRows();
}

int IniStockLinesModel::loadedRows() const
{
    return m_query.loadedRows() + int(m_changed.size() + m_added.size());
}

int IniStockLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_stored + int(m_added.size());
}

int IniStockLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant IniStockLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const EntryLine l = line(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::CheckStateRole:
        if (column == CalcDepreciation)
            return l.calcAmortizare.value_or(false) ? Qt::Checked : Qt::Unchecked;
        return {};
    case GridRoles::CellKind:
        switch (column) {
        case Quantity: case Price: case PriceNet: case TotalLife: case RemainingLife: case Depreciated:
            return int(GridRoles::Kind::Amount);
        case Lot: return int(GridRoles::Kind::Date);
        case CalcDepreciation: return int(GridRoles::Kind::Boolean);
        default: return int(GridRoles::Kind::Text);
        }
    case GridRoles::PickList:
        if (column == Domain)
            return QStringList{QStringLiteral("Public"), QStringLiteral("Privat")};
        return {};
    case Qt::TextAlignmentRole:
        switch (column) {
        case Quantity: case Price: case PriceNet: case TotalLife: case RemainingLife: case Depreciated:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default: return {};
        }
    case Qt::DisplayRole:
    case Qt::EditRole: break;
    default: return {};
    }
    const bool edit = role == Qt::EditRole;
    switch (column) {
    case Group: return l.group;
    case Article: return l.article;
    case Name: return l.name;
    case Quantity: return number(l.quantity, edit ? QString() : AmountMasks::quantity());
    case Price: return number(l.priceLei, edit ? AmountMasks::leiEdit(m_params) : AmountMasks::lei(m_params));
    case PriceNet:
        return number(l.priceCurrency, edit ? AmountMasks::currencyEdit(m_params) : AmountMasks::currency(m_params));
    case Lot: return l.lot.isValid() ? NationalFormats::current().formatLongDate(l.lot) : QString();
    case Agent: return l.agent;
    case Domain: return l.domain;
    case TotalLife: return number(l.durataTotala);
    case RemainingLife: return number(l.durataRamasa);
    case Depreciated:
        return number(l.valoareAmortizata, edit ? AmountMasks::leiEdit(m_params) : AmountMasks::lei(m_params));
    default: return {};
    }
}

bool IniStockLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const int column = index.column();
    EntryLine l = line(index.row());
    try {
        if (column == CalcDepreciation) {
            if (role != Qt::CheckStateRole)
                return false;
            // A refused wish leaves the line with the flag its domain allows.
            refuse(m_editing->setCalcAmortizare(l, value.toInt() == Qt::Checked).message);
        } else {
            if (role != Qt::EditRole)
                return false;
            const QString text = value.toString().trimmed();
            // An editor closed without a change leaves the row as it was.
            if (text == data(index, Qt::EditRole).toString())
                return true;
            using Field = EntryLineEditing::Field;
            EntryLineEditing::Outcome outcome;
            switch (column) {
            case Group: outcome = m_editing->setGroup(l, text); break;
            case Article: outcome = m_editing->setArticle(l, text); break;
            case Agent: l.agent = text; break;
            case Name: outcome = m_editing->apply(l, Field::Name, text); break;
            case Quantity: outcome = m_editing->apply(l, Field::Quantity, text); break;
            case Price: outcome = m_editing->apply(l, Field::PriceLei, text); break;
            case PriceNet: outcome = m_editing->apply(l, Field::PriceCurrency, text); break;
            case Lot: outcome = m_editing->apply(l, Field::Lot, text); break;
            case Domain: outcome = m_editing->apply(l, Field::Domain, text); break;
            case TotalLife: outcome = m_editing->apply(l, Field::TotalDuration, text); break;
            case RemainingLife: outcome = m_editing->apply(l, Field::RemainingDuration, text); break;
            case Depreciated: outcome = m_editing->apply(l, Field::Depreciated, text); break;
            default: return false;
            }
            refuse(outcome.message);
            if (!outcome.accepted())
                return false;
        }
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    setRow(index.row(), {l, true});
    // A value may change others of the line (quantity, durations, the flag).
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
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
        QStringLiteral("Durata ramasa"),   QStringLiteral("Amortizare"),   QStringLiteral("Calc. amortizare"),
        QStringLiteral("Pret fara TVA")};
    return captions.value(section);
}

Qt::ItemFlags IniStockLinesModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case CalcDepreciation: return f | Qt::ItemIsUserCheckable;
    // Generated from the classification code.
    case Article: return m_params.genCod ? f : f | Qt::ItemIsEditable;
    default: return f | Qt::ItemIsEditable;
    }
}
