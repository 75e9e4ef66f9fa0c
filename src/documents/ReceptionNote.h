#pragma once

#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Database;

// The reception note ("Nota de receptie") of one entry document: its header with the
// supplier, one row per line, the totals and the signature block, laid out by the
// report engine. Amounts are rounded as printed, so the totals are always the sums of
// the printed lines.
class ReceptionNote
{
public:
    // Fields of a printed row.
    enum Field { Article, Name, Unit, Quantity, Price, Value, Tva, Agent, FieldCount };

    struct Header
    {
        double contor = 0;
        std::optional<double> number; // Numar
        QString type;
        QDate date;                   // Data
        QDate registered;             // Data_inregistrarii
        QString explanation;
        // Empty when the document has no supplier, or names one no longer in `Furn`.
        QString supplierName;
        QString supplierAddress;
        QString supplierFiscalCode;
    };

    struct Totals
    {
        double value = 0;    // "Valoare totala:"
        double tva = 0;      // "Total TVA:"
        double document = 0; // "Total document:"
    };

    ReceptionNote(Database &db, int leiDecimals);

    // Reads the document; false when it does not exist. Throws DbError.
    bool load(double contor);

    const Header &header() const { return m_header; }
    const QVector<ReportRow> &rows() const { return m_rows; }
    Totals totals() const;

    // "#,##0." followed by one "#" per lei decimal: prices, values and their totals.
    QString amountMask() const;
    static QString tvaMask() { return QStringLiteral("#,##0.00"); }
    static QString title() { return QStringLiteral("Nota de receptie"); }
    // The page footer: "Nota de receptie la documentul nr. <Numar> data <Data>".
    QString footerText() const;

    ReportDefinition definition() const;
    ReportDocument document(const PageSetup &page) const;

    // Half away from zero on the decimal value, as the number masks print it.
    static double roundTo(double value, int decimals);

private:
    void placeClosingBlock(ReportDocument &doc, const ReportDefinition &def) const;

    Database &m_db;
    int m_decimals;
    Header m_header;
    QVector<ReportRow> m_rows;
};
