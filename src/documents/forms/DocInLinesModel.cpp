#include "documents/forms/DocInLinesModel.h"

#include "app/AmountMasks.h"
#include "app/Messages.h"
#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "app/Parameters.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/EntryLineEditing.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QVariant shown(const std::optional<double> &value, const QString &mask = QString())
{
    return value ? QVariant(formatNumber(*value, mask)) : QVariant();
}

// The texts the flags are given as through the model's interface (add-on modules).
bool flagFromText(const QString &text)
{
    return text == QLatin1String("True") || text == QLatin1String("Da") || text == QLatin1String("1");
}

} // namespace

DocInLinesModel::DocInLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent)
    : EditedLinesModel<EntryLine>(parent), m_db(db), m_params(parameters), m_messages(messages),
      m_computations(std::make_unique<EntryComputations>(db, parameters)),
      m_editing(std::make_unique<EntryLineEditing>(db, parameters))
{
}

DocInLinesModel::~DocInLinesModel() = default;

QString DocInLinesModel::noBarCodeText()
{
    return QStringLiteral("Completati in catalogul de articole Codul de bare corespunzator articolului selectat!");
}

QString DocInLinesModel::unknownUnitText(const QString &unit)
{
    return QStringLiteral("Gestiunea <") + unit
        + QStringLiteral("> nu exista în catalog! Apasati CTRL-ENTER pentru a selecta gestiunea din catalog!");
}

void DocInLinesModel::setDocument(const QString &type, const QDate &date)
{
    m_type = type;
    m_date = date;
    m_editing->setDocument(type, date);
}

void DocInLinesModel::loadLookups()
{
    m_unitNames.clear();
    m_budgetNames.clear();
    m_budgetCodes.clear();
    m_orders.clear();
    m_currencies = QStringList{QString()};
    QSqlQuery units = m_db.run(QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\""));
    while (units.next())
        m_unitNames.insert(units.value(0).toString(), units.value(1).toString());
    QSqlQuery budgets = m_db.run(QStringLiteral("SELECT \"Cod_client\", \"Nume_client\" FROM \"Client\" "
                                                "ORDER BY \"Nume_client\" COLLATE RO"));
    while (budgets.next()) {
        m_budgetCodes << budgets.value(0).toString();
        m_budgetNames.insert(budgets.value(0).toString(), budgets.value(1).toString());
    }
    if (m_params.com) {
        QSqlQuery orders = m_db.run(QStringLiteral("SELECT \"Contor\", \"Numar\", \"Data\" FROM \"Doc_Com\""));
        while (orders.next()) {
            const QDate date = QDate::fromString(orders.value(2).toString(), Qt::ISODate);
            m_orders.insert(orders.value(0).toDouble(), formatNumber(orders.value(1).toDouble(), QString())
                                                            + QLatin1Char('/')
                                                            + NationalFormats::current().formatDate(date));
        }
    }
    QSqlQuery currencies = m_db.run(QStringLiteral("SELECT \"Moneda\" FROM \"Valuta\" ORDER BY \"Moneda\""));
    while (currencies.next())
        m_currencies << currencies.value(0).toString();
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

bool DocInLinesModel::refuse(const QString &text)
{
    if (!text.isEmpty())
        m_messages.warning(text);
    return text.isEmpty();
}

void DocInLinesModel::quantityChanged(EntryLine &l) const
{
    m_editing->quantityChanged(l);
}

bool DocInLinesModel::commit(int row, const EntryLine &l, int fromColumn, int toColumn)
{
    m_rows[row].line = l;
    m_rows[row].dirty = true;
    Q_EMIT dataChanged(index(row, fromColumn), index(row, toColumn));
    Q_EMIT rowEdited(row);
    return true;
}

bool DocInLinesModel::setUnit(int row, const QString &unit)
{
    if (!unit.isEmpty() && !m_unitNames.contains(unit))
        return refuse(unknownUnitText(unit));
    EntryLine l = m_rows.at(row).line;
    l.unit = unit;
    return commit(row, l);
}

