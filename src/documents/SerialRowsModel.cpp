#include "documents/SerialRowsModel.h"

#include "app/Messages.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QSqlQuery>

SerialRowsModel::SerialRowsModel(Database &db, Messages &messages, QObject *parent)
    : QAbstractTableModel(parent), m_db(db), m_messages(messages)
{
}

QString SerialRowsModel::notANumberText(const QString &typed)
{
    return QStringLiteral("'%1' nu este un numar valid!").arg(typed);
}

QString SerialRowsModel::rowGoneText()
{
    return QStringLiteral("Seria nu mai exista: linia documentului a fost modificata sau stearsa intre timp!");
}

void SerialRowsModel::load(double contor)
{
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT S.rowid, S.\"Grupa\", S.\"Cod_articol\", C.\"Denumire\", S.\"Serie\", S.\"SerieFurn\" "
                       "FROM \"Serie\" S LEFT JOIN \"Catalog\" C "
                       "ON C.\"Grupa\" = S.\"Grupa\" AND C.\"Cod\" = S.\"Cod_articol\" "
                       "WHERE S.\"Contor\" = :Contor ORDER BY S.\"ContorSec\", S.rowid"),
        {{QStringLiteral(":Contor"), contor}});
    QVector<Row> rows;
    while (q.next()) {
        Row r;
        r.id = q.value(0).toLongLong();
        r.group = q.value(1).toString();
        r.article = q.value(2).toString();
        r.name = q.value(3).toString();
        if (!q.value(4).isNull())
            r.serie = q.value(4).toDouble();
        if (!q.value(5).isNull())
            r.serieFurn = q.value(5).toDouble();
        rows.append(r);
    }
    beginResetModel();
    m_contor = contor;
    m_rows = rows;
    m_stored = rows;
    m_pendingRow = -1;
    endResetModel();
}

int SerialRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SerialRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SerialRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows[index.row()];
    if (role == Qt::TextAlignmentRole)
        return index.column() >= Serie ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Grupa:
        return r.group;
    case CodArticol:
        return r.article;
    case Denumire:
        return r.name;
    case Serie:
    case SerieFurn: {
        const QVariant &v = index.column() == Serie ? r.serie : r.serieFurn;
        return v.isNull() || !v.isValid() ? QString() : formatNumber(v.toDouble(), QString());
    }
    }
    return {};
}

QVariant SerialRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char *const names[ColumnCount] = {"Grupa", "Cod_articol", "Denumire", "Serie", "SerieFurn"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

Qt::ItemFlags SerialRowsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() >= Serie)
        f |= Qt::ItemIsEditable;
    return f;
}

bool SerialRowsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() < Serie || index.row() >= m_rows.size())
        return false;
    const QString typed = value.toString().trimmed();
    QVariant number;
    if (!typed.isEmpty()) {
        bool ok = false;
        const double v = parseNumber(typed, &ok);
        if (!ok) {
            m_messages.warning(notANumberText(typed));
            return false;
        }
        number = v;
    }
    if (m_pendingRow >= 0 && m_pendingRow != index.row() && !post())
        return false;
    Row &r = m_rows[index.row()];
    QVariant &field = index.column() == Serie ? r.serie : r.serieFurn;
    if (field == number)
        return true;
    field = number;
    m_pendingRow = index.row();
    Q_EMIT dataChanged(index, index);
    return true;
}

bool SerialRowsModel::post()
{
    if (m_pendingRow < 0)
        return true;
    const Row &r = m_rows[m_pendingRow];
    try {
        const int changed = m_db.writeTransaction([&] {
            QSqlQuery q = m_db.run(QStringLiteral("UPDATE \"Serie\" SET \"Serie\" = :Serie, \"SerieFurn\" = :SerieFurn "
                                                  "WHERE rowid = :Id AND \"Contor\" = :Contor"),
                                   {{QStringLiteral(":Serie"), r.serie.isValid() ? r.serie : QVariant(QMetaType(QMetaType::Double))},
                                    {QStringLiteral(":SerieFurn"), r.serieFurn.isValid() ? r.serieFurn : QVariant(QMetaType(QMetaType::Double))},
                                    {QStringLiteral(":Id"), r.id},
                                    {QStringLiteral(":Contor"), m_contor}});
            return q.numRowsAffected();
        });
        if (changed == 0) {
            // Saving the line again re-creates its rows: this one is gone with its numbers.
            m_messages.warning(rowGoneText());
            load(m_contor);
            return true;
        }
    } catch (const DbError &e) {
        m_messages.error(e.userText());
        return false;
    }
    m_stored[m_pendingRow] = r;
    m_pendingRow = -1;
    return true;
}

void SerialRowsModel::cancel()
{
    if (m_pendingRow < 0)
        return;
    const int row = m_pendingRow;
    m_rows[row] = m_stored[row];
    m_pendingRow = -1;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
