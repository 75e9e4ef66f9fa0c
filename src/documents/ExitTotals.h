#pragma once

#include "app/NationalFormats.h"

#include <QString>

class Database;

// "&Total" of an exit document: sums over its lines, and the text shown with them.
class ExitTotals
{
public:
    struct Sums
    {
        double acquisition = 0;  // quantity x acquisition price
        double value = 0;        // the lines' `Val`, which is the same product
        double tva = 0;
        double saleCurrency = 0; // quantity x equivalent sale price (`ValUSD`)
        double document() const { return value + tva; }
    };

    explicit ExitTotals(Database &db) : m_db(db) {}

    Sums sums(double contor) const;

    // The information text; for invoices and fiscal receipts it ends with the question
    // whether the document is to be marked as paid in full (Yes/No).
    static QString text(const Sums &sums, const QString &type, const NationalFormats &formats = NationalFormats::current());
    static bool asksPayment(const QString &type);
    static QString paymentQuestion();

private:
    Database &m_db;
};
