#include "documents/ProposalService.h"

#include "app/Parameters.h"
#include "db/Database.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryLineStore.h"
#include "documents/ExitDocumentHeader.h"
#include "documents/ExitLineStore.h"
#include "documents/ExitStock.h"
#include "documents/HeaderChecks.h"
#include "documents/LineNumbers.h"
#include "documents/ManagementUnits.h"
#include "documents/ProposalLineStore.h"
#include "documents/StockLedger.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

// `Item_prof` keeps 8 characters of a classification code that `Stoc` keeps whole, so
// an asset is matched on those 8 characters on both sides.
constexpr int kGroupWidth = 8;

double sumOf(Database &db, const char *table, const QString &group, const QString &article)
{
    QSqlQuery q = db.run(QStringLiteral("SELECT SUM(\"Cantitate\") FROM \"%1\" WHERE substr(\"Cod_grupa\", 1, %2) = :g "
                                        "AND \"Cod_articol\" = :a")
                             .arg(QLatin1String(table))
                             .arg(kGroupWidth),
                         {{QStringLiteral(":g"), group.left(kGroupWidth)}, {QStringLiteral(":a"), article}});
    return q.next() ? q.value(0).toDouble() : 0.0;
}

// The stock row a proposal line names, with its classification code as `Stoc` holds it.
// A code cut by `Item_prof` is completed from the one row it can stand for.
StockKey stockKeyOf(Database &db, const ExitLine &line)
{
    StockKey key = line.stockKey();
    if (key.group.size() < kGroupWidth)
        return key;
    QSqlQuery q = db.run(QStringLiteral("SELECT DISTINCT \"Cod_grupa\" FROM \"Stoc\" WHERE \"Cod_gestiune\" IS :g "
                                        "AND substr(\"Cod_grupa\", 1, %1) = :c AND \"Cod_articol\" IS :a "
                                        "AND \"Pret_achizitie\" IS :p AND \"Lot\" IS :l AND \"Agent\" IS :ag")
                             .arg(kGroupWidth),
                         key.bindings());
    QStringList groups;
    while (q.next())
        groups << q.value(0).toString();
    if (groups.size() == 1)
        key.group = groups.constFirst();
    return key;
}

} // namespace

ProposalService::ProposalService(Database &db, const Parameters &parameters, const NationalFormats &formats)
    : m_db(db), m_params(parameters), m_formats(formats)
{
}

QString ProposalService::incompleteLineText()
{
    return QStringLiteral("Completati toate datele articolului!");
}

QString ProposalService::duplicateLineText()
{
    return QStringLiteral("Acest articol a fost selectat de prea multe ori!");
}

QString ProposalService::overStockText()
{
    return QStringLiteral("Cantitatea acestui articol depaseste cantitatea din stoc!");
}

QString ProposalService::overStockBlockText()
{
    return QStringLiteral("Cantitatea unui articol depaseste cantitatea din stoc!");
}

QString ProposalService::unknownBudgetText(const QString &code)
{
    return QStringLiteral("Clientul <") + code
        + QStringLiteral("> nu figureaza în catalog. Apasati Ctrl-Enter pentru a selecta din catalog !");
}

QString ProposalService::negativeStockQuestion()
{
    return QStringLiteral("Atentie, creati stocuri negative! \nRespectivele mijloace fixe nu vor fi incluse in "
                          "documentul de iesire.\nDoriti sa continuati?");
}

QString ProposalService::deleteQuestionText()
{
    return QStringLiteral("Sterg documentul curent?");
}

QString ProposalService::saveQuestionText()
{
    return QStringLiteral("Salvez documentul curent?");
}

bool ProposalService::isComplete(const ExitLine &l)
{
    return !l.unit.isEmpty() && !l.group.isEmpty() && !l.article.isEmpty() && l.quantity;
}

std::optional<double> ProposalService::open() const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT MAX(\"Contor\") FROM \"Doc_prof\""));
    if (!q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toDouble();
}

QString ProposalService::firstUnit() const
{
    return ManagementUnits(m_db).first();
}

ProposalHeader ProposalService::newProposal(const QDate &date)
{
    return m_db.writeTransaction([&] {
        ProposalHeader header;
        header.contor = Counter(m_db).allocate(Counter::Kind::Prof);
        header.registered = date;
        header.date = date;
        TableRow::insert(m_db, QStringLiteral("Doc_prof"), header.fieldValues());
        return header;
    });
}

std::optional<ProposalHeader> ProposalService::loadHeader(double contor) const
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT * FROM \"Doc_prof\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    if (!q.next())
        return std::nullopt;
    return ProposalHeader::fromRecord(q.record());
}

QString ProposalService::headerRefusal(const ProposalHeader &h, bool hasLines) const
{
    if (!h.registered.isValid() || !h.number || !h.date.isValid())
        return HeaderChecks::datesMissingText();
    if (h.date > h.registered)
        return HeaderChecks::futureDateText();
    if (!hasLines)
        return HeaderChecks::noLinesText();
    if (h.dueDate.isValid() && h.dueDate < h.date)
        return QStringLiteral("Data scadentei platii nu poate fi mai mica decit data documentului!");
    if (!h.client.isEmpty()) {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Client\" WHERE \"Cod_client\" = :c"),
                               {{QStringLiteral(":c"), h.client}});
        if (!q.next())
            return unknownBudgetText(h.client);
    }
    return {};
}

