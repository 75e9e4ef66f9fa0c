#include "documents/InitialStock.h"

#include "app/Status.h"
#include "db/Database.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryLineEditing.h"
#include "documents/EntryLineStore.h"
#include "documents/LineNumbers.h"
#include "documents/StockLedger.h"

#include <QSqlQuery>
#include <QVariant>

QString InitialStock::incompleteText()
{
    return QStringLiteral("Completati toate datele articolului!");
}

void InitialStock::ensureDocument(const QDate &date)
{
    m_db.writeTransaction([&] {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Doc_in\" WHERE \"Contor\" = :c"),
                               {{QStringLiteral(":c"), documentNumber}});
        if (q.next())
            return;
        m_db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Tip\", \"Data\", \"Explicatie\") "
                                "VALUES (:c, :t, :d, :e)"),
                 {{QStringLiteral(":c"), documentNumber},
                  {QStringLiteral(":t"), documentType()},
                  {QStringLiteral(":d"), StockKey::date(date)},
                  {QStringLiteral(":e"), explanation()}});
    });
}

QDate InitialStock::date() const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Data\" FROM \"Doc_in\" WHERE \"Contor\" = :c"),
                           {{QStringLiteral(":c"), documentNumber}});
    return q.next() ? QDate::fromString(q.value(0).toString(), Qt::ISODate) : QDate();
}

void InitialStock::setDate(const QDate &date)
{
    m_db.writeTransaction([&] {
        m_db.run(QStringLiteral("UPDATE \"Doc_in\" SET \"Data\" = :d WHERE \"Contor\" = :c"),
                 {{QStringLiteral(":d"), StockKey::date(date)}, {QStringLiteral(":c"), documentNumber}});
    });
}

void InitialStock::changeStock(const StockKey &key, double delta, const QString &barCode)
{
    if (key.article.isEmpty() || delta == 0)
        return;
    Status::show(QStringLiteral(" Actualizez stocurile..."));
    StockLedger(m_db, m_epsilon).ChangeStock(key, delta, barCode, StockLedger::NegativeCheck::Allow);
    Status::show(QStringLiteral(" OK."));
}

EntryLine InitialStock::saveLine(EntryLine line)
{
    if (line.group.isEmpty() || line.article.isEmpty() || !line.priceLei || line.name.isEmpty()
        || line.domain.isEmpty() || !line.lot.isValid() || !line.quantity || !line.durataTotala
        || !line.calcAmortizare)
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, incompleteText());
    if (const QString refusal = EntryLineEditing::saveRefusal(line); !refusal.isEmpty())
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
    line.contor = documentNumber;
    m_db.writeTransaction([&] {
        EntryLineStore store(m_db);
        // The stored row, not the caller's copy, says what the stock holds for this line.
        std::optional<EntryLine> stored;
        if (line.contorSecundar)
            stored = store.load(documentNumber, *line.contorSecundar);
        if (!stored) {
            if (!line.contorSecundar)
                line.contorSecundar = LineNumbers(m_db).next(LineNumbers::Table::ItemIn, documentNumber);
            store.insert(line);
        } else {
            store.update(line);
        }
        const StockKey oldKey = stored ? stored->stockKey() : StockKey{};
        const double oldQuantity = stored ? stored->quantityOrZero() : 0.0;
        if (oldKey != line.stockKey() || oldQuantity != line.quantityOrZero()) {
            changeStock(oldKey, -oldQuantity, QString());
            changeStock(line.stockKey(), line.quantityOrZero(), line.barCode);
        }
    });
    return line;
}

void InitialStock::deleteLine(double contorSecundar)
{
    m_db.writeTransaction([&] {
        EntryLineStore store(m_db);
        const std::optional<EntryLine> stored = store.load(documentNumber, contorSecundar);
        if (!stored)
            return;
        changeStock(stored->stockKey(), -stored->quantityOrZero(), QString());
        store.remove(documentNumber, contorSecundar);
    });
}
