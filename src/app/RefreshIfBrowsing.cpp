#include "app/RefreshIfBrowsing.h"

#include <QItemSelectionModel>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QVariantList>

namespace {

QVariantList keyOf(const QSqlTableModel *model, const QSqlIndex &key, int row)
{
    QVariantList values;
    const QSqlRecord record = model->record(row);
    for (int i = 0; i < key.count(); ++i)
        values << record.value(key.fieldName(i));
    return values;
}

// The row holding the key, fetching further rows as needed; -1 when gone.
int findKey(QSqlTableModel *model, const QSqlIndex &key, const QVariantList &values)
{
    for (int row = 0;; ++row) {
        if (row >= model->rowCount()) {
            if (!model->canFetchMore())
                return -1;
            model->fetchMore();
            if (row >= model->rowCount())
                return -1;
        }
        if (keyOf(model, key, row) == values)
            return row;
    }
}

} // namespace

bool refreshIfBrowsing(QSqlQueryModel *model, QItemSelectionModel *selection)
{
    if (!model)
        return false;
    auto *table = qobject_cast<QSqlTableModel *>(model);
    if (table && (table->isDirty() || table->tableName().isEmpty()))
        return false;
    if (!table && !model->query().isActive() && model->query().lastQuery().isEmpty())
        return false;

    const QModelIndex current = selection ? selection->currentIndex() : QModelIndex();
    const int oldRow = current.isValid() ? current.row() : -1;
    const int column = current.isValid() ? current.column() : 0;
    QSqlIndex key;
    QVariantList keyValues;
    if (table && oldRow >= 0) {
        key = table->primaryKey();
        if (!key.isEmpty())
            keyValues = keyOf(table, key, oldRow);
    }

    if (table) {
        if (!table->select())
            return false;
    } else {
        // Runs the same statement again, with the values bound to it.
        QSqlQuery query = model->query();
        if (!query.exec())
            return false;
        model->setQuery(std::move(query));
    }

    if (oldRow < 0 || !selection)
        return true;
    int row = -1;
    if (!keyValues.isEmpty())
        row = findKey(table, key, keyValues);
    if (row < 0) {
        while (oldRow >= model->rowCount() && model->canFetchMore())
            model->fetchMore();
        row = qMin(oldRow, model->rowCount() - 1);
    }
    if (row >= 0)
        selection->setCurrentIndex(model->index(row, column),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}
