#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <optional>

// The lines of one document in a grid, each beside its pre-edit copy (the values last
// stored): what the user changes stays in the row until it is saved (markSaved) or
// cancelled (cancelChanges). The document windows' line models share it; each adds its
// columns, lookups and the signals of its window.
template <class Line>
class EditedLinesModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(const QList<Line> &lines)
    {
        beginResetModel();
        m_rows.clear();
        for (const Line &line : lines)
            m_rows.append({line, line, false});
        endResetModel();
    }

    const Line &line(int row) const { return m_rows.at(row).line; }
    // The stored values of the row; none for a line never saved.
    const std::optional<Line> &preEditCopy(int row) const { return m_rows.at(row).stored; }
    bool isDirty(int row) const { return row >= 0 && row < m_rows.size() && m_rows.at(row).dirty; }
    bool hasDirtyRow() const
    {
        for (const Row &row : m_rows)
            if (row.dirty)
                return true;
        return false;
    }

    // The row of the line with this line number; -1 when none.
    int rowOfLine(double contorSecundar) const
    {
        for (int i = 0; i < m_rows.size(); ++i)
            if (m_rows.at(i).line.contorSecundar == contorSecundar)
                return i;
        return -1;
    }

    int appendLine(const Line &line)
    {
        const int row = int(m_rows.size());
        beginInsertRows({}, row, row);
        m_rows.append({line, std::nullopt, true});
        endInsertRows();
        return row;
    }
    // The row as saved: it becomes its own pre-edit copy.
    void markSaved(int row, const Line &saved)
    {
        m_rows[row] = {saved, saved, false};
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    void removeLine(int row)
    {
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
    // Back to the pre-edit copy; a line never saved is removed. True when it was removed.
    bool cancelChanges(int row)
    {
        if (row < 0 || row >= m_rows.size())
            return false;
        if (!m_rows.at(row).stored) {
            removeLine(row);
            return true;
        }
        markSaved(row, *m_rows.at(row).stored);
        return false;
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }

protected:
    // A change by the user, not yet saved.
    void changeLine(int row, const Line &line)
    {
        m_rows[row].line = line;
        m_rows[row].dirty = true;
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    }

    struct Row
    {
        Line line;
        std::optional<Line> stored;
        bool dirty = false;
    };
    QList<Row> m_rows;
};
