#pragma once

#include "app/NationalFormats.h"
#include "documents/EntryLine.h"

#include <QDate>
#include <QString>

#include <optional>
#include <utility>

class Database;
class Parameters;

// The values an entry line derives from what the user types: prices and VAT, the
// equivalent price, durations and the depreciation flag, inventory-number generation,
// and the totals of a document. Refusals come back as the text to show (empty when the
// value is accepted), or as DocumentRefusal where a whole step is refused.
class EntryComputations
{
public:
    // The normal life range of a classification code, in years.
    struct DurationRange
    {
        double min = 0;
        double max = 0;
        // The middle of the range, in months.
        double middleMonths() const { return (min + max) * 6.0; }
    };

    struct Totals
    {
        double value = 0; // sum of quantity x acquisition price
        double tva = 0;
        double document() const { return value + tva; }
    };

    EntryComputations(Database &db, const Parameters &parameters) : m_db(db), m_params(parameters) {}

    // The acquisition price from a price without VAT: p + p x CfTVA / 100.
    double priceFromNet(double net) const;
    // The VAT of a line of a document of `type`, with the article's rate from the catalogue.
    double lineTva(const EntryLine &line, const QString &type) const;
    static double lineTva(std::optional<double> price, std::optional<double> quantity, const QString &type,
                          double ratePercent, bool onlyInvoices, bool roundToUnits);
    // The catalogue article (classification code, inventory number) whose bar code begins
    // with `barCode`; nullopt when there is none.
    std::optional<std::pair<QString, QString>> articleByBarCode(const QString &barCode) const;
    // `Coef_TVA` of the catalogue row of the article; 0 when there is none.
    double catalogueTvaRate(const QString &group, const QString &article) const;
    // The acquisition price in the equivalent currency (CVal) at the document date;
    // nullopt (the field keeps its value) without a usable rate.
    std::optional<double> equivalentPrice(double priceLei, const QDate &documentDate) const;

    bool groupExists(const QString &group) const;
    DurationRange durationRange(const QString &group) const;
    // The classification code set on a line: refused (DocumentRefusal, warning) when it
    // is unknown or its inventory numbers are exhausted; with CGenCod the inventory
    // number is generated and applied by articleSet().
    void groupSet(EntryLine &line) const;
    // The inventory number set (with a classification code present): quantity 1 and the
    // total duration defaulted to the middle of the normal life.
    void articleSet(EntryLine &line) const;

    // Texts of a refused value; empty when accepted.
    QString totalDurationRefusal(const QString &group, double months, const NationalFormats &formats) const;
    static QString totalDurationRefusal(const DurationRange &range, double months, const NationalFormats &formats);
    static QString remainingDurationRefusal(double remaining, double total, const NationalFormats &formats);
    static QString accountRefusal(const QString &account);
    // The depreciation flag that follows a domain, and a wish to set it refused.
    static bool depreciatedFor(const QString &domain);
    static QString calcAmortizareRefusal(const QString &domain, bool wanted);
    // A warning only: the date of putting into use is kept.
    static QString lotWarning(const QDate &lot, const QDate &documentDate);

    Totals totals(double contor) const;
    QString totalsText(const Totals &totals, const NationalFormats &formats) const;

    static QString unknownGroupText(const QString &group);
    static QString publicDomainText();
    static QString lotBeforeDocumentText();
    static QString accountText();

    // Rounds to a whole number, halves to the even neighbour, after dropping the noise
    // of binary fractions (19 x 10.5 must count as the half it is).
    static double roundHalfEven(double value);

private:
    Database &m_db;
    const Parameters &m_params;
};
