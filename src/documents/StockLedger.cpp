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
        const std::optional<Row> row = find(key);
        if (!row) {
            if (check == NegativeCheck::Refuse && delta < 0)
                throw DocumentRefusal(DocumentRefusal::Kind::Error, negativeStockText(), true);
            insert(key, delta, barCode);
            return;
        }
        const double result = row->quantity + delta;
        if (check == NegativeCheck::Refuse && delta < 0 && result <= -m_epsilon)
            throw DocumentRefusal(DocumentRefusal::Kind::Error, negativeStockText());
        store(*row, result, ZeroRule::BelowEpsilon);
    });
}

std::optional<StockLedger::Row> StockLedger::find(const StockKey &key) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT rowid, \"Cantitate\" FROM \"Stoc\" WHERE %1 LIMIT 1")
                               .arg(StockKey::condition()),
                           key.bindings());
    if (!q.next())
        return std::nullopt;
    return Row{q.value(0).toLongLong(), q.value(1).toDouble()};
}

void StockLedger::insert(const StockKey &key, double quantity, const QString &barCode)
{
    QVariantMap values = key.bindings();
    values.insert(QStringLiteral(":q"), quantity);
    values.insert(QStringLiteral(":b"), StockKey::text(barCode, 60));
    m_db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                            "\"Pret_achizitie\", \"Lot\", \"Agent\", \"Cantitate\", \"Cod_bare\") "
                            "VALUES (:g, :c, :a, :p, :l, :ag, :q, :b)"),
             values);
}

void StockLedger::store(const Row &row, double quantity, ZeroRule rule)
{
    const double size = std::fabs(quantity);
    const bool zero = rule == ZeroRule::BelowEpsilon ? size < m_epsilon : size <= m_epsilon;
    if (!zero)
        m_db.run(QStringLiteral("UPDATE \"Stoc\" SET \"Cantitate\" = :q WHERE rowid = :r"),
                 {{QStringLiteral(":q"), quantity}, {QStringLiteral(":r"), row.rowid}});
    else
        m_db.run(QStringLiteral("DELETE FROM \"Stoc\" WHERE rowid = :r"), {{QStringLiteral(":r"), row.rowid}});
}

double StockLedger::quantity(const StockKey &key) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Cantitate\" FROM \"Stoc\" WHERE %1").arg(StockKey::condition()),
                           key.bindings());
    return q.next() ? q.value(0).toDouble() : 0.0;
}
