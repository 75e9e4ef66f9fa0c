#include "documents/StockLedger.h"

#include "db/Database.h"
#include "documents/DocumentRefusal.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

QString StockLedger::negativeStockText()
{
    return QStringLiteral("Atentie!\nPrin aceasta operatiune stocul devine negativ!\n"
                          "Stergeti mai întîi operatiunile corespunzatoare de iesire din stoc!");
}

void StockLedger::ChangeStock(const StockKey &key, double delta, const QString &barCode,
                              NegativeCheck check)
{
    if (key.article.isEmpty() || delta == 0)
        return;
    m_db.writeTransaction([&] {
        const QVariantMap bound = key.bindings();
        QSqlQuery row = m_db.run(QStringLiteral("SELECT rowid, \"Cantitate\" FROM \"Stoc\" WHERE %1 LIMIT 1")
                                     .arg(StockKey::condition()),
                                 bound);
        if (!row.next()) {
            if (check == NegativeCheck::Refuse && delta < 0)
                throw DocumentRefusal(DocumentRefusal::Kind::Error, negativeStockText(), true);
            QVariantMap values = bound;
            values.insert(QStringLiteral(":q"), delta);
            values.insert(QStringLiteral(":b"), StockKey::text(barCode, 60));
            m_db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                    "\"Pret_achizitie\", \"Lot\", \"Agent\", \"Cantitate\", \"Cod_bare\") "
                                    "VALUES (:g, :c, :a, :p, :l, :ag, :q, :b)"),
                     values);
            return;
        }
        const qlonglong rowid = row.value(0).toLongLong();
        const double result = row.value(1).toDouble() + delta;
        if (check == NegativeCheck::Refuse && delta < 0 && result <= -m_epsilon)
            throw DocumentRefusal(DocumentRefusal::Kind::Error, negativeStockText());
        if (std::fabs(result) >= m_epsilon)
            m_db.run(QStringLiteral("UPDATE \"Stoc\" SET \"Cantitate\" = :q WHERE rowid = :r"),
                     {{QStringLiteral(":q"), result}, {QStringLiteral(":r"), rowid}});
        else
            m_db.run(QStringLiteral("DELETE FROM \"Stoc\" WHERE rowid = :r"), {{QStringLiteral(":r"), rowid}});
    });
}

double StockLedger::quantity(const StockKey &key) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cantitate\" FROM \"Stoc\" WHERE %1").arg(StockKey::condition()),
                           key.bindings());
    return q.next() ? q.value(0).toDouble() : 0.0;
}
