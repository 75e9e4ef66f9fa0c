#pragma once

#include "printing/OrganisationRecord.h"
#include "printing/PageSetup.h"
#include "printing/ReportDefinition.h"
#include "printing/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class Database;

// The movement note of one exit document ("BON DE MISCARE MIJLOACE FIXE"): the
// organisation's identification block, the handing-over and receiving units, one row per
// line of the document and "TOTAL:", then the signatures. Values are rounded as printed,
// so the total is the sum of the printed lines.
class MovementNote
{
public:
    enum Field { Unit, Group, Article, Name, Agent, Quantity, Price, Value, FieldCount };

    struct Header
    {
        double contor = 0;
        std::optional<double> number; // Numar
        QString type;                 // Tip
        QDate registered;             // Data_inregistrarii
        QDate date;                   // Data
        QString explanation;
        QString receivingName;        // the unit named by `Client`
        QString receivingKeeper;      // its `Gestionar`
        QStringList handingNames;     // the units of the lines, in print order
    };

    MovementNote(Database &db, int firmNo, int leiDecimals);

    // Reads the document; false when it does not exist. Throws DbError.
    bool load(double contor);

    const Header &header() const { return m_header; }
    const OrganisationRecord &organisation() const { return m_organisation; }
    const QVector<ReportRow> &rows() const { return m_rows; }
    double total() const;

    static QString title() { return QStringLiteral("Aviz"); }
    static QString heading() { return QStringLiteral("BON DE MISCARE MIJLOACE FIXE"); }
    static QString valueMask() { return QStringLiteral("#,##0.00"); }
    // At least two decimals, up to the lei decimals of the parameters.
    QString priceMask() const;

    ReportDefinition definition(bool explanation) const;
    ReportDocument document(const PageSetup &page, bool explanation) const;
    // Columns of the CSV export, one line per printed row.
    static ReportDefinition csvDefinition();

private:
    Database &m_db;
    int m_firmNo;
    int m_decimals;
    Header m_header;
    OrganisationRecord m_organisation;
    QVector<ReportRow> m_rows;
};
