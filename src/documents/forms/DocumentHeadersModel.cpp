#include "documents/forms/DocumentHeadersModel.h"

#include "db/Database.h"

#include <QSqlQuery>

DocumentHeadersModel::DocumentHeadersModel(Database &db, const QString &table, const QStringList &fields,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_db(db), m_table(table), m_fields(fields)
{
}

void DocumentHeadersModel::load(const std::optional<Period> &period, double keep)
{
    QSqlQuery q = period
        ? m_db.run(QStringLiteral("SELECT * FROM \"%1\" WHERE (\"Contor\" >= 1 AND \"Data_inregistrarii\" "
                                  "BETWEEN :first AND :last) OR \"Contor\" = :keep "
                                  "ORDER BY \"Data_inregistrarii\", \"Contor\"")
                       .arg(m_table),
                   {{QStringLiteral(":first"), period->first.toString(Qt::ISODate)},
                    {QStringLiteral(":last"), period->last.toString(Qt::ISODate)},
                    {QStringLiteral(":keep"), keep}})
        : m_db.run(QStringLiteral("SELECT * FROM \"%1\" WHERE \"Contor\" >= 1 ORDER BY \"Contor\"").arg(m_table));
    QList<QSqlRecord> records;
    while (q.next())
        records << q.record();
    beginResetModel();
    setRecords(records);
    m_rows = int(records.size());
    endResetModel();
}

int DocumentHeadersModel::rowOf(double contor) const
{
    for (int i = 0; i < m_rows; ++i) {
        if (contorAt(i) == contor)
            return i;
    }
    return -1;
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
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return fieldValuesAt(index.row()).value(m_fields.value(index.column()));
}

QVariant DocumentHeadersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_fields.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
