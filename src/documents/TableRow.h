#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

class Database;

// Writes one row given as field name -> value, every value bound. Shared by the stores
// of document headers and lines, which hold their rows as plain values.
namespace TableRow {

void insert(Database &db, const QString &table, const QVariantMap &fields);
// Rewrites the fields of the rows matching `where`, whose own values (":c", ":cs"...) come
// in `whereValues`; the field values are bound under other names.
void update(Database &db, const QString &table, const QVariantMap &fields, const QString &where,
            const QVariantMap &whereValues);
// Inserts the row, or, when a row with the same `keyFields` exists, rewrites its other fields.
void upsert(Database &db, const QString &table, const QVariantMap &fields, const QStringList &keyFields);

} // namespace TableRow
