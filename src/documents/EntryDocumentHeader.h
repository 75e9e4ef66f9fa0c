#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

#include <optional>

class QSqlRecord;

// One row of `Doc_in` as plain values.
struct EntryDocumentHeader
{
    double contor = 0;
    QDate registered;             // Data_inregistrarii
    std::optional<double> number; // Numar: the supplier's document number
    QString type;                 // Tip: "FCT", "NR" or "BT"
    QDate date;                   // Data: the supplier's document date
    QString supplier;             // Furnizor
    QString explanation;          // Explicatie

    // Field name -> value (empty as NULL, texts cut to their widths), every field.
    QVariantMap fieldValues() const;
    static EntryDocumentHeader fromRecord(const QSqlRecord &record);
};
