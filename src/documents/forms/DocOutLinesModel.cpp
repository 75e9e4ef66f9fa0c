#include "documents/forms/DocOutLinesModel.h"

#include "app/AmountMasks.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/ExitDocumentService.h"
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
    using C = DocOutLinesModel::Column;
    switch (column) {
    case C::Cantitate: case C::Pret: case C::TVA: case C::Valoare: case C::PretVinzare: case C::PretVzEchiv:
    case C::Acciza: case C::ValUSD:
        return true;
    default: return false;
    }
}

} // namespace

DocOutLinesModel::DocOutLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent)
    : EditedLinesModel<ExitLine>(parent), m_db(db), m_params(parameters), m_messages(messages),
      m_editing(std::make_unique<ExitLineEditing>(db, parameters))
{
}

DocOutLinesModel::~DocOutLinesModel() = default;

void DocOutLinesModel::setDocument(const QString &type, const QDate &date)
{
    m_editing->setDocument(type, date);
}

void DocOutLinesModel::loadLookups()
{
    m_unitNames.clear();
    m_budgetNames.clear();
    m_assets.clear();
    QSqlQuery units = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\""));
    while (units.next())
        m_unitNames.insert(units.value(0).toString(), units.value(1).toString());
    QSqlQuery budgets = m_db.run(QStringLiteral("SELECT \"Cod_client\", \"Nume_client\" FROM \"Client\""));
    while (budgets.next())
        m_budgetNames.insert(budgets.value(0).toString(), budgets.value(1).toString());
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

const DocOutLinesModel::Asset &DocOutLinesModel::asset(const ExitLine &l) const
{
    const QString key = l.group + QLatin1Char('\n') + l.article;
    auto it = m_assets.find(key);
    if (it != m_assets.end())
        return *it;
    Asset a;
    if (!l.article.isEmpty()) {
        try {
            a.name = ExitDocumentService(m_db, m_params).assetName(l.group, l.article);
            QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Denumire\", \"Unitate_masura\" FROM \"Catalog\" "
                                                  "WHERE \"Grupa\" = :g AND \"Cod\" = :a"),
                                   {{QStringLiteral(":g"), l.group}, {QStringLiteral(":a"), l.article}});
            if (q.next()) {
                a.catalogueName = q.value(0).toString();
                a.unitOfMeasure = q.value(1).toString();
            }
        } catch (const DbError &) {
            // Names only: the line shows without them until the next refresh.
            return *m_assets.insert(QString(), Asset{});
        }
    }
    return *m_assets.insert(key, a);
}

void DocOutLinesModel::commit(int row, const ExitLine &l)
{
    changeLine(row, l);
    Q_EMIT rowEdited(row);
}

