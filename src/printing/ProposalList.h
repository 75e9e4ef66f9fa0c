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

// The list of fixed assets proposed for scrapping ("Lista mijloacelor fixe propuse pentru
// a fi scoase din functiune") of one proposal: its lines grouped by management unit, each
// with its normal life, the months past it and its wear at the proposal's date, the unit
// totals and the general total. Rows have the fields of the scrapping list, whose CSV
// columns they share; values are rounded as printed, so totals add up on paper.
class ProposalList
{
public:
    struct Header
    {
        double contor = 0;
        std::optional<double> number; // Numar
        QDate date;                   // Data, the date the wear is reckoned at
    };

    ProposalList(Database &db, int firmNo);

    // Reads the proposal; false when it does not exist. Throws DbError.
    bool load(double contor);

    const Header &header() const { return m_header; }
    const OrganisationRecord &organisation() const { return m_organisation; }
    // Fields of ScrappingList::Field.
    const QVector<ReportRow> &rows() const { return m_rows; }

    static QString title() { return QStringLiteral("Lista mijloacelor fixe propuse pentru a fi scoase din functiune"); }

    ReportDefinition definition() const;
    ReportDocument document(const PageSetup &page) const;
    static ReportDefinition csvDefinition();

private:
    Database &m_db;
    int m_firmNo;
    Header m_header;
    OrganisationRecord m_organisation;
    QVector<ReportRow> m_rows;
};
