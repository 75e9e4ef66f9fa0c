#include "documents/ExitDocumentHeader.h"

#include "documents/StockKey.h"

#include <QSqlRecord>
#include <QVariant>

namespace {

QDate dateOf(const QVariant &v)
{
    return QDate::fromString(v.toString(), Qt::ISODate);
}

} // namespace

QVariantMap ExitDocumentHeader::fieldValues() const
{
    return {{QStringLiteral("Contor"), contor},
            {QStringLiteral("Data_inregistrarii"), StockKey::date(registered)},
            {QStringLiteral("Numar"), number ? QVariant(*number) : QVariant()},
            {QStringLiteral("Tip"), StockKey::text(type, 3)},
            {QStringLiteral("Data"), StockKey::date(date)},
            {QStringLiteral("Client"), StockKey::text(client, 30)},
            {QStringLiteral("Explicatie"), StockKey::text(explanation, 255)},
            {QStringLiteral("Data_scadenta"), StockKey::date(dueDate)},
            {QStringLiteral("Agent"), StockKey::text(agent, 3)}};
}

ExitDocumentHeader ExitDocumentHeader::fromRecord(const QSqlRecord &r)
{
    ExitDocumentHeader h;
    h.contor = r.value(QStringLiteral("Contor")).toDouble();
    h.registered = dateOf(r.value(QStringLiteral("Data_inregistrarii")));
    const QVariant number = r.value(QStringLiteral("Numar"));
    if (!number.isNull())
        h.number = number.toDouble();
    h.type = r.value(QStringLiteral("Tip")).toString();
    h.date = dateOf(r.value(QStringLiteral("Data")));
    h.client = r.value(QStringLiteral("Client")).toString();
    h.explanation = r.value(QStringLiteral("Explicatie")).toString();
    h.dueDate = dateOf(r.value(QStringLiteral("Data_scadenta")));
    h.agent = r.value(QStringLiteral("Agent")).toString();
    return h;
}
