#include "documents/EntryDocumentHeader.h"

#include "documents/StockKey.h"

#include <QSqlRecord>
#include <QVariant>

QVariantMap EntryDocumentHeader::fieldValues() const
{
    return {{QStringLiteral("Contor"), contor},
            {QStringLiteral("Data_inregistrarii"), StockKey::date(registered)},
            {QStringLiteral("Numar"), number ? QVariant(*number) : QVariant()},
            {QStringLiteral("Tip"), StockKey::text(type, 3)},
            {QStringLiteral("Data"), StockKey::date(date)},
            {QStringLiteral("Furnizor"), StockKey::text(supplier, 30)},
            {QStringLiteral("Explicatie"), StockKey::text(explanation, 255)}};
}

EntryDocumentHeader EntryDocumentHeader::fromRecord(const QSqlRecord &r)
{
    EntryDocumentHeader h;
    h.contor = r.value(QStringLiteral("Contor")).toDouble();
    h.registered = QDate::fromString(r.value(QStringLiteral("Data_inregistrarii")).toString(), Qt::ISODate);
    const QVariant number = r.value(QStringLiteral("Numar"));
    if (!number.isNull())
        h.number = number.toDouble();
    h.type = r.value(QStringLiteral("Tip")).toString();
    h.date = QDate::fromString(r.value(QStringLiteral("Data")).toString(), Qt::ISODate);
    h.supplier = r.value(QStringLiteral("Furnizor")).toString();
    h.explanation = r.value(QStringLiteral("Explicatie")).toString();
    return h;
}
