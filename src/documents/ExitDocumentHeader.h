#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class QSqlRecord;

// One row of `Doc_out` as plain values.
struct ExitDocumentHeader
{
    double contor = 0;
    QDate registered;             // Data_inregistrarii
    std::optional<double> number; // Numar
    QString type;                 // Tip: "BT", "NPR", "CSR" or typed
    QDate date;                   // Data
    QString client;               // Client: the receiving management unit of a transfer
    QString explanation;          // Explicatie
    QDate dueDate;                // Data_scadenta
    QString agent;                // Agent: the custodian ("Beneficiar")

    static QString transferType() { return QStringLiteral("BT"); }
    bool isTransfer() const { return type == transferType(); }

    // Field name -> value (empty as NULL, texts cut to their widths), every field.
    QVariantMap fieldValues() const;
    static ExitDocumentHeader fromRecord(const QSqlRecord &record);
};
