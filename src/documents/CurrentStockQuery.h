#pragma once

#include "db/PagedQuery.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// The queries of the current-stock window: the stock rows of one management unit,
// either one row per stock key or summed per inventory number, in one of three orders.
// The unit is always a bound value.
class CurrentStockQuery
{
public:
    enum class View { ByPrice, ByArticle };
    enum class Order { Group, Article, Name };

    // Column names of the result, stable for the grid and the search.
    static QString sql(View view, Order order);
    static QVariantMap bindings(const QString &unit) { return {{QStringLiteral(":unit"), unit}}; }
    // The same rows without their order, and the order as the fields of the result, made
    // total by the rest of the stock key: what the window pages through.
    static QString select(View view);
    static QList<PagedQuery::SortField> order(View view, Order order);
    // How the window pages through it: straight from the query where the stock's key
    // gives the order, else through one sort of the unit's rows per reading.
    static PagedQuery::Reading reading(View view, Order order);
    // The result column the order sorts by.
    static QString sortField(Order order);

    // The first row whose key is not smaller than `text`, by bisection over keys in
    // their sorted order; texts compared in upper case, values (`numeric`) as numbers. The last
    // row when every key is smaller; -1 without rows.
    static int nearestRow(const QStringList &sortedKeys, const QString &text, bool numeric = false);

    // The acquisition value typed in the price search, or none for a text that is not
    // a number (a comma is accepted as the decimal separator).
    static std::optional<double> parsePrice(const QString &text);
    static QString badPriceText(const QString &text);
};
