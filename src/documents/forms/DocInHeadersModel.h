#pragma once

#include "documents/EntryDocumentHeader.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>

#include <optional>

class Database;

// The entry-document headers the window moves through: `Contor` >= 1 in number order,
// or those registered within a period in date order. Read whole, so no statement stays
// open on the shared database between two refreshes.
class DocInHeadersModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Period
    {
        QDate first;
        QDate last;
    };

    DocInHeadersModel(Database &db, QObject *parent = nullptr) : QAbstractTableModel(parent), m_db(db) {}

    // Re-reads the headers; `keep` stays in the list even outside the period (a new
    // document dated elsewhere).
    void load(const std::optional<Period> &period, double keep = 0);
    const EntryDocumentHeader &header(int row) const { return m_headers.at(row); }
    int rowOf(double contor) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    Database &m_db;
    QList<EntryDocumentHeader> m_headers;
};
