#include "documents/forms/ProposalLinesModel.h"

#include "app/AmountMasks.h"
#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "app/forms/GridRoles.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/EntryLineStore.h"
#include "documents/ExitLineEditing.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QVariant shown(const std::optional<double> &value, const QString &mask = QString())
{
    return value ? QVariant(formatNumber(*value, mask)) : QVariant();
}

bool isAmount(int column)
{
    using C = ProposalLinesModel::Column;
    switch (column) {
    case C::Pret: case C::Cantitate: case C::Val: case C::PretVinzare: case C::PretVzEchiv: case C::TVA:
        return true;
    default: return false;
    }
}

} // namespace

ProposalLinesModel::ProposalLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent)
    : EditedLinesModel<ExitLine>(parent), m_db(db), m_params(parameters), m_messages(messages)
{
}

void ProposalLinesModel::loadLookups()
{
    m_unitNames.clear();
    m_budgetNames.clear();
    m_names.clear();
    QSqlQuery units = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\""));
    while (units.next())
        m_unitNames.insert(units.value(0).toString(), units.value(1).toString());
    QSqlQuery budgets = m_db.run(QStringLiteral("SELECT \"Cod_client\", \"Nume_client\" FROM \"Client\""));
    while (budgets.next())
        m_budgetNames.insert(budgets.value(0).toString(), budgets.value(1).toString());
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

QString ProposalLinesModel::assetName(const ExitLine &l) const
{
    if (l.article.isEmpty())
        return {};
    const QString key = l.group + QLatin1Char('\n') + l.article;
    auto it = m_names.find(key);
    if (it != m_names.end())
        return *it;
    QString name;
    try {
        // The stored code may be cut to 8 characters: the entry line is found on those.
        QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Denumire\" FROM \"Item_in\" WHERE substr(\"Cod_grupa\", 1, :n) = :g "
                                              "AND \"Cod_articol\" = :a ORDER BY \"Contor\", \"Contor_secundar\" LIMIT 1"),
                               {{QStringLiteral(":n"), int(l.group.size())}, {QStringLiteral(":g"), l.group},
                                {QStringLiteral(":a"), l.article}});
        if (q.next())
            name = q.value(0).toString();
    } catch (const DbError &) {
        // A name that cannot be read now is read again with the next lookups.
        return {};
    }
    m_names.insert(key, name);
    return name;
}

void ProposalLinesModel::commit(int row, const ExitLine &l)
{
    changeLine(row, l);
    Q_EMIT rowEdited(row);
}

void ProposalLinesModel::takeStockRow(int row, const StockKey &key)
{
    ExitLine l = m_rows.at(row).line;
    ExitPriceChoice::takeStockRow(l, key);
    commit(row, l);
}

void ProposalLinesModel::takePrice(int row, const ExitPriceChoice::PriceRow &price)
{
    ExitLine l = m_rows.at(row).line;
    ExitPriceChoice::takePrice(l, price);
    commit(row, l);
}

bool ProposalLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const QString text = value.toString().trimmed();
    if (text == data(index, Qt::EditRole).toString())
        return true;
    ExitLine l = m_rows.at(row).line;
    switch (index.column()) {
    case GestName: {
        // The code, or the name of a unit.
        const QString code = text.isEmpty() || m_unitNames.contains(text) ? text : m_unitNames.key(text, text);
        if (!code.isEmpty() && !m_unitNames.contains(code)) {
            m_messages.warning(ExitLineEditing::unknownUnitText(code));
            return false;
        }
        l.unit = code;
        break;
    }
    case CodGrupa: l.group = text.left(8); break;
    case CodArticol: l.article = text.left(30); break;
    case Pret:
    case Cantitate: {
        std::optional<double> &target = index.column() == Pret ? l.price : l.quantity;
        if (!parseOptionalAmount(text, target)) {
            m_messages.warning(notAnAmountText(text));
            return false;
        }
        break;
    }
    case Lot: {
        const QDate date = text.isEmpty() ? QDate() : parseTypedDate(text);
        if (!text.isEmpty() && !date.isValid()) {
            m_messages.warning(notADateText(text));
            return false;
        }
        l.lot = date;
        break;
    }
    default: return false;
    }
    commit(row, l);
    return true;
}

QVariant ProposalLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const ExitLine &l = m_rows.at(index.row()).line;
    const int column = index.column();
    if (role == GridRoles::CellKind) {
        if (isAmount(column))
            return int(GridRoles::Kind::Amount);
        return int(column == Lot ? GridRoles::Kind::Date : GridRoles::Kind::Text);
    }
    if (role == Qt::TextAlignmentRole)
        return isAmount(column) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const bool edit = role == Qt::EditRole;
    const QString amounts = edit ? QString() : QStringLiteral("#,##0.00");
    switch (column) {
    case GestName: return l.unit.isEmpty() ? QString() : m_unitNames.value(l.unit, l.unit);
    case CodGrupa: return l.group;
    case CodArticol: return l.article;
    case Den: return assetName(l);
    case Pret: return shown(l.price, amounts);
    case Cantitate: return shown(l.quantity, amounts);
    case Val:
        if (!l.quantity || !l.price)
            return {};
        return formatNumber(*l.quantity * *l.price, QStringLiteral("#,##0.00"));
    // The edit mask "!99/99/00" of the date of putting into use.
    case Lot: return l.lot.isValid() ? l.lot.toString(edit ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("dd/MM/yy")) : QString();
    case AgentName: return l.agent.isEmpty() ? QString() : m_budgetNames.value(l.agent, l.agent);
    case CodGestiune: return l.unit;
    case Agent: return l.agent;
    case Contor: return l.contor;
    case ContorSecundar: return l.contorSecundar ? QVariant(*l.contorSecundar) : QVariant();
    case PretVinzare: return shown(l.salePrice, edit ? QString() : AmountMasks::lei(m_params));
    case PretVzEchiv: return shown(l.salePriceUsd, edit ? QString() : QStringLiteral("#,##0.#####"));
    case TVA: return shown(l.tva, amounts);
    default: return {};
    }
}

QVariant ProposalLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == PretVzEchiv)
        return QStringLiteral("Pret echiv. ") + m_params.cVal;
    static const QStringList captions{
        QStringLiteral("Gestiune"),     QStringLiteral("Grupa"),          QStringLiteral("Cod articol"),
        QStringLiteral("Denumire"),     QStringLiteral("Pret achizitie"), QStringLiteral("Cantitate"),
        QStringLiteral("Valoare"),      QStringLiteral("Data folosinta"), QStringLiteral("Buget"),
        QStringLiteral("Cod_gestiune"), QStringLiteral("Agent"),          QStringLiteral("Contor"),
        QStringLiteral("Contor_secundar"), QStringLiteral("Pret_vinzare"), QString(),
        QStringLiteral("TVA")};
    return captions.value(section);
}

Qt::ItemFlags ProposalLinesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case GestName: case CodGrupa: case CodArticol: case Pret: case Cantitate: case Lot: return f | Qt::ItemIsEditable;
    default: return f;
    }
}

int ProposalLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}
