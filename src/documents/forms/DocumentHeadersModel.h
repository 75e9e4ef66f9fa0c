#pragma once

#include "db/PagedQuery.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class Database;

// The document headers a window moves through (`Doc_in` or `Doc_out`): `Contor` >= 1 in
// number order, or those registered within a period in date order. Counted with SQL and
// read a page at a time (each page read whole, so no statement stays open on the shared
// database), so a register of many years opens at once. The columns are the header's
// fields, for the add-on modules the window is offered to.
class DocumentHeadersModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Period
    {
        QDate first;
        QDate last;
    };

    // Re-reads the headers; `keep` stays in the list even outside the period (a new
    // document dated elsewhere). Throws DbError.
    void load(const std::optional<Period> &period, double keep = 0);
    // The row of the document, counted by SQL; -1 when it is not in the list.
    int rowOf(double contor) const;
    // Header rows held in memory now.
    int loadedRows() const { return m_query.loadedRows(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    DocumentHeadersModel(Database &db, const QString &table, const QStringList &fields, QObject *parent);

    // The stored row; empty when it cannot be read now.
    QSqlRecord recordAt(int row) const;
    virtual QVariantMap fieldValuesAt(int row) const = 0;

private:
    Database &m_db;
    mutable PagedQuery m_query;
    QString m_table;
    QStringList m_fields;
    int m_rows = 0;
};

// The same over one kind of header (EntryDocumentHeader, ExitDocumentHeader).
template <typename Header>
class DocumentHeaders : public DocumentHeadersModel
{
public:
    Header header(int row) const { return Header::fromRecord(recordAt(row)); }

protected:
    using DocumentHeadersModel::DocumentHeadersModel;

    QVariantMap fieldValuesAt(int row) const override { return header(row).fieldValues(); }
};
