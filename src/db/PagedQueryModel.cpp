#include "db/PagedQueryModel.h"

#include "db/DbError.h"

PagedQueryModel::PagedQueryModel(Database &db, QObject *parent, int pageSize)
    : QAbstractTableModel(parent), m_query(db, pageSize)
{
}

void PagedQueryModel::setQuery(const QString &select, const QVariantMap &bindings,
                               const QList<PagedQuery::SortField> &order, PagedQuery::Reading reading)
{
    beginResetModel();
    m_headers.clear();
    m_rows = 0;
    m_columns = 0;
    try {
        m_query.setQuery(select, bindings, order, reading);
        m_columns = m_query.fields().count();
        m_rows = m_query.count();
    } catch (...) {
        m_query.setQuery(QString(), {}, {});
        endResetModel();
        throw;
    }
    endResetModel();
}

void PagedQueryModel::refresh()
{
    beginResetModel();
    m_query.reset();
    try {
        m_rows = m_query.count();
    } catch (...) {
        m_rows = 0;
        endResetModel();
        throw;
    }
    endResetModel();
}

QSqlRecord PagedQueryModel::record() const
{
    try {
        return m_query.fields();
    } catch (const DbError &) {
        return {};
    }
}

QSqlRecord PagedQueryModel::record(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    try {
        return m_query.record(row);
    } catch (const DbError &) {
        return {};
    }
}

int PagedQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int PagedQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant PagedQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= m_rows)
        return {};
    try {
        return m_query.value(index.row(), index.column());
    } catch (const DbError &) {
        // A row that cannot be read now (the table locked or gone) shows empty; the
        // refresh timer reads it again.
        return {};
    }
}

QVariant PagedQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        const auto found = m_headers.constFind({section, role});
        if (found != m_headers.cend())
            return *found;
        if (role == Qt::DisplayRole)
            return record().fieldName(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PagedQueryModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return false;
    m_headers.insert({section, role == Qt::EditRole ? int(Qt::DisplayRole) : role}, value);
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}
