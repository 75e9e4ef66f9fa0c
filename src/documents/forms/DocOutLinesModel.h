#pragma once

#include "app/forms/GridRoles.h"
#include "documents/ExitLine.h"
#include "documents/ExitPriceChoice.h"
#include "documents/forms/EditedLinesModel.h"

#include <QDate>
#include <QHash>
#include <QList>

#include <memory>
#include <optional>

class Database;
class ExitLineEditing;
class Messages;
class Parameters;

// The lines of one exit document as the grid edits them. A changed row stays in the
// model until the window saves it (when the user leaves the row); the stored values are
// kept beside it as the pre-edit copy, so its changes can be cancelled. What a typed or
// chosen value does to the line comes from ExitLineEditing; a refused value shows its
// warning and leaves the row as it was.
class DocOutLinesModel : public EditedLinesModel<ExitLine>
{
    Q_OBJECT
public:
    enum Column {
        GestName, CodGrupa, CodArticol, Denumire, Lot, Cantitate, Pret, TVA, Valoare, AgentName,
        PretVinzare, PretVzEchiv, Acciza, ContMarfa, ContCheltuieli, ContTvaIesiri, ContAccize, ContAdaos,
        ContVenituri, UM, Den, ValUSD, ColumnCount
    };

    DocOutLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent = nullptr);
    ~DocOutLinesModel() override;

    // Type and date of the document: VAT and the exchange rates depend on them.
    void setDocument(const QString &type, const QDate &date);
    // Re-reads the names of units and budgets, and forgets the names of assets.
    void loadLookups();

    // The choices of the lookups, taken without the checks of typed codes.
    void takeStockRow(int row, const StockKey &stockRow);
    void takePrice(int row, const ExitPriceChoice::PriceRow &price);

    QString unitName(const QString &code) const { return m_unitNames.value(code); }

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    // A row was changed by the user (the header goes into edit).
    void rowEdited(int row);

private:
    struct Asset
    {
        QString name;         // from the entry line that brought it in
        QString catalogueName; // from its catalogue row
        QString unitOfMeasure;
    };

    void commit(int row, const ExitLine &l);
    const Asset &asset(const ExitLine &l) const;
    QString unitCode(const QString &text) const;

    Database &m_db;
    const Parameters &m_params;
    Messages &m_messages;
    std::unique_ptr<ExitLineEditing> m_editing;
    QHash<QString, QString> m_unitNames;
    QHash<QString, QString> m_budgetNames;
    mutable QHash<QString, Asset> m_assets;
};
