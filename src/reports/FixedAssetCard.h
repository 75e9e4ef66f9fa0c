#pragma once

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Database;

// One entry line of Item_in by its document and line number.
struct EntryLineKey
{
    double contor = 0;
    double contorSecundar = 0;
};

// What the fixed-asset card "FISA MIJLOCULUI FIX" of one entry line shows at a date:
// the line's own quantity and value, the depreciation of the card's variant of the
// rule, the date of full depreciation and the share of the duration that has run.
struct FixedAssetCard
{
    EntryLineKey key;
    QDate date;              // the card date
    QString group;           // Cod_material of the classification group
    QString classification;  // Cod_grupa
    QString article;         // Cod_articol
    QString name;            // Denumire
    QString provenance;      // "Tip, Numar, Data" of the entry document; empty for initial stock
    QDate lot;               // date of putting into use
    double quantity = 0;
    double price = 0;        // Pret_achizitie_lei
    double value = 0;        // quantity x price
    double total = 0;        // value plus the line's VAT
    double monthly = 0;      // AmortizareLunara of the card variant
    bool depreciated = true; // CalcAmortizare: without it no full date, life or share
    std::optional<int> fullYear;
    std::optional<int> fullMonth;
    std::optional<double> normalYears; // (DurataMin + DurataMax) / 2 of the group
    std::optional<double> share;       // percent of the duration run, rounded to 0.01

    // The movement line; empty for initial stock or a document without Explicatie.
    bool hasMovement = false;
    QString movementDocument; // Numar "/" Data
    QString movementText;     // Explicatie

    // "33,33 %" with the current decimal separator, "100 %", "0 %"; empty without a share.
    QString shareText() const;
};

namespace FixedAssetCards {

// The text shown when the card's entry line cannot be found.
QString locatingError();

// The card's line for an inventory number, as the current-stock window chooses it: the
// entry lines that match a stock row of that number on unit, group and number, the first
// by Contor and Contor_secundar (initial stock, Contor -1, first). Throws DbError.
std::optional<EntryLineKey> lineOfArticle(Database &db, const QString &article);

// Every line of one entry document in line order. Throws DbError.
QVector<EntryLineKey> linesOfDocument(Database &db, double contor);

// The card of one line at `date`; nothing when the line is not found. Throws DbError.
std::optional<FixedAssetCard> load(Database &db, const EntryLineKey &key, const QDate &date);

// Year and month in which the line is fully depreciated: b = D + M - k months after
// January of the year of `lot`, with D the total duration in whole months (a fraction of
// a month counts as a month begun), M the month of `lot` and k the months already
// depreciated at entry, ValoareAmortizata over the straight-line amount
// price / durataTotala. Nothing without a date or a positive duration.
std::optional<std::pair<int, int>> fullDepreciation(double price, double durataTotala, double valoareAmortizata,
                                                    const QDate &lot);

// Percent of the total duration that has run at `date` (whole months, the months already
// depreciated at entry counted in), 100 once it is over, 0 before it starts; rounded to
// two decimals. Nothing without a date of putting into use or a positive duration.
std::optional<double> durationShare(double price, double durataTotala, double valoareAmortizata, const QDate &lot,
                                    const QDate &date);

} // namespace FixedAssetCards
