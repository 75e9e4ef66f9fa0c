#include "documents/ExitDocumentService.h"

#include "app/Parameters.h"
#include "app/Status.h"
#include "db/Database.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryLineStore.h"
#include "documents/ExitLineStore.h"
#include "documents/ExitPayments.h"
#include "documents/ExitSaleFields.h"
#include "documents/ExitStock.h"
#include "documents/ExitTotals.h"
#include "documents/HeaderChecks.h"
#include "documents/LineNumbers.h"
#include "documents/ManagementUnits.h"
#include "documents/MessageNumbers.h"
#include "documents/StockLedger.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace {

struct OverpaymentQuestion
{
    QString text;
};

// Amounts are compared to the ban: sums of doubles carry noise below it.
constexpr double moneyTolerance = 0.005;

} // namespace

QString ExitDocumentService::incompleteLineText()
{
    return QStringLiteral("Completati toate datele articolului!");
}

QString ExitDocumentService::dueDateText()
{
    return QStringLiteral("Data scadentei platii nu poate fi mai mica decit data documentului!");
}

QString ExitDocumentService::overpaymentText(double paid, double total, const NationalFormats &formats)
{
    return QStringLiteral("Valoarea achitata (%1) este mai mare decît valoarea facturii (%2)!\n,Continuati astfel ?")
        .arg(MessageNumbers::money(paid, formats), MessageNumbers::money(total, formats));
}

QString ExitDocumentService::unknownReceivingUnitText(const QString &code)
{
    return QStringLiteral("Gestiunea <") + code
        + QStringLiteral("> nu figureaza în catalog. Apasati Ctrl-Enter pentru a selecta din catalog !");
}

QString ExitDocumentService::noLinesForDiscountText()
{
    return QStringLiteral("Aplicati discount-ul numai dupa ce completati factura!");
}

QString ExitDocumentService::discountTooLowText()
{
    return QStringLiteral("Reducerea nu poate fi mai mica de 100%!");
}

QString ExitDocumentService::discountQuestionText()
{
    return QStringLiteral("Specificati discount-ul procentual cu care se reduce pretul (valoare negativa) "
                          "sau se mareste (valoare pozitiva):");
}

QString ExitDocumentService::discountDoneText()
{
    return QStringLiteral("OK. Aplicarea discount-ului s-a încheiat.");
}

QString ExitDocumentService::deleteQuestionText()
{
    return QStringLiteral("Sterg documentul curent?");
}

bool ExitDocumentService::isComplete(const ExitLine &l)
{
    return !l.unit.isEmpty() && !l.group.isEmpty() && !l.article.isEmpty() && l.price && l.quantity;
}

QString ExitDocumentService::receivingUnitRefusal(const QString &code) const
{
    if (code.isEmpty() || ManagementUnits(m_db).exists(code))
        return {};
    return unknownReceivingUnitText(code);
}

QString ExitDocumentService::headerRefusal(const ExitDocumentHeader &h, bool hasLines) const
{
    QString refusal = HeaderChecks::refusal(h.type, h.registered, h.number, h.date, hasLines);
    if (refusal.isEmpty() && h.dueDate.isValid() && h.dueDate < h.date)
        refusal = dueDateText();
    if (refusal.isEmpty())
        refusal = receivingUnitRefusal(h.client);
    return refusal;
}

