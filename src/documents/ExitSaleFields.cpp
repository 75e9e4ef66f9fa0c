#include "documents/ExitSaleFields.h"

#include "app/Parameters.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/ExchangeRates.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

std::optional<ExitSaleFields::CatalogueRow> ExitSaleFields::catalogueRow(const QString &group, const QString &article) const
{
    if (group.isEmpty() || article.isEmpty())
        return std::nullopt;
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cont_marfa\", \"Cont_cheltuieli\", \"Cont_TVA_Iesiri\", \"Cont_accize\", "
                                          "\"Cont_adaos\", \"Cont_venituri\", \"Pret_vinzare\", \"Moneda\", \"Coef_TVA\", "
                                          "\"Coef_accize\", \"Unitate_masura\" FROM \"Catalog\" WHERE \"Grupa\" = :g AND \"Cod\" = :a"),
                           {{QStringLiteral(":g"), group}, {QStringLiteral(":a"), article}});
    if (!q.next())
        return std::nullopt;
    CatalogueRow row;
    row.contMarfa = q.value(0).toString();
    row.contCheltuieli = q.value(1).toString();
    row.contTvaIesiri = q.value(2).toString();
    row.contAccize = q.value(3).toString();
    row.contAdaos = q.value(4).toString();
    row.contVenituri = q.value(5).toString();
    if (!q.value(6).isNull())
        row.salePrice = q.value(6).toDouble();
    row.currency = q.value(7).toString();
    row.tvaRate = q.value(8).toDouble();
    row.exciseRate = q.value(9).toDouble();
    row.unitOfMeasure = q.value(10).toString();
    return row;
}

std::optional<double> ExitSaleFields::rateOf(const QString &currency, const QDate &date) const
{
    // Catalogue prices kept in lei need no rate.
    if (currency.trimmed().isEmpty() || currency.trimmed().compare(QLatin1String("LEI"), Qt::CaseInsensitive) == 0)
        return 1.0;
    return ExchangeRates(m_db).rateAt(currency, date);
}

double ExitSaleFields::roundedLei(double value) const
{
    const double scale = std::pow(10.0, m_params.nrZecimaleLei);
    return EntryComputations::roundHalfEven(value * scale) / scale;
}

std::optional<double> ExitSaleFields::gridDiscount(const QString &budget, const QString &group) const
{
    try {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT DISTINCT g.\"Discount\" FROM \"item_grila\" g "
                                              "JOIN \"Client\" c ON c.\"Grila\" = g.\"Grila\" "
                                              "WHERE c.\"Cod_client\" = :budget AND g.\"Cod_grupa\" = :grupa"),
                               {{QStringLiteral(":budget"), budget}, {QStringLiteral(":grupa"), group}});
        if (!q.next() || q.value(0).isNull())
            return std::nullopt;
        return q.value(0).toDouble();
    } catch (const DbError &e) {
        throw DocumentRefusal(DocumentRefusal::Kind::Error, gridErrorText(e.engineMessage()));
    }
}

QString ExitSaleFields::gridErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la grila de discount!\n") + engineMessage + QLatin1Char('>');
}

double ExitSaleFields::withGrid(double price, const ExitLine &line) const
{
    if (!m_params.grilaCalculDisc || line.agent.isEmpty())
        return price;
    const std::optional<double> g = gridDiscount(line.agent, line.group);
    return g ? price * (1 + *g / 100) : price;
}

void ExitSaleFields::articleSet(ExitLine &line, const Context &context) const
{
    if (line.unit.isEmpty() || line.group.isEmpty() || line.article.isEmpty())
        return;
    const std::optional<CatalogueRow> row = catalogueRow(line.group, line.article);
    line.contMarfa = row ? row->contMarfa : QString();
    line.contCheltuieli = row ? row->contCheltuieli : QString();
    line.contTvaIesiri = row ? row->contTvaIesiri : QString();
    line.contAccize = row ? row->contAccize : QString();
    line.contAdaos = row ? row->contAdaos : QString();
    line.contVenituri = row ? row->contVenituri : QString();
    if (row && m_params.sellPrice == Parameters::SellPrice::Fetch) {
        const std::optional<double> rate = rateOf(row->currency, context.date);
        if (rate)
            line.salePrice = withGrid(roundedLei(*rate * row->salePrice.value_or(0)), line);
    }
    if (row && m_params.sellPrice == Parameters::SellPrice::Calc)
        priceSet(line, context);
    else
        amountsSet(line, context);
}

void ExitSaleFields::priceSet(ExitLine &line, const Context &context) const
{
    if (m_params.sellPrice == Parameters::SellPrice::Calc && line.price) {
        const std::optional<CatalogueRow> row = catalogueRow(line.group, line.article);
        if (row) {
            double sale = roundedLei(*line.price * (1 + row->salePrice.value_or(0) / 100));
            if (m_params.roundTva)
                sale = EntryComputations::roundHalfEven(sale);
            line.salePrice = withGrid(sale, line);
        }
    }
    amountsSet(line, context);
}

void ExitSaleFields::amountsSet(ExitLine &line, const Context &context) const
{
    const std::optional<CatalogueRow> row = catalogueRow(line.group, line.article);
    const double tvaRate = row ? row->tvaRate : 0.0;
    const double exciseRate = row ? row->exciseRate : 0.0;
    // The same rule as the VAT of an entry line, on the sale price.
    line.tva = EntryComputations::lineTva(line.salePrice, line.quantity, context.type, tvaRate, m_params.calcTva,
                                          m_params.roundTva);
    line.acciza = EntryComputations::lineTva(line.salePrice, line.quantity, context.type, exciseRate, m_params.calcTva,
                                             m_params.roundTva);
    const std::optional<double> rate = ExchangeRates(m_db).rateAt(m_params.cVal, context.date);
    if (rate)
        line.salePriceUsd = (*rate == 0 || !line.salePrice) ? 0.0 : *line.salePrice / *rate;
}

double ExitSaleFields::budgetDiscount(const QString &budget) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Discount\" FROM \"Client\" WHERE \"Cod_client\" = :b"),
                           {{QStringLiteral(":b"), budget}});
    return q.next() ? q.value(0).toDouble() : 0.0;
}

std::optional<double> ExitSaleFields::discounted(const ExitLine &line, double percent) const
{
    const std::optional<CatalogueRow> row = catalogueRow(line.group, line.article);
    if (!row)
        return std::nullopt;
    double base = line.salePrice.value_or(0);
    if (m_params.sellPrice == Parameters::SellPrice::Calc) {
        base = line.price.value_or(0) * (1 + row->salePrice.value_or(0) / 100);
        if (m_params.roundTva)
            base = EntryComputations::roundHalfEven(base);
    }
    double result = base * (1 + percent / 100);
    if (m_params.roundTva)
        result = EntryComputations::roundHalfEven(result);
    return result;
}
