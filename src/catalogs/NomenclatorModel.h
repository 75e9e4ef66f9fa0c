#pragma once

#include <QHash>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class Database;
class Messages;

// An editable table of a nomenclator (classification codes, units, budgets, suppliers,
// the organisation). Edits stay pending until post(), which checks every changed row
// and writes them all in one write transaction: a refused or failed post leaves the
// tables as they were and the edits pending, so the user can correct them.
class NomenclatorModel : public QSqlTableModel
{
    Q_OBJECT
public:
    // Returns the message of a refusal, or an empty text when the value or row is fine.
    using FieldCheck = std::function<QString(const QVariant &value)>;
    using RowCheck = std::function<QString(const QSqlRecord &record)>;

    NomenclatorModel(Database &db, Messages &messages, QObject *parent = nullptr);

    // The table by its schema name; texts are cut to the width of their field on write.
    void setTableName(const QString &table);
    // Makes the columns read from the table; false (and the engine error kept in
    // lastError()) when the table cannot be read.
    bool open();

    void setCaption(const QString &field, const QString &caption);
    // The order of select(): fields in turn, the first one compared with the Romanian
    // collation when `romanian` is set (names), else by the key's plain comparison.
    void setOrder(const QStringList &fields, bool romanian);
    bool romanianOrder() const { return m_romanian; }
    QString orderField() const { return m_orderFields.value(0); }
    // Restricts the rows to field = value. The value is written as a quoted literal by
    // the driver (a table model has no bound filter), so any quote in it stays data.
    void setFilterEquals(const QString &field, const QVariant &value);

    void setDefault(const QString &field, const QVariant &value) { m_defaults.insert(field, value); }
    void setFieldCheck(const QString &field, FieldCheck check) { m_fieldChecks.insert(field, std::move(check)); }
    void setRowCheck(RowCheck check) { m_rowCheck = std::move(check); }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }

    // A new row at the end with the defaults filled in; its index.
    int appendRow();
    // Checks and writes every pending change. False after a refusal or an engine error,
    // whose message has been shown; the changes then stay pending.
    bool post();
    // The first changed row that the last post refused, -1 when none.
    int refusedRow() const { return m_refusedRow; }

    // The first row whose `field` is not smaller than `text` in the comparison of the
    // current order (Romanian and case-insensitive for a name order); the last row when
    // every value is smaller; -1 for an empty table or text.
    int nearestRow(const QString &field, const QString &text);
    // The row holding these field values, -1 when none.
    int findRow(const QVariantMap &values);
    void fetchAll();
    QVariantMap keyValues(int row) const;

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

protected:
    QString orderByClause() const override;

private:
    bool rowChanged(int row) const;

    Database &m_db;
    Messages &m_messages;
    QHash<QString, int> m_widths;
    QHash<QString, QString> m_captions;
    QStringList m_orderFields;
    bool m_romanian = false;
    QVariantMap m_defaults;
    QHash<QString, FieldCheck> m_fieldChecks;
    RowCheck m_rowCheck;
    bool m_readOnly = false;
    int m_refusedRow = -1;
};
