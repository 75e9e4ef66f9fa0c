#include "catalogs/NomenclatorModel.h"

#include "app/ApplicationErrors.h"
#include "app/Messages.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/RoCollation.h"
#include "db/TVTables.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlIndex>

NomenclatorModel::NomenclatorModel(Database &db, Messages &messages, QObject *parent)
    : QSqlTableModel(parent, db.connection()), m_db(db), m_messages(messages)
{
    setEditStrategy(OnManualSubmit);
    connect(this, &QSqlTableModel::primeInsert, this, [this](int, QSqlRecord &record) {
        for (auto it = m_defaults.cbegin(); it != m_defaults.cend(); ++it) {
            if (record.contains(it.key())) {
                record.setValue(it.key(), it.value());
                record.setGenerated(it.key(), true);
            }
        }
    });
}

void NomenclatorModel::setTableName(const QString &table)
{
    m_widths.clear();
    if (const TVTable *def = TVTables::find(table)) {
        for (const DEF_FIELD &field : def->fields()) {
            if (field.type == FieldType::String && field.size > 0)
                m_widths.insert(field.name, field.size);
        }
    }
    // Names such as "Gest.db" are the tables "Gest" here.
    QString name = table;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    setTable(name);
}

bool NomenclatorModel::open()
{
    if (record().isEmpty())
        return false;
    for (auto it = m_captions.cbegin(); it != m_captions.cend(); ++it) {
        const int column = fieldIndex(it.key());
        if (column >= 0)
            setHeaderData(column, Qt::Horizontal, it.value());
    }
    return select();
}

void NomenclatorModel::setCaption(const QString &field, const QString &caption)
{
    m_captions.insert(field, caption);
    const int column = fieldIndex(field);
    if (column >= 0)
        setHeaderData(column, Qt::Horizontal, caption);
}

void NomenclatorModel::setOrder(const QStringList &fields, bool romanian)
{
    m_orderFields = fields;
    m_romanian = romanian;
}

void NomenclatorModel::setFilterEquals(const QString &field, const QVariant &value)
{
    QSqlField literal(field, QMetaType(QMetaType::QString));
    literal.setValue(value.isNull() ? QVariant(QString()) : QVariant(value.toString()));
    const QSqlDriver *driver = database().driver();
    setFilter(driver->escapeIdentifier(field, QSqlDriver::FieldName) + QStringLiteral(" = ")
              + driver->formatValue(literal));
}

QString NomenclatorModel::orderByClause() const
{
    if (m_orderFields.isEmpty())
        return QSqlTableModel::orderByClause();
    const QSqlDriver *driver = database().driver();
    QStringList parts;
    for (qsizetype i = 0; i < m_orderFields.size(); ++i) {
        QString part = driver->escapeIdentifier(m_orderFields.at(i), QSqlDriver::FieldName);
        if (i == 0 && m_romanian)
            part += QStringLiteral(" COLLATE ") + QLatin1String(RoCollation::sqlName);
        parts << part;
    }
    return QStringLiteral("ORDER BY ") + parts.join(QStringLiteral(", "));
}

Qt::ItemFlags NomenclatorModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QSqlTableModel::flags(index);
    if (m_readOnly)
        f &= ~Qt::ItemIsEditable;
    return f;
}

bool NomenclatorModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return QSqlTableModel::setData(index, value, role);
    const QString field = record().fieldName(index.column());
    QVariant stored = value;
    if (value.typeId() == QMetaType::QString) {
        QString text = value.toString();
        const int width = m_widths.value(field, 0);
        if (width > 0 && text.size() > width)
            text.truncate(width);
        stored = text.isEmpty() ? QVariant() : QVariant(text);
    }
    if (const auto check = m_fieldChecks.constFind(field); check != m_fieldChecks.cend()) {
        const QString message = (*check)(stored);
        if (!message.isEmpty()) {
            m_messages.warning(message);
            return false;
        }
    }
    // Writing the same value again would still mark the row as changed.
    const QVariant old = QSqlTableModel::data(index, Qt::EditRole);
    if (old.isNull() == stored.isNull() && old.toString() == stored.toString())
        return true;
    return QSqlTableModel::setData(index, stored, role);
}

int NomenclatorModel::appendRow()
{
    fetchAll();
    const int row = rowCount();
    if (!insertRow(row))
        return -1;
    return row;
}

bool NomenclatorModel::rowChanged(int row) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (isDirty(index(row, column)))
            return true;
    }
    return false;
}

bool NomenclatorModel::post()
{
    m_refusedRow = -1;
    if (!isDirty())
        return true;
    if (m_rowCheck) {
        for (int row = 0; row < rowCount(); ++row) {
            if (!rowChanged(row) || headerData(row, Qt::Vertical).toString() == QLatin1String("!"))
                continue; // unchanged, or marked for deletion
            const QString message = m_rowCheck(record(row));
            if (!message.isEmpty()) {
                m_refusedRow = row;
                m_messages.warning(message);
                return false;
            }
        }
    }
    try {
        m_db.writeTransaction([this] {
            if (!submitAll())
                throw DbError(lastError());
        });
    } catch (const std::exception &error) {
        for (int row = 0; row < rowCount() && m_refusedRow < 0; ++row) {
            if (rowChanged(row))
                m_refusedRow = row;
        }
        ApplicationErrors::report(error, m_messages);
        return false;
    }
    return true;
}

void NomenclatorModel::fetchAll()
{
    while (canFetchMore())
        fetchMore();
}

int NomenclatorModel::nearestRow(const QString &field, const QString &text)
{
    const int column = fieldIndex(field);
    if (column < 0 || text.isEmpty())
        return -1;
    fetchAll();
    if (rowCount() == 0)
        return -1;
    RoCollation collation;
    for (int row = 0; row < rowCount(); ++row) {
        const QString value = QSqlTableModel::data(index(row, column), Qt::EditRole).toString();
        const int order = m_romanian && field == orderField() ? collation.compare(value, text)
                                                              : value.compare(text);
        if (order >= 0)
            return row;
    }
    return rowCount() - 1;
}

int NomenclatorModel::findRow(const QVariantMap &values)
{
    if (values.isEmpty())
        return -1;
    fetchAll();
    for (int row = 0; row < rowCount(); ++row) {
        const QSqlRecord rec = record(row);
        bool same = true;
        for (auto it = values.cbegin(); it != values.cend() && same; ++it)
            same = rec.value(it.key()).toString() == it.value().toString();
        if (same)
            return row;
    }
    return -1;
}

QVariantMap NomenclatorModel::keyValues(int row) const
{
    QVariantMap values;
    const QSqlIndex key = primaryKey();
    const QSqlRecord rec = record(row);
    for (int i = 0; i < key.count(); ++i)
        values.insert(key.fieldName(i), rec.value(key.fieldName(i)));
    return values;
}
