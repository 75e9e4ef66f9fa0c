#include "documents/forms/DocumentHeadersModel.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/SqlDialect.h"

#include <QSqlQuery>

DocumentHeadersModel::DocumentHeadersModel(Database &db, const QString &table, const QStringList &fields,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_db(db), m_query(db), m_table(table), m_fields(fields)
{
}

void DocumentHeadersModel::load(const std::optional<Period> &period, double keep)
{
    const QString table = SqlDialect::quote(m_table);
    beginResetModel();
    m_rows = 0;
    try {
        if (period) {
            // The date index `ByDate` is collated RO: the range is compared the same way so
            // that it reads the index. ISO dates sort alike in both collations.
            m_query.setQuery(QStringLiteral("SELECT * FROM %1 WHERE (\"Contor\" >= 1 AND \"Data_inregistrarii\" "
                                            "COLLATE RO BETWEEN :first AND :last) OR \"Contor\" = :keep")
                                 .arg(table),
                             {{QStringLiteral(":first"), period->first.toString(Qt::ISODate)},
                              {QStringLiteral(":last"), period->last.toString(Qt::ISODate)},
                              {QStringLiteral(":keep"), keep}},
                             {{QStringLiteral("Data_inregistrarii")}, {QStringLiteral("Contor")}});
        } else {
            m_query.setQuery(QStringLiteral("SELECT * FROM %1 WHERE \"Contor\" >= 1").arg(table), {},
                             {{QStringLiteral("Contor")}});
        }
        m_rows = m_query.count();
    } catch (...) {
        m_query.setQuery(QString(), {}, {});
        endResetModel();
        throw;
    }
    endResetModel();
}

int DocumentHeadersModel::rowOf(double contor) const
{
    try {
        const int row = m_query.findFrom(0, QStringLiteral("q.\"Contor\" = :contor"), {{QStringLiteral(":contor"), contor}});
        return row < m_rows ? row : -1;
    } catch (const DbError &) {
        return -1;
    }
}

QSqlRecord DocumentHeadersModel::recordAt(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    try {
        return m_query.record(row);
    } catch (const DbError &) {
        return {};
    }
}

int DocumentHeadersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DocumentHeadersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant DocumentHeadersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole) || index.row() >= m_rows)
        return {};
    return fieldValuesAt(index.row()).value(m_fields.value(index.column()));
}

QVariant DocumentHeadersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_fields.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
