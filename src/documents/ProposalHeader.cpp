#include "documents/ProposalHeader.h"

#include "documents/StockKey.h"

#include <QSqlRecord>
#include <QVariant>

QVariantMap ProposalHeader::fieldValues() const
{
    return {{QStringLiteral("Contor"), contor},
            {QStringLiteral("Data_inregistrarii"), StockKey::date(registered)},
            {QStringLiteral("Numar"), number ? QVariant(*number) : QVariant()},
            {QStringLiteral("Data"), StockKey::date(date)},
            {QStringLiteral("Client"), StockKey::text(client, 30)},
            {QStringLiteral("Explicatie"), StockKey::text(explanation, 255)},
            {QStringLiteral("Data_scadenta"), StockKey::date(dueDate)}};
}

ProposalHeader ProposalHeader::fromRecord(const QSqlRecord &r)
{
    const auto dateOf = [&](const char *field) {
        return QDate::fromString(r.value(QLatin1String(field)).toString(), Qt::ISODate);
    };
    ProposalHeader h;
    h.contor = r.value(QStringLiteral("Contor")).toDouble();
    h.registered = dateOf("Data_inregistrarii");
    const QVariant number = r.value(QStringLiteral("Numar"));
    if (!number.isNull())
        h.number = number.toDouble();
    h.date = dateOf("Data");
    h.client = r.value(QStringLiteral("Client")).toString();
    h.explanation = r.value(QStringLiteral("Explicatie")).toString();
    h.dueDate = dateOf("Data_scadenta");
    return h;
}
