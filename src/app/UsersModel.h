#pragma once

#include <QSqlTableModel>
#include <QStringList>

class Database;

// The custodians and beneficiaries (`User`) as the grid of the custodians window edits
// them. Changing `Name` sets `Init` from it; `Init` itself is not editable. Edits stay
// pending until post(), which saves them in one write transaction.
class UsersModel : public QSqlTableModel
{
    Q_OBJECT
public:
    explicit UsersModel(Database &db, QObject *parent = nullptr);

    static constexpr int NameLength = 20;
    static constexpr int PasswordLength = 15;

    // Reads the table (ordered by initials). Throws DbError.
    void load();

    int initColumn() const { return fieldIndex(QStringLiteral("Init")); }
    int nameColumn() const { return fieldIndex(QStringLiteral("Name")); }
    int passwordColumn() const { return fieldIndex(QStringLiteral("Psw")); }
    int accessColumn() const { return fieldIndex(QStringLiteral("Acces")); }

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // `Name` is cut to its width and sets `Init`; `Psw` is kept upper case and cut.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // A new empty row at the end; returns its row.
    int appendRow();
    // Marks a row deleted (a row never saved simply goes away); post() makes it final.
    void markDeleted(int row);

    // Saves every pending change in one write transaction. A row without initials
    // throws UsersError; an engine failure (duplicate initials among them) throws
    // DbError. On failure nothing is saved and the edits stay pending.
    void post();
    // Drops the pending edits.
    void cancel();
    bool hasPendingEdits() const { return isDirty(); }

    // The row holding these initials, -1 when none.
    int rowOf(const QString &initials) const;

    // The `Niv_acces` values of `Acces`, as texts, in key order. Throws DbError.
    static QStringList accessLevels(Database &db);
    static QString missingNameText();

private:
    void fetchAll();

    Database &m_db;
    // Lets setData() write the read-only `Init` while it follows `Name`.
    bool m_settingInit = false;
};