void ProposalService::saveHeader(const ProposalHeader &header)
{
    m_db.writeTransaction([&] {
        const QString refusal = headerRefusal(header, ProposalLineStore(m_db).hasLines(header.contor));
        if (!refusal.isEmpty())
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
        TableRow::upsert(m_db, QStringLiteral("Doc_prof"), header.fieldValues(), {QStringLiteral("Contor")});
    });
}

void ProposalService::deleteProposal(double contor)
{
    m_db.writeTransaction([&] {
        ProposalLineStore(m_db).removeAll(contor);
        Counter(m_db).giveBack(Counter::Kind::Prof, contor);
        m_db.run(QStringLiteral("DELETE FROM \"Doc_prof\" WHERE \"Contor\" = :c"), {{QStringLiteral(":c"), contor}});
    });
}

QList<ExitLine> ProposalService::lines(double contor) const
{
    return ProposalLineStore(m_db).lines(contor);
}

std::optional<ExitLine> ProposalService::loadLine(double contor, double contorSecundar) const
{
    return ProposalLineStore(m_db).load(contor, contorSecundar);
}

ProposalService::LineSave ProposalService::saveLine(ExitLine line)
{
    if (!isComplete(line))
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, incompleteLineText());
    return m_db.writeTransaction([&] {
        ProposalLineStore store(m_db);
        std::optional<ExitLine> stored;
        if (line.contorSecundar)
            stored = store.load(line.contor, *line.contorSecundar);
        if (store.hasOtherLineFor(line.contor, stored ? line.contorSecundar : std::nullopt, line.group, line.article))
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, duplicateLineText());
        if (stored) {
            store.update(line);
        } else {
            line.contorSecundar = LineNumbers(m_db).next(LineNumbers::Table::ItemProf, line.contor);
            store.insert(line);
        }
        // Re-read as stored, so the sums below and the caller see the cut codes.
        LineSave result{*store.load(line.contor, *line.contorSecundar), false};
        result.overStock = stockOf(result.line.group, result.line.article) + m_params.epsilon
            < proposedOf(result.line.group, result.line.article);
        return result;
    });
}

bool ProposalService::deleteLine(double contor, double contorSecundar)
{
    return m_db.writeTransaction([&] {
        ProposalLineStore store(m_db);
        if (!store.load(contor, contorSecundar))
            return false;
        store.remove(contor, contorSecundar);
        return true;
    });
}

double ProposalService::stockOf(const QString &group, const QString &article) const
{
    return sumOf(m_db, "Stoc", group, article);
}

double ProposalService::proposedOf(const QString &group, const QString &article) const
{
    return sumOf(m_db, "Item_prof", group, article);
}

bool ProposalService::overStock(double contor) const
{
    for (const StockCheck &row : stockCheck(contor))
        if (isNegative(row))
            return true;
    return false;
}

QList<ProposalService::StockCheck> ProposalService::stockCheck(double contor) const
{
    QList<StockCheck> rows;
    ManagementUnits units(m_db);
    for (const ExitLine &line : lines(contor)) {
        StockCheck row;
        row.line = line;
        row.unitName = units.name(line.unit);
        row.name = assetName(stockKeyOf(m_db, line).group, line.article);
        row.inStock = stockOf(line.group, line.article);
        row.proposed = proposedOf(line.group, line.article);
        rows << row;
    }
    return rows;
}

bool ProposalService::isNegative(const StockCheck &row) const
{
    return row.final() < -m_params.epsilon;
}

ProposalService::Generation ProposalService::generate(double contor, const QDate &date)
{
    return m_db.writeTransaction([&] {
        const std::optional<ProposalHeader> proposal = loadHeader(contor);
        if (!proposal)
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, HeaderChecks::noLinesText());
        // What is left out is decided on the stock as it was before anything is taken.
        QList<ExitLine> taken;
        Generation result;
        for (const StockCheck &row : stockCheck(contor)) {
            if (isNegative(row))
                ++result.leftOut;
            else
                taken << row.line;
        }
        // A scrapping document without lines would only be refused by the exit window.
        if (taken.isEmpty())
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, HeaderChecks::noLinesText());

        ExitDocumentHeader header;
        header.contor = Counter(m_db).allocate(Counter::Kind::Out);
        header.registered = date;
        header.date = date;
        header.number = proposal->number;
        header.type = scrappingType();
        header.client = proposal->client;
        header.explanation = proposal->explanation;
        header.dueDate = proposal->dueDate;
        TableRow::insert(m_db, QStringLiteral("Doc_out"), header.fieldValues());
        result.exitContor = header.contor;

        ExitLineStore store(m_db);
        ExitStock stock(m_db, m_params.epsilon, m_formats);
        for (ExitLine line : taken) {
            line.contor = header.contor;
            const StockKey key = stockKeyOf(m_db, line);
            line.group = key.group;
            // A row gone or holding too little would leave `Stoc` below zero or apart
            // from what the recalculation rebuilds: the whole generation is refused.
            if (stock.change(key, -line.quantityOrZero()))
                throw DocumentRefusal(DocumentRefusal::Kind::Error, StockLedger::negativeStockText());
            store.insert(line);
            ++result.written;
        }
        return result;
    });
}

QString ProposalService::assetName(const QString &group, const QString &article) const
{
    const std::optional<EntryLine> line = EntryLineStore(m_db).firstForAsset(group, article);
    return line ? line->name : QString();
}