std::optional<double> ExitDocumentService::open()
{
    ExitLineStore(m_db).removeZeroQuantityLines();
    QSqlQuery q = m_db.run(QStringLiteral("SELECT MAX(\"Contor\") FROM \"Doc_out\" WHERE \"Contor\" >= 1"));
    if (!q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toDouble();
}

QString ExitDocumentService::firstUnit() const
{
    return ManagementUnits(m_db).first();
}

ExitDocumentHeader ExitDocumentService::newDocument(const QDate &date)
{
    return m_db.writeTransaction([&] {
        ExitDocumentHeader header;
        header.contor = Counter(m_db).allocate(Counter::Kind::Out);
        header.registered = date;
        header.date = date;
        TableRow::insert(m_db, QStringLiteral("Doc_out"), header.fieldValues());
        return header;
    });
}

std::optional<ExitDocumentHeader> ExitDocumentService::loadHeader(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Doc_out\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    if (!q.next())
        return std::nullopt;
    return ExitDocumentHeader::fromRecord(q.record());
}

ExitDocumentService::HeaderSave ExitDocumentService::saveHeader(const ExitDocumentHeader &header, bool overpaymentAccepted)
{
    try {
        m_db.writeTransaction([&] {
            const QString refusal = headerRefusal(header, ExitLineStore(m_db).hasLines(header.contor));
            if (!refusal.isEmpty())
                throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
            ExitPayments payments(m_db);
            if (!overpaymentAccepted) {
                const double paid = payments.paid(header.contor);
                const double total = ExitTotals(m_db).sums(header.contor).document();
                // Only a payment actually recorded can exceed the document: a return,
                // whose total is negative, is not "overpaid" by nothing.
                if (paid > moneyTolerance && paid - total > moneyTolerance)
                    throw OverpaymentQuestion{overpaymentText(paid, total, m_formats)};
            }
            // The row written by newDocument() is completed; one lost meanwhile is written anew.
            TableRow::upsert(m_db, QStringLiteral("Doc_out"), header.fieldValues(), {QStringLiteral("Contor")});
            payments.followHeader(header.contor, header.client, header.registered);
        });
    } catch (const OverpaymentQuestion &question) {
        return {HeaderSave::Outcome::NeedsConfirmation, question.text};
    }
    return {};
}

QList<ExitLine> ExitDocumentService::lines(double contor) const
{
    return ExitLineStore(m_db).lines(contor);
}

std::optional<ExitLine> ExitDocumentService::loadLine(double contor, double contorSecundar) const
{
    return ExitLineStore(m_db).load(contor, contorSecundar);
}

// A stored line's quantity goes back to its row. Only a returned (negative) quantity can
// fail to, when the stock it brought back has left meanwhile: refused like an entry line
// whose stock was taken out.
static void putBack(ExitStock &stock, const ExitLine &stored)
{
    bool refused = false;
    try {
        refused = stock.change(stored.stockKey(), stored.quantityOrZero()).has_value();
    } catch (const DocumentRefusal &) {
        refused = true;
    }
    if (refused)
        throw DocumentRefusal(DocumentRefusal::Kind::Error, StockLedger::negativeStockText());
}

void ExitDocumentService::takeOut(ExitLine &line, const std::optional<ExitLine> &stored, SplitAnswer answer,
                                  LineSave &result)
{
    ExitStock stock(m_db, m_params.epsilon, m_formats);
    const StockKey key = line.stockKey();
    // What this line already holds from the row it names.
    double held = 0;
    if (stored) {
        // Compared as stored (texts cut to their widths).
        if (stored->stockKey().bindings() == key.bindings())
            held = stored->quantityOrZero();
        else
            putBack(stock, *stored);
    }
    const double wanted = line.quantityOrZero() - held;
    const std::optional<double> available = stock.change(key, -wanted);
    if (!available)
        return;
    if (answer == SplitAnswer::NotAsked)
        throw SplitNeeded{stock.splitQuestion(*available, unitOfMeasure(line.group, line.article))};
    if (answer == SplitAnswer::No)
        throw SplitDeclined{};

    // The line takes all its row holds; the rest comes from the asset's other prices.
    stock.change(key, -*available);
    line.quantity = held + *available;
    double rest = wanted - *available;
    const std::optional<ExitDocumentHeader> header = loadHeader(line.contor);
    const ExitSaleFields::Context context{header ? header->type : QString(), header ? header->date : QDate()};
    const ExitSaleFields sale(m_db, m_params);
    sale.amountsSet(line, context);
    ExitLineStore store(m_db);
    for (const ExitStock::PriceRow &other : stock.otherPrices(key)) {
        if (rest <= m_params.epsilon)
            break;
        ExitLine extra = line;
        extra.contorSecundar = LineNumbers(m_db).next(LineNumbers::Table::ItemOut, line.contor);
        extra.price = other.key.price;
        extra.quantity = std::min(rest, other.quantity);
        sale.priceSet(extra, context);
        stock.change(other.key, -*extra.quantity);
        store.insert(extra);
        result.added << extra;
        rest -= *extra.quantity;
    }
    if (rest > m_params.epsilon)
        result.warning = ExitStock::noStockText(key);
}

ExitDocumentService::LineSave ExitDocumentService::saveLine(ExitLine line, SplitAnswer answer)
{
    if (!isComplete(line))
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, incompleteLineText());
    const ExitLine given = line;
    LineSave result;
    try {
        m_db.writeTransaction([&] {
            ExitLineStore store(m_db);
            std::optional<ExitLine> stored;
            if (line.contorSecundar)
                stored = store.load(line.contor, *line.contorSecundar);
            if (!stored) {
                // The number is taken inside the transaction: no other workstation can take it too.
                line.contorSecundar = LineNumbers(m_db).next(LineNumbers::Table::ItemOut, line.contor);
                store.insert(line);
            }
            takeOut(line, stored, answer, result);
            store.update(line);
        });
    } catch (const SplitNeeded &needed) {
        return {LineSave::Outcome::NeedsSplitAnswer, given, {}, needed.question, {}};
    } catch (const SplitDeclined &) {
        return {LineSave::Outcome::SplitDeclined, given, {}, {}, {}};
    }
    result.line = line;
    return result;
}

