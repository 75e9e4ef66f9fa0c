#include "documents/CurrentStockQuery.h"

#include <QLocale>

namespace {

// The name of a stock row comes from the entry line that brought it in.
// Prefers the line of the same acquisition value. The lookup reads the index ByGestArt
// on unit, codes and value, compared as stored; the codes are also compared with
// the RO collation, so that a register whose index is not made yet reads ByCodArt (one
// row in a register of 500,000 costs microseconds instead of a scan of every line).
const char *const lineName =
    "COALESCE((SELECT i.\"Denumire\" FROM \"Item_in\" i WHERE i.\"Cod_grupa\" = s.\"Cod_grupa\" COLLATE RO "
    "AND i.\"Cod_articol\" = s.\"Cod_articol\" COLLATE RO AND i.\"Pret_achizitie_lei\" = s.\"Pret_achizitie\" "
    "AND i.\"Cod_grupa\" = s.\"Cod_grupa\" AND i.\"Cod_articol\" = s.\"Cod_articol\" "
    "AND i.\"Cod_gestiune\" = s.\"Cod_gestiune\" LIMIT 1), "
    "(SELECT i.\"Denumire\" FROM \"Item_in\" i WHERE i.\"Cod_grupa\" = s.\"Cod_grupa\" COLLATE RO "
    "AND i.\"Cod_articol\" = s.\"Cod_articol\" COLLATE RO "
    "AND i.\"Cod_grupa\" = s.\"Cod_grupa\" AND i.\"Cod_articol\" = s.\"Cod_articol\" "
    "AND i.\"Cod_gestiune\" = s.\"Cod_gestiune\" LIMIT 1))";

QString orderBy(CurrentStockQuery::Order order, bool withPrice)
{
    const QString tail = withPrice ? QStringLiteral(", \"Pret_achizitie\"") : QString();
    switch (order) {
    case CurrentStockQuery::Order::Article:
        return QStringLiteral(" ORDER BY \"Cod_articol\", \"Cod_grupa\"") + tail;
    case CurrentStockQuery::Order::Name:
        return QStringLiteral(" ORDER BY \"Denumire\" COLLATE RO, \"Cod_grupa\", \"Cod_articol\"") + tail;
    case CurrentStockQuery::Order::Group:
        break;
    }
    return QStringLiteral(" ORDER BY \"Cod_grupa\", \"Cod_articol\"") + tail;
}

bool isNumber(const QString &text, double &value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok;
}

// -1, 0, 1 as `key` sorts before, with or after `text`.
int compareKey(const QString &key, const QString &text, bool numeric)
{
    double a = 0;
    double b = 0;
    if (numeric && isNumber(key, a) && isNumber(text, b))
        return a < b ? -1 : (a > b ? 1 : 0);
    return QString::compare(key.toUpper(), text.toUpper());
}

} // namespace

QString CurrentStockQuery::sql(View view, Order order)
{
    if (view == View::ByArticle)
        return QStringLiteral("SELECT * FROM (SELECT s.\"Cod_grupa\", s.\"Cod_articol\", "
                              "COALESCE(c.\"Denumire\", %1) AS \"Denumire\", c.\"Unitate_masura\", "
                              "SUM(s.\"Cantitate\") AS \"Cantitate\", c.\"Pret_vinzare\", c.\"Moneda\", s.\"Cod_bare\" "
                              "FROM \"Stoc\" s LEFT JOIN \"Catalog\" c ON c.\"Grupa\" = s.\"Cod_grupa\" "
                              "AND c.\"Cod\" = s.\"Cod_articol\" WHERE s.\"Cod_gestiune\" = :unit "
                              "GROUP BY s.\"Cod_grupa\", s.\"Cod_articol\", s.\"Cod_bare\")")
                   .arg(QLatin1String(lineName))
               + orderBy(order, false);
    return QStringLiteral("SELECT * FROM (SELECT s.\"Cod_grupa\", s.\"Cod_articol\", %1 AS \"Denumire\", "
                          "s.\"Pret_achizitie\", s.\"Cantitate\", s.\"Cantitate\" * s.\"Pret_achizitie\" AS \"Valoare\", "
                          "s.\"Lot\", s.\"Agent\", b.\"Nume_client\" AS \"Buget\", s.\"Cod_bare\", s.\"Cod_gestiune\" "
                          "FROM \"Stoc\" s LEFT JOIN \"Client\" b ON b.\"Cod_client\" = s.\"Agent\" "
                          "WHERE s.\"Cod_gestiune\" = :unit)")
               .arg(QLatin1String(lineName))
           + orderBy(order, true);
}

QString CurrentStockQuery::select(View view)
{
    const QString sorted = sql(view, Order::Group);
    return sorted.left(sorted.lastIndexOf(QStringLiteral(" ORDER BY ")));
}

QList<PagedQuery::SortField> CurrentStockQuery::order(View view, Order order)
{
    // The order of sql(), completed with the rest of the stock key so that it is total.
    QList<PagedQuery::SortField> fields;
    auto add = [&fields](const char *name, bool romanian = false) {
        fields.append({QString::fromLatin1(name), romanian});
    };
    switch (order) {
    case Order::Article:
        add("Cod_articol");
        add("Cod_grupa");
        break;
    case Order::Name:
        add("Denumire", true);
        add("Cod_grupa");
        add("Cod_articol");
        break;
    case Order::Group:
        add("Cod_grupa");
        add("Cod_articol");
        break;
    }
    if (view == View::ByPrice) {
        add("Pret_achizitie");
        add("Lot");
        add("Agent");
    } else {
        add("Cod_bare");
    }
    return fields;
}

PagedQuery::Reading CurrentStockQuery::reading(View view, Order order)
{
    // A name is looked up per row and a sum made per group: sorting them for every page
    // would cost the whole unit each time. The rows per value by code or inventory number
    // are plain columns, whose first pages the engine sorts cheaply.
    return view == View::ByPrice && order != Order::Name ? PagedQuery::Reading::Direct : PagedQuery::Reading::Sorted;
}

QString CurrentStockQuery::sortField(Order order)
{
    switch (order) {
    case Order::Article:
        return QStringLiteral("Cod_articol");
    case Order::Name:
        return QStringLiteral("Denumire");
    case Order::Group:
        break;
    }
    return QStringLiteral("Cod_grupa");
}

int CurrentStockQuery::nearestRow(const QStringList &sortedKeys, const QString &text, bool numeric)
{
    if (sortedKeys.isEmpty())
        return -1;
    int low = 0;
    int high = int(sortedKeys.size()); // first index whose key is >= text lies in [low, high]
    while (low < high) {
        const int mid = (low + high) / 2;
        if (compareKey(sortedKeys.at(mid), text, numeric) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return qMin(low, int(sortedKeys.size()) - 1);
}

std::optional<double> CurrentStockQuery::parsePrice(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString CurrentStockQuery::badPriceText(const QString &text)
{
    return QStringLiteral("<%1> nu este o valoare corecta!").arg(text);
}
