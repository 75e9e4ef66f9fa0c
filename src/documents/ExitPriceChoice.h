#pragma once

#include "app/NationalFormats.h"
#include "documents/ExitLine.h"

#include <QDate>
#include <QList>
#include <QString>

class Database;

// What an exit line takes out: the stock row picked in "Selectie articol din stoc", the
// price picked in "Selectati un pret de achizitie", or the codes typed by hand, which must
// name stock of the line's management unit.
class ExitPriceChoice
{
public:
    // One row of "Selectati un pret de achizitie".
    struct PriceRow
    {
        double price = 0;
        QDate lot;
        double quantity = 0;
        QString name;
        QString agent;
    };

    ExitPriceChoice(Database &db, const NationalFormats &formats = NationalFormats::current())
        : m_db(db), m_formats(formats)
    {
    }

    // The stock rows of the unit's article, by price; empty when it has none.
    QList<PriceRow> priceRows(const QString &unit, const QString &group, const QString &article) const;
    static QString noStockText();

    // A stock row picked: the line takes its unit, codes, price, `Lot` and budget, unchecked.
    static void takeStockRow(ExitLine &line, const StockKey &row);
    // A price picked: the line takes its price with the row's `Lot` and budget, so that it
    // names that very row.
    static void takePrice(ExitLine &line, const PriceRow &row);

    // The codes typed: with unit, classification code and inventory number all set, the
    // line must name a stock row of the unit. Without a price the first row of the
    // article gives it; with one, a row at that price must exist. The row found gives the
    // line its codes as stored, its `Lot` and its budget (the row the line's own `Lot` and
    // budget name when there is one). Returns the refusal (the value is refused and the
    // line left as it was), empty when accepted or not yet checkable.
    QString typedCodeRefusal(ExitLine &line) const;

    QString noArticleStockText(const ExitLine &line) const;
    QString noPriceStockText(const ExitLine &line) const;
    // Shown when a negative quantity is typed; the quantity is kept.
    static QString returnText();

private:
    Database &m_db;
    const NationalFormats &m_formats;
};
