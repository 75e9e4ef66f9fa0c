#pragma once

#include "documents/StockKey.h"

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class QSqlRecord;

// One row of `Item_in` as plain values. Numbers that may be left empty are optional.
struct EntryLine
{
    double contor = 0;
    std::optional<double> contorSecundar; // empty until the line is first saved
    QString unit;                          // Cod_gestiune
    QString group;                         // Cod_grupa
    QString article;                       // Cod_articol
    QDate lot;
    std::optional<double> quantity;        // Cantitate
    std::optional<double> priceCurrency;   // Pret_achizitie_valuta
    QString currency;                      // Valuta
    std::optional<double> priceLei;        // Pret_achizitie_lei
    std::optional<double> priceUsd;        // Pret_echiv_USD
    std::optional<double> tva;
    QString contMarfa;
    QString contTvaIntrari;
    QString agent;
    std::optional<double> contorCom;
    bool serii = false;
    QString barCode;                       // Cod_bare
    std::optional<double> durataTotala;
    std::optional<double> durataRamasa;
    std::optional<double> valoareAmortizata;
    QString name;                          // Denumire
    QString domain;                        // Domeniu
    std::optional<bool> calcAmortizare;

    StockKey stockKey() const;
    double quantityOrZero() const { return quantity.value_or(0); }

    // Field name -> value (empty as NULL, texts cut to their widths), every field.
    QVariantMap fieldValues() const;
    static EntryLine fromRecord(const QSqlRecord &record);
};
