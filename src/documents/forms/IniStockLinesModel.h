#pragma once

#include "documents/EntryLine.h"

#include <QAbstractTableModel>
#include <QList>

#include <memory>

class Database;
class EntryLineEditing;
class Messages;
class Parameters;

// The initial-stock lines of one management unit as an editable table. Edits stay in
// the model until the window saves the row (when the user leaves it). A typed value
// follows the rules of the entry lines (EntryLineEditing); a refused one shows its
// warning and leaves the row as it was.
class IniStockLinesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Group, Article, Name, Quantity, Price, Lot, Agent, Domain, TotalLife, RemainingLife,
                  Depreciated, CalcDepreciation,
                  // "Pret fara TVA", shown with the parameter CPretFaraTva.
                  PriceNet,
                  ColumnCount };

    IniStockLinesModel(Database &db, const Parameters &parameters, Messages &messages, QObject *parent = nullptr);
    ~IniStockLinesModel() override;

    void setLines(const QList<EntryLine> &lines);
    const EntryLine &line(int row) const { return m_rows.at(row).line; }
    void replaceLine(int row, const EntryLine &line);
    bool isDirty(int row) const { return row >= 0 && row < m_rows.size() && m_rows.at(row).dirty; }
    int appendLine(const EntryLine &line);
    void removeLine(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool refuse(const QString &text) const;

    const Parameters &m_params;
    Messages &m_messages;
    std::unique_ptr<EntryLineEditing> m_editing;

    struct Row
    {
        EntryLine line;
        bool dirty = false;
    };
    QList<Row> m_rows;
};
