#pragma once

#include "documents/ExitLine.h"
#include "documents/ExitPriceChoice.h"
#include "documents/forms/EditedLinesModel.h"

#include <QHash>
#include <QList>

#include <optional>

class Database;
class Messages;
class Parameters;

// The lines of one scrapping proposal as the grid edits them, in the field order of
// `Item_prof`. A changed row stays here until the window saves it as the user leaves it;
// the stored values are kept beside it, so its changes can be cancelled.
class ProposalLinesModel : public EditedLinesModel<ExitLine>
{
    Q_OBJECT
public:
    enum Column {
        GestName, CodGrupa, CodArticol, Den, Pret, Cantitate, Val, Lot, AgentName,
        // Hidden.
        CodGestiune, Agent, Contor, ContorSecundar, PretVinzare, PretVzEchiv, TVA, ColumnCount
    };

    ProposalLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent = nullptr);

    void loadLookups();
    // A stock row or a price chosen: unit, codes, price, `Lot` and budget.
    void takeStockRow(int row, const StockKey &key);
    void takePrice(int row, const ExitPriceChoice::PriceRow &price);
    QString unitName(const QString &code) const { return m_unitNames.value(code); }

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

Q_SIGNALS:
    void rowEdited(int row);

private:
    void commit(int row, const ExitLine &l);
    QString assetName(const ExitLine &l) const;

    Database &m_db;
    const Parameters &m_params;
    Messages &m_messages;
    QHash<QString, QString> m_unitNames;
    QHash<QString, QString> m_budgetNames;
    mutable QHash<QString, QString> m_names;
};