void ExitDocumentService::removeLine(const ExitLine &stored)
{
    ExitStock stock(m_db, m_params.epsilon, m_formats);
    putBack(stock, stored);
    ExitLineStore(m_db).remove(stored.contor, stored.contorSecundar.value_or(0));
}

bool ExitDocumentService::deleteLine(double contor, double contorSecundar)
{
    return m_db.writeTransaction([&] {
        const std::optional<ExitLine> stored = ExitLineStore(m_db).load(contor, contorSecundar);
        if (!stored)
            return false;
        removeLine(*stored);
        return true;
    });
}

std::optional<ExitLine> ExitDocumentService::cancelEdit(double contor, double contorSecundar) const
{
    return loadLine(contor, contorSecundar);
}

void ExitDocumentService::deleteDocument(double contor)
{
    m_db.writeTransaction([&] {
        for (const ExitLine &line : ExitLineStore(m_db).lines(contor))
            removeLine(line);
        ExitPayments(m_db).remove(contor);
        Counter(m_db).giveBack(Counter::Kind::Out, contor);
        m_db.run(QStringLiteral("DELETE FROM \"Doc_out\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    });
}

void ExitDocumentService::applyDiscount(double contor, double percent)
{
    ExitLineStore store(m_db);
    if (!store.hasLines(contor))
        throw DocumentRefusal(DocumentRefusal::Kind::Error, noLinesForDiscountText(), true);
    if (percent <= -100)
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, discountTooLowText());
    Status::show(QStringLiteral(" Calculez..."));
    m_db.writeTransaction([&] {
        const std::optional<ExitDocumentHeader> header = loadHeader(contor);
        const ExitSaleFields::Context context{header ? header->type : QString(), header ? header->date : QDate()};
        const ExitSaleFields sale(m_db, m_params);
        for (ExitLine line : store.lines(contor)) {
            const std::optional<double> price = sale.discounted(line, percent);
            if (!price)
                continue;
            line.salePrice = *price;
            sale.amountsSet(line, context);
            store.update(line);
        }
    });
    Status::show(discountDoneText());
}

double ExitDocumentService::discountOf(const QString &budget) const
{
    return ExitSaleFields(m_db, m_params).budgetDiscount(budget);
}

void ExitDocumentService::markPaidInFull(double contor)
{
    m_db.writeTransaction([&] {
        const std::optional<ExitDocumentHeader> header = loadHeader(contor);
        if (!header)
            return;
        ExitPayments(m_db).payInFull(contor, header->client, header->registered,
                                     ExitTotals(m_db).sums(contor).document());
    });
}

QString ExitDocumentService::assetName(const QString &group, const QString &article) const
{
    const std::optional<EntryLine> line = EntryLineStore(m_db).firstForAsset(group, article);
    return line ? line->name : QString();
}

QString ExitDocumentService::unitOfMeasure(const QString &group, const QString &article) const
{
    const std::optional<ExitSaleFields::CatalogueRow> row = ExitSaleFields(m_db, m_params).catalogueRow(group, article);
    return row ? row->unitOfMeasure : QString();
}
