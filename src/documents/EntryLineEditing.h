#pragma once

#include "documents/EntryLine.h"

#include <QDate>
#include <QString>

#include <memory>

class Database;
class EntryComputations;
class Parameters;

// What a value typed into a field of an entry line does to the line: the text is read,
// checked against the entry-line rules and followed by what it derives (the price from
// the price without VAT, VAT and the equivalent price, quantity 1 and the total
// duration for a new inventory number, generated inventory numbers, the depreciation
// flag of the domain). The entry documents and the initial stock both edit their lines
// through it, so an asset gets the same values whichever way it enters the register.
class EntryLineEditing
{
public:
    enum class Field {
        Name, Quantity, PriceCurrency, Currency, PriceLei, PriceEquivalent, Tva, ContTvaIntrari, ContMarfa,
        Domain, Lot, TotalDuration, RemainingDuration, Depreciated
    };

    struct Outcome
    {
        enum class Status { Accepted, Unreadable, Refused };
        Status status = Status::Accepted;
        // The warning to show: why it was refused, or a remark on an accepted value.
        QString message;

        bool accepted() const { return status == Status::Accepted; }
        static Outcome ok(const QString &remark = QString()) { return {Status::Accepted, remark}; }
        static Outcome unreadable() { return {Status::Unreadable, QString()}; }
        static Outcome refused(const QString &why) { return {Status::Refused, why}; }
    };

    EntryLineEditing(Database &db, const Parameters &parameters);
    ~EntryLineEditing();

    // The document of the lines: its type gives VAT, its date the equivalent price and
    // the warning about an earlier date of putting into use.
    void setDocument(const QString &type, const QDate &date);
    // Lines of no document of their own (the initial stock): nothing is derived from a
    // document, so VAT, the equivalent price and the date warning are left alone.
    void setWithoutDocument();

    // The text typed into `field` applied to `line`; the line is unchanged unless the
    // outcome is accepted. Numbers are read as amounts (AmountParsing), dates as typed
    // dates (DateParsing). Engine failures throw DbError.
    Outcome apply(EntryLine &line, Field field, const QString &text) const;
    // The classification code: must exist in `Grup`; with `CGenCod` the inventory
    // number is generated (and set as by setArticle()).
    Outcome setGroup(EntryLine &line, const QString &group) const;
    // The inventory number: quantity 1 and the total duration defaulted from `Grup`.
    Outcome setArticle(EntryLine &line, const QString &article) const;
    // A public-domain asset is never depreciated: wanting it refuses, the flag stays off.
    Outcome setCalcAmortizare(EntryLine &line, bool wanted) const;
    // Quantity or acquisition price changed by other means (a lookup, an order line).
    void quantityChanged(EntryLine &line) const;
    void priceChanged(EntryLine &line) const;

    // A new line of a document: the depreciation flag starts as the (still empty)
    // domain gives it, so a line is never refused for a flag nobody was asked about.
    static EntryLine newLine(double contor, const QString &unit);
    // What a save refuses whatever the window let through: a public-domain asset marked
    // for depreciation. Empty when the line passes.
    static QString saveRefusal(const EntryLine &line);

private:
    Database &m_db;
    const Parameters &m_params;
    std::unique_ptr<EntryComputations> m_computations;
    QString m_type;
    QDate m_date;
    bool m_document = true;
};
