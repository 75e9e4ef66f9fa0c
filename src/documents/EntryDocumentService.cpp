#include "documents/EntryDocumentService.h"

#include "app/Parameters.h"
#include "db/Database.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryLineEditing.h"
#include "documents/EntryLineStore.h"
#include "documents/HeaderChecks.h"
#include "documents/LineNumbers.h"
#include "documents/ManagementUnits.h"
#include "documents/OrderLedger.h"
#include "documents/SerialNumbers.h"
#include "documents/StockLedger.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

QString EntryDocumentService::incompleteLineText()
{
    return QStringLiteral("Completati toate datele inregistrarii!");
}

QString EntryDocumentService::typeMissingText()
{
    return HeaderChecks::typeMissingText();
}

QString EntryDocumentService::datesMissingText()
{
    return HeaderChecks::datesMissingText();
}

QString EntryDocumentService::futureDateText()
{
    return HeaderChecks::futureDateText();
}

QString EntryDocumentService::noLinesText()
{
    return HeaderChecks::noLinesText();
}

QString EntryDocumentService::headerRefusal(const EntryDocumentHeader &header, bool hasLines)
{
    return HeaderChecks::refusal(header.type, header.registered, header.number, header.date, hasLines);
}

bool EntryDocumentService::isComplete(const EntryLine &l)
{
    return !l.unit.isEmpty() && !l.group.isEmpty() && !l.article.isEmpty() && !l.name.isEmpty()
        && !l.domain.isEmpty() && l.lot.isValid() && l.priceLei && l.quantity && l.durataTotala
        && l.calcAmortizare;
}

EntryDocumentHeader EntryDocumentService::newDocument(const QDate &date)
{
    return m_db.writeTransaction([&] {
        EntryDocumentHeader header;
        header.contor = Counter(m_db).allocate(Counter::Kind::In);
        header.registered = date;
        header.date = date;
        const QVariantMap fields = header.fieldValues();
        m_db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Data\") VALUES (:c, :r, :d)"),
                 {{QStringLiteral(":c"), header.contor},
                  {QStringLiteral(":r"), fields.value(QStringLiteral("Data_inregistrarii"))},
                  {QStringLiteral(":d"), fields.value(QStringLiteral("Data"))}});
        return header;
    });
}

std::optional<EntryDocumentHeader> EntryDocumentService::loadHeader(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Doc_in\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    if (!q.next())
        return std::nullopt;
    return EntryDocumentHeader::fromRecord(q.record());
}

void EntryDocumentService::saveHeader(const EntryDocumentHeader &header)
{
    m_db.writeTransaction([&] {
        const bool hasLines = !EntryLineStore(m_db).lines(header.contor).isEmpty();
        const QString refusal = headerRefusal(header, hasLines);
        if (!refusal.isEmpty())
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
        // The row written by newDocument() is completed; one lost meanwhile is written anew.
        TableRow::upsert(m_db, QStringLiteral("Doc_in"), header.fieldValues(), {QStringLiteral("Contor")});
    });
}

void EntryDocumentService::adjustStock(const std::optional<EntryLine> &stored, const EntryLine &line)
{
    StockLedger ledger(m_db, m_params.epsilon);
    const StockKey newKey = line.stockKey();
    if (!stored) {
        ledger.ChangeStock(newKey, line.quantityOrZero(), line.barCode);
        return;
    }
    const StockKey oldKey = stored->stockKey();
    // Compared as stored (texts cut to their widths): a bar-code change alone leaves the
    // stock row where it is, so it cannot be refused as negative stock.
    if (oldKey.bindings() == newKey.bindings()) {
        ledger.ChangeStock(newKey, line.quantityOrZero() - stored->quantityOrZero(), line.barCode);
    } else {
        ledger.ChangeStock(oldKey, -stored->quantityOrZero());
        ledger.ChangeStock(newKey, line.quantityOrZero(), line.barCode);
    }
}

static OrderLedger::Key orderKey(const EntryLine &l)
{
    return {l.contorCom.value_or(0), l.group, l.article, l.agent};
}

void EntryDocumentService::adjustOrders(const std::optional<EntryLine> &stored, const EntryLine &line)
{
    if (!m_params.com)
        return;
    OrderLedger orders(m_db, m_params.epsilon);
    const bool oldOrder = stored && stored->contorCom;
    const bool newOrder = line.contorCom.has_value();
    if (oldOrder && newOrder && orderKey(*stored) == orderKey(line)) {
        orders.ChangeOrder(orderKey(line), line.quantityOrZero() - stored->quantityOrZero());
        return;
    }
    if (oldOrder)
        orders.ChangeOrder(orderKey(*stored), -stored->quantityOrZero());
    if (newOrder)
        orders.ChangeOrder(orderKey(line), line.quantityOrZero());
}

EntryLine EntryDocumentService::saveLine(EntryLine line, LineMode mode)
{
    if (mode == LineMode::Normal && !isComplete(line))
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, incompleteLineText());
    if (const QString refusal = EntryLineEditing::saveRefusal(line); !refusal.isEmpty())
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
    m_db.writeTransaction([&] {
        EntryLineStore store(m_db);
        std::optional<EntryLine> stored;
        if (line.contorSecundar)
            stored = store.load(line.contor, *line.contorSecundar);
        if (!stored) {
            // The number is taken inside the transaction: no other workstation can take it too.
            line.contorSecundar = LineNumbers(m_db).next(LineNumbers::Table::ItemIn, line.contor);
            store.insert(line);
        } else {
            store.update(line);
        }
        // Serial rows after the line number is known, so a new line's rows carry it.
        SerialNumbers(m_db).lineSaved(line.contor, *line.contorSecundar, line.group, line.article,
                                      {stored && stored->serii, stored ? stored->quantityOrZero() : 0.0},
                                      {line.serii, line.quantityOrZero()});
        adjustStock(stored, line);
        adjustOrders(stored, line);
    });
    return line;
}

void EntryDocumentService::removeLine(const EntryLine &stored)
{
    StockLedger(m_db, m_params.epsilon).ChangeStock(stored.stockKey(), -stored.quantityOrZero());
    if (m_params.com && stored.contorCom && stored.quantityOrZero() != 0)
        OrderLedger(m_db, m_params.epsilon).ChangeOrder(orderKey(stored), -stored.quantityOrZero());
    // Whatever the flag says now: rows left behind would point at a line that is gone.
    SerialNumbers(m_db).remove(stored.contor, stored.contorSecundar.value_or(0));
    EntryLineStore(m_db).remove(stored.contor, stored.contorSecundar.value_or(0));
}

bool EntryDocumentService::deleteLine(double contor, double contorSecundar)
{
    return m_db.writeTransaction([&] {
        const std::optional<EntryLine> stored = EntryLineStore(m_db).load(contor, contorSecundar);
        if (!stored)
            return false;
        removeLine(*stored);
        return true;
    });
}

void EntryDocumentService::deleteDocument(double contor)
{
    m_db.writeTransaction([&] {
        for (const EntryLine &line : EntryLineStore(m_db).lines(contor))
            removeLine(line);
        Counter(m_db).giveBack(Counter::Kind::In, contor);
        m_db.run(QStringLiteral("DELETE FROM \"Doc_in\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    });
}

QString EntryDocumentService::firstUnit() const
{
    return ManagementUnits(m_db).first();
}
