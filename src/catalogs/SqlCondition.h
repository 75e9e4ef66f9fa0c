#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

// A piece of a WHERE clause with its values kept apart, so that the codes a user chose
// reach the engine as bound values and never as SQL text.
struct SqlCondition
{
    QString sql;        // empty: no restriction
    QVariantMap values; // placeholder -> value

    bool isEmpty() const { return sql.isEmpty(); }
    // " AND <sql>", or nothing when there is no restriction.
    QString andClause() const { return sql.isEmpty() ? QString() : QStringLiteral(" AND ") + sql; }
    // "WHERE <sql>", or nothing.
    QString whereClause() const { return sql.isEmpty() ? QString() : QStringLiteral(" WHERE ") + sql; }

    void bindTo(QSqlQuery &query) const
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            query.bindValue(it.key(), it.value());
    }
};
