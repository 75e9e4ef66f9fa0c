#pragma once

#include "printing/OrganisationRecord.h"
#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

class Database;
class QSqlQuery;
class ReportEngine;

// The list of scrapped fixed assets ("Lista mijloacelor fixe casate") of one exit
// document: its lines grouped by management unit, each with its service life, the months
// past it and its degree of wear at the document's date, the unit totals, the general
// total and, when asked, the closing text. Values are rounded as printed, so every total
// is the sum of the printed values above it.
class ScrappingList
{
public:
    enum Field {
        Unit, UnitName, Group, Name, Article, Lot, YearMonth, Quantity, Norm, Expired, Wear, Price, Value, Agent,
        Budget, FieldCount
    };

    struct Header
    {
        double contor = 0;
        std::optional<double> number; // Numar
        QString type;                 // Tip
        QDate date;                   // Data, the date the wear is reckoned at
    };

    ScrappingList(Database &db, int firmNo);

    // Reads the document; false when it does not exist. Throws DbError.
    bool load(double contor);

    const Header &header() const { return m_header; }
    const OrganisationRecord &organisation() const { return m_organisation; }
    const QVector<ReportRow> &rows() const { return m_rows; }

    // Shared with the proposal list, which prints the same lines from its own table.
    // The columns of `q`: unit, unit name, classification code, name, inventory number,
    // Lot, quantity, normal life, price, budget, budget name. `expiredDecimals`: how the
    // months past the life are kept.
    static QVector<ReportRow> readLines(QSqlQuery &q, const QDate &at, int expiredDecimals);
    // The field `field` of the asset's first entry line, whatever its unit; `match`
    // compares the entry line I with the printed line.
    static QString firstEntryField(const QString &match, const char *field);
    // The lines under "Gestiunea:" headings, with "Total gestiunea:" and "Total general:"
    // adding the printed values.
    static void printByUnit(ReportEngine &engine, const ReportDefinition &def, const QVector<ReportRow> &rows);

    static QString title() { return QStringLiteral("Lista mijloacelor fixe casate"); }
    static QString amountMask() { return QStringLiteral("#,##0.00"); }
    static QString monthsMask() { return QStringLiteral("#,##0"); }

    ReportDefinition definition() const;
    // With `comment`, the closing text is printed under the general total.
    ReportDocument document(const PageSetup &page, bool comment, const QString &closingText) const;
    // Columns of the CSV export, one line per printed row.
    static ReportDefinition csvDefinition();

private:
    Database &m_db;
    int m_firmNo;
    Header m_header;
    OrganisationRecord m_organisation;
    QVector<ReportRow> m_rows;
};
