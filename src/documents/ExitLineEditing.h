#pragma once

#include "documents/ExitLine.h"
#include "documents/ExitPriceChoice.h"
#include "documents/ExitSaleFields.h"

#include <QDate>
#include <QString>

class Database;
class Parameters;

// What a value typed or chosen for an exit line does to the line: the codes typed must
// name stock of the line's management unit (which then gives the price, `Lot` and
// budget), a stock row or a price chosen is taken as it is, and the hidden sale fields
// follow every change. The exit window edits its lines through it; nothing is written.
class ExitLineEditing
{
public:
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

    ExitLineEditing(Database &db, const Parameters &parameters);

    // The document of the lines: its type gives VAT, its date the exchange rates.
    void setDocument(const QString &type, const QDate &date);

    // The management unit, classification code or inventory number typed; the line is
    // unchanged unless accepted. An unknown unit is refused; with all three set the line
    // must name stock of the unit (ExitPriceChoice).
    Outcome setUnit(ExitLine &line, const QString &unit) const;
    Outcome setGroup(ExitLine &line, const QString &group) const;
    Outcome setArticle(ExitLine &line, const QString &article) const;
    // The quantity typed (an amount; empty clears it). A negative quantity is kept with
    // the remark that returns have their own documents.
    Outcome setQuantity(ExitLine &line, const QString &text) const;

    // A row chosen in "Selectie articol din stoc": unit, codes, price, `Lot` and budget.
    void takeStockRow(ExitLine &line, const StockKey &row) const;
    // A price chosen in "Selectati un pret de achizitie".
    void takePrice(ExitLine &line, const ExitPriceChoice::PriceRow &row) const;

    // A new line of document `contor` in unit `unit`.
    static ExitLine newLine(double contor, const QString &unit);
    static QString unknownUnitText(const QString &unit);

private:
    Outcome codesChanged(ExitLine &line, const ExitLine &before) const;

    Database &m_db;
    ExitPriceChoice m_choice;
    ExitSaleFields m_sale;
    ExitSaleFields::Context m_context;
};
