#pragma once

#include <QAbstractTableModel>
#include <QVector>

class Database;
class Messages;

// The serial-number rows (`Serie`) of one entry document for the "Serii" grid:
// Grupa, Cod_articol, Denumire (from `Catalog`), Serie, SerieFurn. Only the two numbers
// are typed. Changes stay pending on their row until post(), which the window calls
// when the user leaves the row or closes it.
class SerialRowsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Grupa, CodArticol, Denumire, Serie, SerieFurn, ColumnCount };

    SerialRowsModel(Database &db, Messages &messages, QObject *parent = nullptr);

    // Reads the rows of document `contor` (pending changes are dropped). Throws DbError.
    void load(double contor);
    double contor() const { return m_contor; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Takes a typed number (empty clears it); a text that is not a number is refused
    // with a warning. Changing another row first posts the pending one.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    bool hasPending() const { return m_pendingRow >= 0; }
    int pendingRow() const { return m_pendingRow; }
    // Writes the pending row; false (the message shown, the change kept) when the
    // database refused it. True when nothing was pending.
    bool post();
    // Forgets the pending change and shows the stored values again.
    void cancel();

    static QString notANumberText(const QString &typed);
    static QString rowGoneText();

private:
    struct Row
    {
        qint64 id = 0; // rowid: `Serie` has no key of its own
        QString group;
        QString article;
        QString name;
        QVariant serie;
        QVariant serieFurn;
    };

    Database &m_db;
    Messages &m_messages;
    double m_contor = 0;
    QVector<Row> m_rows;
    QVector<Row> m_stored; // as read, for cancel()
    int m_pendingRow = -1;
};
