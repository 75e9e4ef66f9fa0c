#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class QSqlRecord;

// One row of `Doc_prof`: the header of a scrapping proposal.
struct ProposalHeader
{
    double contor = 0;
    QDate registered;             // Data_inregistrarii
    std::optional<double> number; // Numar
    QDate date;                   // Data, the date the wear is reckoned at
    QString client;               // Client: a budget code, checked against `Client`
    QString explanation;          // Explicatie
    QDate dueDate;                // Data_scadenta

    // Field name -> value (empty as NULL, texts cut to their widths), every field.
    QVariantMap fieldValues() const;
    static ProposalHeader fromRecord(const QSqlRecord &record);
};