void DocOutLinesModel::takeStockRow(int row, const StockKey &stockRow)
{
    ExitLine l = m_rows.at(row).line;
    try {
        m_editing->takeStockRow(l, stockRow);
    } catch (const DocumentRefusal &refusal) {
        refusal.show(m_messages);
        return;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    commit(row, l);
}

void DocOutLinesModel::takePrice(int row, const ExitPriceChoice::PriceRow &price)
{
    ExitLine l = m_rows.at(row).line;
    try {
        m_editing->takePrice(l, price);
    } catch (const DocumentRefusal &refusal) {
        refusal.show(m_messages);
        return;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return;
    }
    commit(row, l);
}

QString DocOutLinesModel::unitCode(const QString &text) const
{
    // The code, or the name of a unit.
    if (text.isEmpty() || m_unitNames.contains(text))
        return text;
    return m_unitNames.key(text, text);
}

bool DocOutLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const QString text = value.toString().trimmed();
    // An editor closed without a change leaves the row as it was.
    if (text == data(index, Qt::EditRole).toString())
        return true;
    ExitLine l = m_rows.at(row).line;
    ExitLineEditing::Outcome outcome;
    try {
        switch (index.column()) {
        case GestName: outcome = m_editing->setUnit(l, unitCode(text)); break;
        case CodGrupa: outcome = m_editing->setGroup(l, text); break;
        case CodArticol: outcome = m_editing->setArticle(l, text); break;
        case Cantitate: outcome = m_editing->setQuantity(l, text); break;
        default: return false;
        }
    } catch (const DocumentRefusal &refusal) {
        refusal.show(m_messages);
        return false;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    if (!outcome.message.isEmpty())
        m_messages.warning(outcome.message);
    if (!outcome.accepted())
        return false;
    commit(row, l);
    return true;
}

QVariant DocOutLinesModel::data(const QModelIndex &index, int role) const
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
    const QString lei = edit ? AmountMasks::leiEdit(m_params) : AmountMasks::lei(m_params);
    switch (column) {
    case GestName: return l.unit.isEmpty() ? QString() : m_unitNames.value(l.unit, l.unit);
    case CodGrupa: return l.group;
    case CodArticol: return l.article;
    case Denumire: return asset(l).name;
    case Lot: return l.lot.isValid() ? NationalFormats::current().formatLongDate(l.lot) : QString();
    case Cantitate: return shown(l.quantity, edit ? QString() : AmountMasks::quantity());
    case Pret: return shown(l.price, lei);
    case TVA: return shown(l.tva, edit ? QString() : QStringLiteral("#,##0.00"));
    case Valoare:
        if (!l.quantity || !l.price)
            return {};
        return formatNumber(*l.quantity * *l.price, QStringLiteral("#,##0.00"));
    case AgentName: return l.agent.isEmpty() ? QString() : m_budgetNames.value(l.agent, l.agent);
    case PretVinzare: return shown(l.salePrice, lei);
    case PretVzEchiv: return shown(l.salePriceUsd, edit ? QString() : QStringLiteral("#,##0.#####"));
    case Acciza: return shown(l.acciza, edit ? QString() : QStringLiteral("#,##0.00"));
    case ContMarfa: return l.contMarfa;
    case ContCheltuieli: return l.contCheltuieli;
    case ContTvaIesiri: return l.contTvaIesiri;
    case ContAccize: return l.contAccize;
    case ContAdaos: return l.contAdaos;
    case ContVenituri: return l.contVenituri;
    case UM: return asset(l).unitOfMeasure;
    case Den: return asset(l).catalogueName;
    case ValUSD:
        if (!l.quantity || !l.salePriceUsd)
            return {};
        return formatNumber(*l.quantity * *l.salePriceUsd, QStringLiteral("#,##0.#####"));
    default: return {};
    }
}

QVariant DocOutLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == PretVzEchiv)
        return QStringLiteral("Pret echiv. ") + m_params.cVal;
    static const QStringList captions{
        QStringLiteral("Gestiune"),        QStringLiteral("Cod clasificare"), QStringLiteral("Nr. inventar"),
        QStringLiteral("Denumire"),        QStringLiteral("Data folosinta"),  QStringLiteral("Cantitate"),
        QStringLiteral("Pret"),            QStringLiteral("T.V.A."),          QStringLiteral("Valoare"),
        QStringLiteral("Buget"),           QStringLiteral("Pret vinzare"),    QString(),
        QStringLiteral("Acciza"),          QStringLiteral("Cont marfa"),      QStringLiteral("Cont cheltuieli"),
        QStringLiteral("Cont TVA"),        QStringLiteral("Cont accize"),     QStringLiteral("Cont adaos"),
        QStringLiteral("Cont venituri"),   QStringLiteral("UM"),              QStringLiteral("Den"),
        QStringLiteral("ValUSD")};
    return captions.value(section);
}

Qt::ItemFlags DocOutLinesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case GestName: case CodGrupa: case CodArticol: case Cantitate: return f | Qt::ItemIsEditable;
    default: return f;
    }
}

int DocOutLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}
