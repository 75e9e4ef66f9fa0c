#include "documents/ExitPayments.h"

#include "db/Database.h"
#include "documents/StockKey.h"

#include <QSqlQuery>
#include <QVariant>

double ExitPayments::paid(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT COALESCE(SUM(\"Suma\"), 0) FROM \"Clnpay\" WHERE \"Contor_document\" = :c"),
                           {{QStringLiteral(":c"), contor}});
    return q.next() ? q.value(0).toDouble() : 0.0;
}

void ExitPayments::followHeader(double contor, const QString &client, const QDate &registered)
{
    m_db.run(QStringLiteral("UPDATE \"Clnpay\" SET \"Cod_client\" = :cl, \"Data_platii\" = :d WHERE \"Contor_document\" = :c"),
             {{QStringLiteral(":cl"), StockKey::text(client, 30)},
              {QStringLiteral(":d"), StockKey::date(registered)},
              {QStringLiteral(":c"), contor}});
}

void ExitPayments::payInFull(double contor, const QString &client, const QDate &registered, double total)
{
    m_db.writeTransaction([&] {
        const double rest = total - paid(contor);
        // Amounts are kept in lei with their decimals: what is left under a ban is paid.
        if (rest < 0.005)
            return;
        m_db.run(QStringLiteral("INSERT INTO \"Clnpay\" (\"Cod_client\", \"Contor_document\", \"Data_platii\", \"Suma\") "
                                "VALUES (:cl, :c, :d, :s)"),
                 {{QStringLiteral(":cl"), StockKey::text(client, 30)},
                  {QStringLiteral(":c"), contor},
                  {QStringLiteral(":d"), StockKey::date(registered)},
                  {QStringLiteral(":s"), rest}});
    });
}

void ExitPayments::remove(double contor)
{
    m_db.run(QStringLiteral("DELETE FROM \"Clnpay\" WHERE \"Contor_document\" = :c"), {{QStringLiteral(":c"), contor}});
}
