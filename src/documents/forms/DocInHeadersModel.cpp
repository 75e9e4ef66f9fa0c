#include "documents/forms/DocInHeadersModel.h"

#include "db/Database.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {
const QStringList &fields()
{
    static const QStringList names{QStringLiteral("Contor"), QStringLiteral("Data_inregistrarii"),
                                   QStringLiteral("Numar"),  QStringLiteral("Tip"),
                                   QStringLiteral("Data"),   QStringLiteral("Furnizor"),
                                   QStringLiteral("Explicatie")};
    return names;
}
} // namespace

void DocInHeadersModel::load(const std::optional<Period> &period, double keep)
{
    QSqlQuery q = period
        ? m_db.run(QStringLiteral("SELECT * FROM \"Doc_in\" WHERE (\"Contor\" >= 1 AND \"Data_inregistrarii\" "
                                  "BETWEEN :first AND :last) OR \"Contor\" = :keep "
                                  "ORDER BY \"Data_inregistrarii\", \"Contor\""),
                   {{QStringLiteral(":first"), period->first.toString(Qt::ISODate)},
                    {QStringLiteral(":last"), period->last.toString(Qt::ISODate)},
                    {QStringLiteral(":keep"), keep}})
        : m_db.run(QStringLiteral("SELECT * FROM \"Doc_in\" WHERE \"Contor\" >= 1 ORDER BY \"Contor\""));
    QList<EntryDocumentHeader> headers;
    while (q.next())
        headers << EntryDocumentHeader::fromRecord(q.record());
    beginResetModel();
    m_headers = headers;
    endResetModel();
}

int DocInHeadersModel::rowOf(double contor) const
{
    for (int i = 0; i < m_headers.size(); ++i) {
        if (m_headers.at(i).contor == contor)
            return i;
    }
    return -1;
}

int DocInHeadersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

int DocInHeadersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fields().size());
}

QVariant DocInHeadersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_headers.at(index.row()).fieldValues().value(fields().value(index.column()));
}

QVariant DocInHeadersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return fields().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
