#pragma once

#include "db/PagedQuery.h"

#include <QAbstractTableModel>
#include <QHash>

// A read-only table model over a PagedQuery: as many rows as SQL counts, each read with
// its page when a view shows it, so a window opens on a register of any size at once.
class PagedQueryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit PagedQueryModel(Database &db, QObject *parent = nullptr, int pageSize = 200);

    // Replaces the rows (a model reset); throws DbError when the query cannot run.
    void setQuery(const QString &select, const QVariantMap &bindings, const QList<PagedQuery::SortField> &order,
                  PagedQuery::Reading reading = PagedQuery::Reading::Direct);
    // Re-reads count and rows (a model reset).
    void refresh();

    PagedQuery &query() { return m_query; }
    QSqlRecord record() const;
    QSqlRecord record(int row) const;
    int fieldIndex(const QString &field) const { return record().indexOf(field); }
    int loadedRows() const { return m_query.loadedRows(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;

private:
    mutable PagedQuery m_query;
    int m_rows = 0;
    int m_columns = 0;
    QHash<QPair<int, int>, QVariant> m_headers; // (section, role)
};
