#include "documents/StockKey.h"

QVariant StockKey::text(const QString &value, int width)
{
    return value.isEmpty() ? QVariant() : QVariant(value.left(width));
}

QVariant StockKey::date(const QDate &value)
{
    return value.isValid() ? QVariant(value.toString(Qt::ISODate)) : QVariant();
}

QVariantMap StockKey::bindings() const
{
    return {{QStringLiteral(":g"), text(unit, 4)},
            {QStringLiteral(":c"), text(group, 20)},
            {QStringLiteral(":a"), text(article, 30)},
            {QStringLiteral(":p"), price},
            {QStringLiteral(":l"), date(lot)},
            {QStringLiteral(":ag"), text(agent, 3)}};
}

QString StockKey::condition(const QString &alias)
{
    const QString p = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    return QStringLiteral("%1\"Cod_gestiune\" IS :g AND %1\"Cod_grupa\" IS :c AND %1\"Cod_articol\" IS :a "
                          "AND %1\"Pret_achizitie\" IS :p AND %1\"Lot\" IS :l AND %1\"Agent\" IS :ag")
        .arg(p);
}
