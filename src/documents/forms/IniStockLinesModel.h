#pragma once

#include "db/PagedQuery.h"
#include "documents/EntryLine.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

#include <map>
#include <memory>

class Database;
class EntryLineEditing;
class Messages;
class Parameters;

// The initial-stock lines of one management unit as an editable table. The stored lines
// are counted with SQL and read a page at a time as the grid shows them (a unit may hold
// most of a 500,000-asset register); only the lines changed or added since the unit was
// read are kept in the model. Edits stay in the model until the window saves the row
// (when the user leaves it). A typed value follows the rules of the entry lines
// (EntryLineEditing); a refused one shows its warning and leaves the row as it was.
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

    // The lines of `unit` as stored now (a model reset); throws DbError.
    void setUnit(const QString &unit);
    QString unit() const { return m_unit; }
    // Reads the unit's lines again, forgetting the lines changed or added (a model reset).
    void reload();
    EntryLine line(int row) const;
    void replaceLine(int row, const EntryLine &line);
    bool isDirty(int row) const;
    int appendLine(const EntryLine &line);
    // Drops the row from the model; a stored line must have been deleted first.
    void removeLine(int row);
    // Lines held in memory now: the pages read and the lines changed or added.
    int loadedRows() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Row
    {
        EntryLine line;
        bool dirty = false;
    };

    bool refuse(const QString &text) const;
    void setRow(int row, const Row &value);

    mutable PagedQuery m_query;
    QString m_unit;
    const Parameters &m_params;
    Messages &m_messages;
    std::unique_ptr<EntryLineEditing> m_editing;
    // Rows [0, m_stored) are the stored lines in line-number order, then the added ones.
    int m_stored = 0;
    std::map<int, Row> m_changed; // stored rows changed (or saved) since they were read
    QList<Row> m_added;
    // Stored lines already made into EntryLines, for painting.
    mutable QHash<int, EntryLine> m_read;
};
