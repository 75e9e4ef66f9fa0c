#include "documents/ExitPriceChoice.h"

#include "db/Database.h"
#include "documents/EntryLineStore.h"
#include "documents/MessageNumbers.h"

#include <QSqlQuery>
#include <QVariant>

QList<ExitPriceChoice::PriceRow> ExitPriceChoice::priceRows(const QString &unit, const QString &group,
                                                            const QString &article) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Pret_achizitie\", \"Lot\", \"Cantitate\", \"Agent\" FROM \"Stoc\" "
                                          "WHERE \"Cod_gestiune\" = :g AND \"Cod_grupa\" = :c AND \"Cod_articol\" = :a "
                                          "ORDER BY \"Pret_achizitie\", \"Lot\", \"Agent\""),
                           {{QStringLiteral(":g"), unit}, {QStringLiteral(":c"), group}, {QStringLiteral(":a"), article}});
    QList<PriceRow> rows;
    while (q.next())
        rows << PriceRow{q.value(0).toDouble(), QDate::fromString(q.value(1).toString(), Qt::ISODate),
                         q.value(2).toDouble(), QString(), q.value(3).toString()};
    // Every row is the same asset: one name, from the entry line that brought it in.
    if (!rows.isEmpty()) {
        const std::optional<EntryLine> entry = EntryLineStore(m_db).firstForAsset(group, article);
        for (PriceRow &row : rows)
            row.name = entry ? entry->name : QString();
    }
    return rows;
}

QString ExitPriceChoice::noStockText()
{
    return QStringLiteral("Nu exista stoc pentru acest articol!");
}

void ExitPriceChoice::takeStockRow(ExitLine &line, const StockKey &row)
{
    line.setStockKey(row);
}

void ExitPriceChoice::takePrice(ExitLine &line, const PriceRow &row)
{
    line.price = row.price;
    line.lot = row.lot;
    line.agent = row.agent;
}

QString ExitPriceChoice::typedCodeRefusal(ExitLine &line) const
{
    if (line.unit.isEmpty() || line.group.isEmpty() || line.article.isEmpty())
        return {};
    QVariantMap values{{QStringLiteral(":g"), line.unit},
                       {QStringLiteral(":c"), line.group},
                       {QStringLiteral(":a"), line.article},
                       {QStringLiteral(":l"), StockKey::date(line.lot)},
                       {QStringLiteral(":ag"), StockKey::text(line.agent, 3)}};
    QString price;
    if (line.price) {
        price = QStringLiteral(" AND \"Pret_achizitie\" = :p");
        values.insert(QStringLiteral(":p"), *line.price);
    }
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", "
                                          "\"Lot\", \"Agent\" FROM \"Stoc\" WHERE \"Cod_gestiune\" = :g COLLATE RO "
                                          "AND \"Cod_grupa\" = :c COLLATE RO AND \"Cod_articol\" = :a COLLATE RO%1 "
                                          "ORDER BY CASE WHEN \"Lot\" IS :l AND \"Agent\" IS :ag THEN 0 ELSE 1 END, "
                                          "\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", \"Pret_achizitie\", \"Lot\", \"Agent\" "
                                          "LIMIT 1")
                               .arg(price),
                           values);
    if (!q.next())
        return line.price ? noPriceStockText(line) : noArticleStockText(line);
    line.setStockKey({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toDouble(),
                      QDate::fromString(q.value(4).toString(), Qt::ISODate), q.value(5).toString()});
    return {};
}

QString ExitPriceChoice::noArticleStockText(const ExitLine &line) const
{
    return QStringLiteral("Articolul <%1.%2> nu are stoc în gestiunea <%3> ! "
                          "Apasati CTRL-ENTER pentru a selecta din stocul existent!!")
        .arg(line.group, line.article, line.unit);
}

QString ExitPriceChoice::noPriceStockText(const ExitLine &line) const
{
    return QStringLiteral("Articolul <%1.%2> nu are stoc la pret de achizitie de %3 în gestiunea <%4> "
                          "Apasati CTRL-ENTER pentru a selecta articolul din stocul existent!!")
        .arg(line.group, line.article, MessageNumbers::money(line.price.value_or(0), m_formats), line.unit);
}

QString ExitPriceChoice::returnText()
{
    return QStringLiteral("Documentele retur se introduc la meniul Documente de retur / Retur");
}
