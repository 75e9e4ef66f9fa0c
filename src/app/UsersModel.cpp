#include "app/UsersModel.h"

#include "app/Initials.h"
#include "app/UsersError.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QSqlRecord>

UsersModel::UsersModel(Database &db, QObject *parent)
    : QSqlTableModel(parent, db.connection()), m_db(db)
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

void UsersModel::load()
{
    setTable(QStringLiteral("User"));
    DbError::check(lastError());
    if (fieldIndex(QStringLiteral("Init")) < 0)
        throw DbError(QStringLiteral("Tabela User nu are campul Init"), false);
    setSort(initColumn(), Qt::AscendingOrder);
    if (!select())
        DbError::check(lastError());
    fetchAll();
}

void UsersModel::fetchAll()
{
    // The table is small; holding it whole keeps row numbers stable while editing.
    while (canFetchMore())
        fetchMore();
}

Qt::ItemFlags UsersModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QSqlTableModel::flags(index);
    if (index.column() == initColumn() && !m_settingInit)
        f &= ~Qt::ItemIsEditable;
    return f;
}

bool UsersModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return QSqlTableModel::setData(index, value, role);

    if (index.column() == nameColumn()) {
        const QString name = value.toString().left(NameLength);
        if (!QSqlTableModel::setData(index, name.isEmpty() ? QVariant() : QVariant(name), role))
            return false;
        const QString init = Initials::fromName(name);
        m_settingInit = true;
        const bool set = QSqlTableModel::setData(this->index(index.row(), initColumn()),
                                                 init.isEmpty() ? QVariant() : QVariant(init), role);
        m_settingInit = false;
        return set;
    }
    if (index.column() == passwordColumn()) {
        const QString psw = value.toString().toUpper().left(PasswordLength);
        return QSqlTableModel::setData(index, psw.isEmpty() ? QVariant() : QVariant(psw), role);
    }
    if (index.column() == accessColumn()) {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QSqlTableModel::setData(index, QVariant(), role);
        bool ok = false;
        const int level = text.toInt(&ok);
        if (!ok)
            return false;
        return QSqlTableModel::setData(index, level, role);
    }
    return QSqlTableModel::setData(index, value, role);
}

int UsersModel::appendRow()
{
    const int row = rowCount();
    insertRow(row);
    return row;
}

void UsersModel::markDeleted(int row)
{
    removeRow(row);
}

void UsersModel::post()
{
    if (!isDirty())
        return;
    // An empty key would be stored as NULL, which SQLite would accept more than once.
    for (int row = 0; row < rowCount(); ++row) {
        if (!isDirty(index(row, 0)))
            continue;
        // Qt marks a row waiting for deletion with "!" in its vertical header.
        if (headerData(row, Qt::Vertical).toString() == QLatin1String("!"))
            continue;
        const QSqlRecord r = record(row);
        if (r.value(QStringLiteral("Init")).toString().isEmpty())
            throw UsersError(missingNameText());
    }
    m_db.writeTransaction([this] {
        if (!submitAll())
            DbError::check(lastError());
    });
    fetchAll();
}

void UsersModel::cancel()
{
    revertAll();
}

int UsersModel::rowOf(const QString &initials) const
{
    const int column = initColumn();
    for (int row = 0; row < rowCount(); ++row) {
        if (data(index(row, column)).toString() == initials)
            return row;
    }
    return -1;
}

QStringList UsersModel::accessLevels(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT Niv_acces FROM Acces ORDER BY Niv_acces"));
    QStringList levels;
    while (query.next())
        levels << query.value(0).toString();
    return levels;
}

QString UsersModel::missingNameText()
{
    return QStringLiteral("Completati numele! Initialele lui identifica persoana si nu pot "
                          "lipsi.");
}