bool DocInLinesModel::setGroup(int row, const QString &group)
{
    EntryLine l = m_rows.at(row).line;
    try {
        if (!refuse(m_editing->setGroup(l, group).message))
            return false;
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    return commit(row, l);
}

bool DocInLinesModel::setArticle(int row, const QString &group, const QString &article)
{
    if (group != m_rows.at(row).line.group && !setGroup(row, group))
        return false;
    EntryLine l = m_rows.at(row).line;
    try {
        m_editing->setArticle(l, article);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    return commit(row, l);
}

bool DocInLinesModel::setOrderLine(int row, const QString &group, const QString &article, const QString &agent,
                                   double quantity, double order)
{
    if (!setArticle(row, group, article))
        return false;
    EntryLine l = m_rows.at(row).line;
    l.agent = agent;
    // Setting the inventory number made the quantity 1; the order's rest replaces it.
    l.quantity = quantity;
    l.contorCom = order;
    quantityChanged(l);
    return commit(row, l);
}

int DocInLinesModel::barCodeEntered(int row, const QString &barCode)
{
    EntryLine l = m_rows.at(row).line;
    l.barCode = barCode;
    commit(row, l);
    if (barCode.isEmpty() || !m_params.codBare)
        return CodBare;
    const auto article = m_computations->articleByBarCode(barCode);
    if (!article) {
        m_messages.warning(noBarCodeText());
        return CodGrupa;
    }
    return setArticle(row, article->first, article->second) ? Cantitate : CodGrupa;
}

QString DocInLinesModel::agentCode(const QString &text) const
{
    if (text.isEmpty() || m_budgetNames.contains(text))
        return text;
    for (auto it = m_budgetNames.cbegin(); it != m_budgetNames.cend(); ++it) {
        if (it.value() == text)
            return it.key();
    }
    return QString();
}

bool DocInLinesModel::applyText(EntryLine &l, int column, const QString &text)
{
    using Field = EntryLineEditing::Field;
    static const QHash<int, Field> fields{
        {Denumire, Field::Name},          {Cantitate, Field::Quantity},     {PretValuta, Field::PriceCurrency},
        {Valuta, Field::Currency},        {PretLei, Field::PriceLei},       {PretEchiv, Field::PriceEquivalent},
        {TVA, Field::Tva},                {ContTvaIntrari, Field::ContTvaIntrari}, {ContMarfa, Field::ContMarfa},
        {Domeniu, Field::Domain},         {Lot, Field::Lot},                {DurataTotala, Field::TotalDuration},
        {DurataRamasa, Field::RemainingDuration}, {ValAmortizata, Field::Depreciated}};
    switch (column) {
    case AgentName: {
        const QString code = agentCode(text);
        if (code.isEmpty() && !text.isEmpty())
            return false;
        l.agent = code;
        return true;
    }
    case Serii: l.serii = flagFromText(text); return true;
    case CalcAmortizare:
        // A refused wish leaves the flag its domain allows.
        refuse(m_editing->setCalcAmortizare(l, flagFromText(text)).message);
        return true;
    default: break;
    }
    if (!fields.contains(column))
        return false;
    const EntryLineEditing::Outcome outcome = m_editing->apply(l, fields.value(column), text);
    if (!outcome.message.isEmpty())
        m_messages.warning(outcome.message);
    return outcome.accepted();
}

bool DocInLinesModel::setFlag(int row, int column, bool on)
{
    EntryLine l = m_rows.at(row).line;
    if (column == Serii) {
        l.serii = on;
    } else {
        // A refused wish still leaves the line with the flag its domain allows.
        refuse(m_editing->setCalcAmortizare(l, on).message);
    }
    return commit(row, l, column, column);
}

bool DocInLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    const int row = index.row();
    if (role == Qt::CheckStateRole) {
        if (index.column() != Serii && index.column() != CalcAmortizare)
            return false;
        return setFlag(row, index.column(), value.toInt() == Qt::Checked);
    }
    if (role != Qt::EditRole)
        return false;
    const QString text = value.toString().trimmed();
    // An editor closed without a change leaves the row as it was.
    if (text == data(index, Qt::EditRole).toString())
        return true;
    try {
        switch (index.column()) {
        case GestName: {
            // The code, or the name of a unit.
            QString code = m_unitNames.contains(text) ? text : m_unitNames.key(text, text);
            return setUnit(row, code);
        }
        case CodBare: {
            const int next = barCodeEntered(row, text);
            Q_EMIT cursorWanted(row, next);
            return true;
        }
        case CodGrupa: return text == m_rows.at(row).line.group || setGroup(row, text);
        case CodArticol: return setArticle(row, m_rows.at(row).line.group, text);
        default: break;
        }
        EntryLine l = m_rows.at(row).line;
        if (!applyText(l, index.column(), text))
            return false;
        return commit(row, l);
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
}

QVariant DocInLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const EntryLine &l = m_rows.at(index.row()).line;
    const int column = index.column();
    if (role == PickListRole) {
        switch (column) {
        case Valuta: return m_currencies;
        case Domeniu: return QStringList{QStringLiteral("Public"), QStringLiteral("Privat")};
        case AgentName: {
            QStringList names{QString()};
            for (const QString &code : m_budgetCodes)
                names << m_budgetNames.value(code);
            return names;
        }
        default: return {};
        }
    }
    if (role == GridRoles::CellKind) {
        switch (column) {
        case Cantitate: case PretValuta: case PretLei: case Valoare: case PretEchiv: case TVA:
        case DurataTotala: case DurataRamasa: case ValAmortizata:
            return int(GridRoles::Kind::Amount);
        case Lot: return int(GridRoles::Kind::Date);
        case Serii: case CalcAmortizare: return int(GridRoles::Kind::Boolean);
        default: return int(GridRoles::Kind::Text);
        }
    }
    if (role == Qt::CheckStateRole) {
        if (column == Serii)
            return l.serii ? Qt::Checked : Qt::Unchecked;
        if (column == CalcAmortizare)
            return l.calcAmortizare.value_or(false) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        switch (column) {
        case Cantitate: case PretValuta: case PretLei: case Valoare: case PretEchiv: case TVA:
        case DurataTotala: case DurataRamasa: case ValAmortizata:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default: return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const bool edit = role == Qt::EditRole;
    switch (column) {
    case GestName: return l.unit.isEmpty() ? QString() : m_unitNames.value(l.unit, l.unit);
    case CodBare: return l.barCode;
    case CodGrupa: return l.group;
    case CodArticol: return l.article;
    case Denumire: return l.name;
    case Cantitate: return shown(l.quantity, edit ? QString() : AmountMasks::quantity());
    case UM: return QString();
    case PretValuta:
        return shown(l.priceCurrency, edit ? AmountMasks::currencyEdit(m_params) : AmountMasks::currency(m_params));
    case Valuta: return l.currency;
    case PretLei:
        return shown(l.priceLei, edit ? AmountMasks::leiEdit(m_params) : AmountMasks::lei(m_params));
    case Valoare:
        if (!l.quantity || !l.priceLei)
            return {};
        return formatNumber(*l.quantity * *l.priceLei, AmountMasks::lei(m_params));
    case PretEchiv: return shown(l.priceUsd, edit ? QString() : QStringLiteral("#,##0.#####"));
    case Comanda: return l.contorCom ? m_orders.value(*l.contorCom) : QString();
    case Serii: return edit ? QVariant(l.serii) : QVariant();
    case TVA: return shown(l.tva, edit ? QString() : QStringLiteral("#,##0.00"));
    case ContTvaIntrari: return l.contTvaIntrari;
    case ContMarfa: return l.contMarfa;
    case AgentName: return l.agent.isEmpty() ? QString() : m_budgetNames.value(l.agent, l.agent);
    case Domeniu: return l.domain;
    case Lot: return l.lot.isValid() ? NationalFormats::current().formatLongDate(l.lot) : QString();
    case DurataTotala: return shown(l.durataTotala);
    case DurataRamasa: return shown(l.durataRamasa);
    case ValAmortizata: return shown(l.valoareAmortizata);
    case CalcAmortizare: return edit && l.calcAmortizare ? QVariant(*l.calcAmortizare) : QVariant();
    default: return {};
    }
}

QVariant DocInLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{
        QStringLiteral("Gestiune"),       QStringLiteral("Cod de bare"),      QStringLiteral("Cod clasificare"),
        QStringLiteral("Nr. inventar"),   QStringLiteral("Denumire"),         QStringLiteral("Cantitate"),
        QStringLiteral("UM"),             QStringLiteral("Pret fara TVA"),    QStringLiteral("Valuta"),
        QStringLiteral("Pret achizitie"), QStringLiteral("Valoare"),          QStringLiteral("Pret echivalent Valuta"),
        QStringLiteral("Comanda"),        QStringLiteral("Serii"),            QStringLiteral("TVA"),
        QStringLiteral("Cont TVA"),       QStringLiteral("Cont marfa"),       QStringLiteral("Buget"),
        QStringLiteral("Domeniu"),        QStringLiteral("Data folosinta"),   QStringLiteral("DurataTotala"),
        QStringLiteral("DurataRamasa"),   QStringLiteral("Val amortizata"),   QStringLiteral("CalcAmortizare")};
    return captions.value(section);
}

Qt::ItemFlags DocInLinesModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags f = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case UM: case Valoare: case Comanda: return f;
    case Serii: case CalcAmortizare: return f | Qt::ItemIsUserCheckable;
    case CodArticol: return m_params.genCod ? f : f | Qt::ItemIsEditable;
    default: return f | Qt::ItemIsEditable;
    }
}

int DocInLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}
