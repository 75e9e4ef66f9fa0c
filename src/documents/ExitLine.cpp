#include "documents/ExitLine.h"

#include <QSqlRecord>
#include <QVariant>

namespace {

QVariant num(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<double> optNum(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

} // namespace

StockKey ExitLine::stockKey() const
{
    return {unit, group, article, price.value_or(0), lot, agent};
}

void ExitLine::setStockKey(const StockKey &key)
{
    unit = key.unit;
    group = key.group;
    article = key.article;
    price = key.price;
    lot = key.lot;
    agent = key.agent;
}

QVariantMap ExitLine::fieldValues() const
{
    return {{QStringLiteral("Contor"), contor},
            {QStringLiteral("Contor_secundar"), num(contorSecundar)},
            {QStringLiteral("Cod_gestiune"), StockKey::text(unit, 4)},
            {QStringLiteral("Cod_grupa"), StockKey::text(group, 20)},
            {QStringLiteral("Cod_articol"), StockKey::text(article, 30)},
            {QStringLiteral("Cantitate"), num(quantity)},
            {QStringLiteral("Pret_achizitie"), num(price)},
            {QStringLiteral("Pret_vinzare"), num(salePrice)},
            {QStringLiteral("Pret_vz_echiv_USD"), num(salePriceUsd)},
            {QStringLiteral("TVA"), num(tva)},
            {QStringLiteral("Cont_marfa"), StockKey::text(contMarfa, 20)},
            {QStringLiteral("Cont_cheltuieli"), StockKey::text(contCheltuieli, 20)},
            {QStringLiteral("Cont_TVA_Iesiri"), StockKey::text(contTvaIesiri, 20)},
            {QStringLiteral("Cont_accize"), StockKey::text(contAccize, 20)},
            {QStringLiteral("Acciza"), num(acciza)},
            {QStringLiteral("Cont_adaos"), StockKey::text(contAdaos, 20)},
            {QStringLiteral("Cont_venituri"), StockKey::text(contVenituri, 20)},
            {QStringLiteral("Lot"), StockKey::date(lot)},
            {QStringLiteral("Agent"), StockKey::text(agent, 3)},
            {QStringLiteral("Cod_bare"), StockKey::text(barCode, 60)}};
}

ExitLine ExitLine::fromRecord(const QSqlRecord &r)
{
    ExitLine line;
    line.contor = r.value(QStringLiteral("Contor")).toDouble();
    line.contorSecundar = optNum(r.value(QStringLiteral("Contor_secundar")));
    line.unit = r.value(QStringLiteral("Cod_gestiune")).toString();
    line.group = r.value(QStringLiteral("Cod_grupa")).toString();
    line.article = r.value(QStringLiteral("Cod_articol")).toString();
    line.quantity = optNum(r.value(QStringLiteral("Cantitate")));
    line.price = optNum(r.value(QStringLiteral("Pret_achizitie")));
    line.salePrice = optNum(r.value(QStringLiteral("Pret_vinzare")));
    line.salePriceUsd = optNum(r.value(QStringLiteral("Pret_vz_echiv_USD")));
    line.tva = optNum(r.value(QStringLiteral("TVA")));
    line.contMarfa = r.value(QStringLiteral("Cont_marfa")).toString();
    line.contCheltuieli = r.value(QStringLiteral("Cont_cheltuieli")).toString();
    line.contTvaIesiri = r.value(QStringLiteral("Cont_TVA_Iesiri")).toString();
    line.contAccize = r.value(QStringLiteral("Cont_accize")).toString();
    line.acciza = optNum(r.value(QStringLiteral("Acciza")));
    line.contAdaos = r.value(QStringLiteral("Cont_adaos")).toString();
    line.contVenituri = r.value(QStringLiteral("Cont_venituri")).toString();
    line.lot = QDate::fromString(r.value(QStringLiteral("Lot")).toString(), Qt::ISODate);
    line.agent = r.value(QStringLiteral("Agent")).toString();
    line.barCode = r.value(QStringLiteral("Cod_bare")).toString();
    return line;
}
