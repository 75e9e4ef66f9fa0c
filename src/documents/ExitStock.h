#pragma once

#include "app/NationalFormats.h"
#include "documents/StockKey.h"

#include <QList>
#include <QString>

#include <optional>

class Database;

// The exit documents' form of ChangeStock: a take-out (negative change) finds the stock
// row of the key and either takes the quantity, or, when the row holds less than asked,
// reports what it holds so that the save can offer to take the rest at the asset's other
// prices. A row whose quantity comes within epsilon of zero is deleted. Every call runs
// inside the caller's write transaction and re-reads the row there, so two workstations
// never take more than a row holds.
class ExitStock
{
public:
    struct PriceRow
    {
        StockKey key;
        double quantity = 0;
    };

    ExitStock(Database &db, double epsilon, const NationalFormats &formats = NationalFormats::current())
        : m_db(db), m_epsilon(epsilon), m_formats(formats)
    {
    }

    // Adds `change` to the row of `key` (negative to take out). Nothing for an empty
    // inventory number or a zero change. Returns the row's quantity, changing nothing,
    // when the row holds less than the take-out asks; nullopt when the change was made.
    // A take-out with no row at that price (or from a row holding nothing) throws
    // DocumentRefusal (warning) with noStockAtPriceText().
    std::optional<double> change(const StockKey &key, double change);
    // The other rows of the same asset (unit, classification code, inventory number,
    // `Lot` and budget as in `key`) that hold stock, by price.
    QList<PriceRow> otherPrices(const StockKey &key) const;

    QString splitQuestion(double available, const QString &unitOfMeasure) const;
    QString noStockAtPriceText(const StockKey &key) const;
    static QString noStockText(const StockKey &key);

private:
    Database &m_db;
    double m_epsilon;
    const NationalFormats &m_formats;
};
