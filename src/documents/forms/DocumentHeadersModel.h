#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class Database;

// The document headers a window moves through (`Doc_in` or `Doc_out`): `Contor` >= 1 in
// number order, or those registered within a period in date order. Read whole, so no
// statement stays open on the shared database between two refreshes. The columns are
// the header's fields, for the add-on modules the window is offered to.
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
    // document dated elsewhere).
    void load(const std::optional<Period> &period, double keep = 0);
    int rowOf(double contor) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    DocumentHeadersModel(Database &db, const QString &table, const QStringList &fields, QObject *parent);

    // The rows read, handed over while the model is being reset.
    virtual void setRecords(const QList<QSqlRecord> &records) = 0;
    virtual double contorAt(int row) const = 0;
    virtual QVariantMap fieldValuesAt(int row) const = 0;

private:
    Database &m_db;
    QString m_table;
    QStringList m_fields;
    int m_rows = 0;
};

// The same over one kind of header (EntryDocumentHeader, ExitDocumentHeader).
template <typename Header>
class DocumentHeaders : public DocumentHeadersModel
{
public:
    const Header &header(int row) const { return m_headers.at(row); }

protected:
    using DocumentHeadersModel::DocumentHeadersModel;

    void setRecords(const QList<QSqlRecord> &records) override
    {
        m_headers.clear();
        for (const QSqlRecord &record : records)
            m_headers << Header::fromRecord(record);
    }
    double contorAt(int row) const override { return m_headers.at(row).contor; }
    QVariantMap fieldValuesAt(int row) const override { return m_headers.at(row).fieldValues(); }

private:
    QList<Header> m_headers;
};
