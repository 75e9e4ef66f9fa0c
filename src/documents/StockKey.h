#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

// The key of one current-stock row: management unit, classification code, inventory
// number, unit acquisition value, date of putting into use (`Lot`) and budget (`Agent`).
// Empty texts and an invalid date are stored as NULL.
struct StockKey
{
    QString unit;    // Cod_gestiune
    QString group;   // Cod_grupa
    QString article; // Cod_articol
    double price = 0; // Pret_achizitie
    QDate lot;       // Lot
    QString agent;   // Agent

    friend bool operator==(const StockKey &, const StockKey &) = default;

    // The values bound to :g, :c, :a, :p, :l, :ag, cut to the widths of `Stoc`.
    QVariantMap bindings() const;
    // "<alias>"."Cod_gestiune" IS :g AND ... for all six fields; IS so that NULL
    // matches NULL.
    static QString condition(const QString &alias = QString());

    static QVariant text(const QString &value, int width);
    static QVariant date(const QDate &value);
};
