#include "documents/EntryLine.h"

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

StockKey EntryLine::stockKey() const
{
    return {unit, group, article, priceLei.value_or(0), lot, agent};
}

QVariantMap EntryLine::fieldValues() const
{
    return {{QStringLiteral("Contor"), contor},
            {QStringLiteral("Contor_secundar"), num(contorSecundar)},
            {QStringLiteral("Cod_gestiune"), StockKey::text(unit, 4)},
            {QStringLiteral("Cod_grupa"), StockKey::text(group, 20)},
            {QStringLiteral("Cod_articol"), StockKey::text(article, 30)},
            {QStringLiteral("Lot"), StockKey::date(lot)},
            {QStringLiteral("Cantitate"), num(quantity)},
            {QStringLiteral("Pret_achizitie_valuta"), num(priceCurrency)},
            {QStringLiteral("Valuta"), StockKey::text(currency, 3)},
            {QStringLiteral("Pret_achizitie_lei"), num(priceLei)},
            {QStringLiteral("Pret_echiv_USD"), num(priceUsd)},
            {QStringLiteral("TVA"), num(tva)},
            {QStringLiteral("Cont_marfa"), StockKey::text(contMarfa, 20)},
            {QStringLiteral("Cont_TVA_Intrari"), StockKey::text(contTvaIntrari, 20)},
            {QStringLiteral("Agent"), StockKey::text(agent, 3)},
            {QStringLiteral("Contor_Com"), num(contorCom)},
            {QStringLiteral("Serii"), serii ? 1 : 0},
            {QStringLiteral("Cod_bare"), StockKey::text(barCode, 60)},
            {QStringLiteral("DurataTotala"), num(durataTotala)},
            {QStringLiteral("DurataRamasa"), num(durataRamasa)},
            {QStringLiteral("ValoareAmortizata"), num(valoareAmortizata)},
            {QStringLiteral("Denumire"), StockKey::text(name, 255)},
            {QStringLiteral("Domeniu"), StockKey::text(domain, 20)},
            {QStringLiteral("CalcAmortizare"), calcAmortizare ? QVariant(*calcAmortizare ? 1 : 0) : QVariant()}};
}

EntryLine EntryLine::fromRecord(const QSqlRecord &r)
{
    EntryLine line;
    line.contor = r.value(QStringLiteral("Contor")).toDouble();
    line.contorSecundar = optNum(r.value(QStringLiteral("Contor_secundar")));
    line.unit = r.value(QStringLiteral("Cod_gestiune")).toString();
    line.group = r.value(QStringLiteral("Cod_grupa")).toString();
    line.article = r.value(QStringLiteral("Cod_articol")).toString();
    line.lot = QDate::fromString(r.value(QStringLiteral("Lot")).toString(), Qt::ISODate);
    line.quantity = optNum(r.value(QStringLiteral("Cantitate")));
    line.priceCurrency = optNum(r.value(QStringLiteral("Pret_achizitie_valuta")));
    line.currency = r.value(QStringLiteral("Valuta")).toString();
    line.priceLei = optNum(r.value(QStringLiteral("Pret_achizitie_lei")));
    line.priceUsd = optNum(r.value(QStringLiteral("Pret_echiv_USD")));
    line.tva = optNum(r.value(QStringLiteral("TVA")));
    line.contMarfa = r.value(QStringLiteral("Cont_marfa")).toString();
    line.contTvaIntrari = r.value(QStringLiteral("Cont_TVA_Intrari")).toString();
    line.agent = r.value(QStringLiteral("Agent")).toString();
    line.contorCom = optNum(r.value(QStringLiteral("Contor_Com")));
    line.serii = r.value(QStringLiteral("Serii")).toInt() != 0;
    line.barCode = r.value(QStringLiteral("Cod_bare")).toString();
    line.durataTotala = optNum(r.value(QStringLiteral("DurataTotala")));
    line.durataRamasa = optNum(r.value(QStringLiteral("DurataRamasa")));
    line.valoareAmortizata = optNum(r.value(QStringLiteral("ValoareAmortizata")));
    line.name = r.value(QStringLiteral("Denumire")).toString();
    line.domain = r.value(QStringLiteral("Domeniu")).toString();
    const QVariant calc = r.value(QStringLiteral("CalcAmortizare"));
    if (!calc.isNull())
        line.calcAmortizare = calc.toInt() != 0;
    return line;
}
