#include "documents/ExitStock.h"

#include "db/Database.h"
#include "documents/DocumentRefusal.h"
#include "documents/MessageNumbers.h"
#include "documents/StockLedger.h"

#include <QSqlQuery>
#include <QVariant>

std::optional<double> ExitStock::change(const StockKey &key, double change)
{
    if (key.article.isEmpty() || change == 0)
        return std::nullopt;
    StockLedger ledger(m_db, m_epsilon);
    const std::optional<StockLedger::Row> row = ledger.find(key);
    if (!row) {
        if (change < 0)
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, noStockAtPriceText(key));
        ledger.insert(key, change);
        return std::nullopt;
    }
    if (change < 0) {
        // A row already at or below zero (left so by a recalculation of inconsistent
        // documents) has nothing to give: taking from it would only deepen the deficit.
        if (row->quantity <= m_epsilon)
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, noStockAtPriceText(key));
        if (row->quantity + change <= -m_epsilon)
            return row->quantity;
    }
    ledger.store(*row, row->quantity + change, StockLedger::ZeroRule::UpToEpsilon);
    return std::nullopt;
}

QList<ExitStock::PriceRow> ExitStock::otherPrices(const StockKey &key) const
{
    QVariantMap values = key.bindings();
    values.insert(QStringLiteral(":eps"), m_epsilon);
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Pret_achizitie\", \"Cantitate\" FROM \"Stoc\" "
                                          "WHERE \"Cod_gestiune\" IS :g AND \"Cod_grupa\" IS :c AND \"Cod_articol\" IS :a "
                                          "AND \"Lot\" IS :l AND \"Agent\" IS :ag AND \"Pret_achizitie\" <> :p "
                                          "AND \"Cantitate\" > :eps ORDER BY \"Pret_achizitie\""),
                           values);
    QList<PriceRow> rows;
    while (q.next()) {
        StockKey other = key;
        other.price = q.value(0).toDouble();
        rows << PriceRow{other, q.value(1).toDouble()};
    }
    return rows;
}

QString ExitStock::splitQuestion(double available, const QString &unitOfMeasure) const
{
    return QStringLiteral("La pretul ales nu puteti lua din stoc o cantitate mai mare de %1 %2 ! "
                          "DORITI CAUTAREA CANTITATII SOLICITATE CU ALT PRET? ")
        .arg(MessageNumbers::fixed(available, m_formats), unitOfMeasure);
}

QString ExitStock::noStockAtPriceText(const StockKey &key) const
{
    return QStringLiteral("Nu exista stoc în gestiunea %1 pentru articolul %2.%3 cu pret de achizitie %4 !")
        .arg(key.unit, key.group, key.article, MessageNumbers::money(key.price, m_formats));
}

QString ExitStock::noStockText(const StockKey &key)
{
    return QStringLiteral("Nu exista stoc în gestiunea %1 pentru articolul %2.%3!").arg(key.unit, key.group, key.article);
}
