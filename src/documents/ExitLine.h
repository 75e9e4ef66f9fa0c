#pragma once

#include "documents/StockKey.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class QSqlRecord;

// One row of `Item_out` as plain values: the stock row a line takes from (its key) and
// the quantity taken, with the hidden sale fields. Numbers that may be empty are optional.
struct ExitLine
{
    double contor = 0;
    std::optional<double> contorSecundar; // empty until the line is first saved
    QString unit;                          // Cod_gestiune
    QString group;                         // Cod_grupa
    QString article;                       // Cod_articol
    std::optional<double> quantity;        // Cantitate
    std::optional<double> price;           // Pret_achizitie
    std::optional<double> salePrice;       // Pret_vinzare
    std::optional<double> salePriceUsd;    // Pret_vz_echiv_USD
    std::optional<double> tva;
    QString contMarfa;
    QString contCheltuieli;
    QString contTvaIesiri;
    QString contAccize;
    std::optional<double> acciza;
    QString contAdaos;
    QString contVenituri;
    QDate lot;
    QString agent;
    QString barCode;                       // Cod_bare, kept as stored; never enters `Stoc`

    StockKey stockKey() const;
    double quantityOrZero() const { return quantity.value_or(0); }
    // Takes the key of a stock row: unit, classification code, inventory number, price,
    // `Lot` and budget.
    void setStockKey(const StockKey &key);

    // Field name -> value (empty as NULL, texts cut to their widths), every field.
    QVariantMap fieldValues() const;
    static ExitLine fromRecord(const QSqlRecord &record);
};
