#pragma once

#include "app/forms/GridRoles.h"
#include "documents/EntryLine.h"
#include "documents/forms/EditedLinesModel.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

class Database;
class EntryComputations;
class EntryLineEditing;
class Messages;
class Parameters;

// The lines of one entry document as the grid edits them. A changed row stays in the
// model until the window saves it (when the user leaves the row); the stored values of
// the row are kept beside it as the pre-edit copy, so its changes can be cancelled.
// What a typed value derives (prices, VAT, durations, generated numbers) comes from
// EntryComputations; a refused value shows its warning and leaves the row as it was.
class DocInLinesModel : public EditedLinesModel<EntryLine>
{
    Q_OBJECT
public:
    enum Column {
        GestName, CodBare, CodGrupa, CodArticol, Denumire, Cantitate, UM, PretValuta, Valuta, PretLei,
        Valoare, PretEchiv, Comanda, Serii, TVA, ContTvaIntrari, ContMarfa, AgentName, Domeniu, Lot,
        DurataTotala, DurataRamasa, ValAmortizata, CalcAmortizare, ColumnCount
    };
    // The texts a pick-list column offers (QStringList).
    static constexpr int PickListRole = GridRoles::PickList;

    DocInLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent = nullptr);
    ~DocInLinesModel() override;

    // Type and date of the document: VAT and the date of putting into use depend on them.
    void setDocument(const QString &type, const QDate &date);
    // Re-reads the names of units, budgets and orders and the currency list.
    void loadLookups();

    // The assignments of the lookups and the searches, with their usual checks; false
    // (the warning shown) when refused.
    bool setUnit(int row, const QString &unit);
    bool setGroup(int row, const QString &group);
    bool setArticle(int row, const QString &group, const QString &article);
    // A bar code typed: the catalogue row it starts gives classification code and
    // inventory number. The column the cursor should go to next.
    int barCodeEntered(int row, const QString &barCode);
    // An order line received by this line: its classification code and inventory number
    // (with their usual checks), its budget, the outstanding quantity and the order.
    bool setOrderLine(int row, const QString &group, const QString &article, const QString &agent, double quantity,
                      double order);

    QString unitName(const QString &code) const { return m_unitNames.value(code); }

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static QString noBarCodeText();
    static QString unknownUnitText(const QString &unit);

Q_SIGNALS:
    // A row was changed by the user (the header goes into edit).
    void rowEdited(int row);
    // The cursor should move to this cell once the edit is over.
    void cursorWanted(int row, int column);

private:
    bool applyText(EntryLine &l, int column, const QString &text);
    bool setFlag(int row, int column, bool on);
    bool refuse(const QString &text);
    void quantityChanged(EntryLine &l) const;
    bool commit(int row, const EntryLine &l, int fromColumn = 0, int toColumn = ColumnCount - 1);
    QString agentCode(const QString &text) const;

    Database &m_db;
    const Parameters &m_params;
    Messages &m_messages;
    std::unique_ptr<EntryComputations> m_computations;
    std::unique_ptr<EntryLineEditing> m_editing;
    QString m_type;
    QDate m_date;
    QHash<QString, QString> m_unitNames;
    QHash<QString, QString> m_budgetNames;
    QStringList m_budgetCodes;
    QHash<double, QString> m_orders;
    QStringList m_currencies;
};
