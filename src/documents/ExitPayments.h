#pragma once

#include <QDate>
#include <QString>

class Database;

// The payment detail of an exit document (`Clnpay` rows whose `Contor_document` is the
// document's registration number). The exit window does not show it; it follows the
// header's receiving unit and registration date and goes with the document.
class ExitPayments
{
public:
    explicit ExitPayments(Database &db) : m_db(db) {}

    // The amount recorded as paid; 0 without payment rows.
    double paid(double contor) const;
    // The rows take the header's receiving unit as customer and its registration date
    // as payment date.
    void followHeader(double contor, const QString &client, const QDate &registered);
    // Records what is still unpaid of `total`, so that the amount paid equals it; nothing
    // when it is already paid.
    void payInFull(double contor, const QString &client, const QDate &registered, double total);
    void remove(double contor);

private:
    Database &m_db;
};
