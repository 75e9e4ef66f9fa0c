#pragma once

#include "documents/ExitLine.h"

#include <QDate>
#include <QString>

#include <optional>

class Database;
class Parameters;

// The hidden sale fields of an exit line, kept up to date as the line changes: the
// accounts of the article's catalogue row, the sale price (fetched from the catalogue or
// computed with its mark-up, then the budget's discount grid), VAT and excise, and the
// sale price in the calculation currency. A line without a catalogue row keeps them
// empty. Engine errors (the discount grid included) throw DbError.
class ExitSaleFields
{
public:
    // The document the line belongs to.
    struct Context
    {
        QString type;      // Tip: VAT only on "FCT" and "CF" with `Calc TVA` on
        QDate date;        // Data: the date of the exchange rates
    };

    // What the line's own catalogue row gives.
    struct CatalogueRow
    {
        QString contMarfa, contCheltuieli, contTvaIesiri, contAccize, contAdaos, contVenituri;
        std::optional<double> salePrice; // Pret_vinzare: a price, or a mark-up (%) with SellPrice "Calc"
        QString currency;                // Moneda
        double tvaRate = 0;              // Coef_TVA
        double exciseRate = 0;           // Coef_accize
        QString unitOfMeasure;           // Unitate_masura
    };

    ExitSaleFields(Database &db, const Parameters &parameters) : m_db(db), m_params(parameters) {}

    std::optional<CatalogueRow> catalogueRow(const QString &group, const QString &article) const;

    // The inventory number set: accounts copied, and with SellPrice "Fetch" the sale price
    // taken from the catalogue at the document date's rate; then the amounts.
    void articleSet(ExitLine &line, const Context &context) const;
    // The acquisition price set: with SellPrice "Calc" the sale price follows it; then
    // the amounts.
    void priceSet(ExitLine &line, const Context &context) const;
    // The quantity or the sale price set: VAT, excise and the equivalent sale price.
    void amountsSet(ExitLine &line, const Context &context) const;

    // The discount of the budget (`Client`.`Discount`), where the discount dialog starts.
    double budgetDiscount(const QString &budget) const;
    // The line's sale price after a discount of `percent`; nullopt for a line without a
    // catalogue row, which keeps its price.
    std::optional<double> discounted(const ExitLine &line, double percent) const;

    static QString gridErrorText(const QString &engineMessage);

private:
    // `Discount` of the budget's grid for the classification code; nullopt when none.
    std::optional<double> gridDiscount(const QString &budget, const QString &group) const;
    double withGrid(double price, const ExitLine &line) const;
    double roundedLei(double value) const;
    std::optional<double> rateOf(const QString &currency, const QDate &date) const;

    Database &m_db;
    const Parameters &m_params;
};
