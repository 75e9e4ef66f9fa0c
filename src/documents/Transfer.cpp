#include "documents/Transfer.h"

#include "app/Parameters.h"
#include "app/Status.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/Counter.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryDocumentHeader.h"
#include "documents/EntryLineStore.h"
#include "documents/ExitDocumentHeader.h"
#include "documents/ExitDocumentService.h"
#include "documents/ExitLineStore.h"
#include "documents/ExitPayments.h"
#include "documents/HeaderChecks.h"
#include "documents/ManagementUnits.h"
#include "documents/StockLedger.h"
#include "documents/TableRow.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

// Sale fields of a line handed over at cost: the sale price is the acquisition price,
// with no VAT and no equivalent price.
bool atCost(ExitLine &line)
{
    const bool already = line.salePrice == line.price && line.tva && *line.tva == 0
        && line.salePriceUsd.value_or(0) == 0;
    if (already)
        return false;
    line.salePrice = line.price;
    line.tva = 0;
    line.salePriceUsd = 0;
    return true;
}

} // namespace

QString Transfer::alreadyTransferredText(double entryContor)
{
    return QStringLiteral("Atentie! Documentul curent a fost deja transferat (documentul de intrare nr. %1)! "
                          "Un nou transfer ar introduce a doua oara aceleasi mijloace fixe în gestiunea primitoare!")
        .arg(QString::number(entryContor, 'f', 0));
}

QString Transfer::noReceivingUnitText()
{
    return QStringLiteral("Selectati gestiunea catre care se efectueaza transferul:");
}

QString Transfer::workingText()
{
    return QStringLiteral("Operez transferul; generez un document de intrare...");
}

QString Transfer::doneText()
{
    return QStringLiteral("OK. Transfer incheiat.");
}

QString Transfer::entryAccessErrorText(const QString &engineMessage)
{
    return QStringLiteral("Eroare de acces la documentele de intrare!\n") + engineMessage;
}

std::optional<double> Transfer::earlierTransfer(double contor) const
{
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT D.\"Contor\" FROM \"Doc_in\" D JOIN \"Doc_out\" X ON X.\"Contor\" = :c "
                       "WHERE D.\"Tip\" = :bt AND D.\"Numar\" = X.\"Numar\" "
                       "AND D.\"Data_inregistrarii\" = X.\"Data_inregistrarii\" AND D.\"Data\" = X.\"Data\" "
                       "AND D.\"Explicatie\" LIKE :expl "
                       "AND EXISTS (SELECT 1 FROM \"Item_in\" I JOIN \"Item_out\" O ON O.\"Contor\" = X.\"Contor\" "
                       "AND O.\"Cod_grupa\" = I.\"Cod_grupa\" AND O.\"Cod_articol\" = I.\"Cod_articol\" "
                       "AND O.\"Pret_achizitie\" = I.\"Pret_achizitie_lei\" AND O.\"Lot\" IS I.\"Lot\" "
                       "AND O.\"Agent\" IS I.\"Agent\" AND O.\"Cod_gestiune\" <> I.\"Cod_gestiune\" "
                       "WHERE I.\"Contor\" = D.\"Contor\") "
                       "ORDER BY D.\"Contor\" LIMIT 1"),
        {{QStringLiteral(":c"), contor},
         {QStringLiteral(":bt"), ExitDocumentHeader::transferType()},
         {QStringLiteral(":expl"), entryExplanationPrefix() + QLatin1Char('%')}});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toDouble();
}

double Transfer::run(double contor, const QString &receivingUnit, std::optional<double> currentLine)
{
    Status::show(workingText());
    double entryContor = 0;
    try {
        entryContor = m_db.writeTransaction([&] {
            ExitDocumentService service(m_db, m_params);
            std::optional<ExitDocumentHeader> header = service.loadHeader(contor);
            ExitLineStore lineStore(m_db);
            QList<ExitLine> lines = lineStore.lines(contor);
            if (!header)
                throw DocumentRefusal(DocumentRefusal::Kind::Warning, HeaderChecks::noLinesText());
            if (receivingUnit.isEmpty())
                throw DocumentRefusal(DocumentRefusal::Kind::Warning, noReceivingUnitText());
            ManagementUnits units(m_db);
            if (!units.exists(receivingUnit))
                throw DocumentRefusal(DocumentRefusal::Kind::Warning,
                                      ExitDocumentService::unknownReceivingUnitText(receivingUnit));
            header->type = ExitDocumentHeader::transferType();
            header->explanation = exitExplanation();
            header->client = receivingUnit;
            header->dueDate = QDate();
            const QString refusal = HeaderChecks::refusal(header->type, header->registered, header->number, header->date,
                                                          !lines.isEmpty());
            if (!refusal.isEmpty())
                throw DocumentRefusal(DocumentRefusal::Kind::Warning, refusal);
            if (const std::optional<double> earlier = earlierTransfer(contor))
                throw DocumentRefusal(DocumentRefusal::Kind::Warning, alreadyTransferredText(*earlier));
            TableRow::upsert(m_db, QStringLiteral("Doc_out"), header->fieldValues(), {QStringLiteral("Contor")});
            ExitPayments(m_db).followHeader(contor, receivingUnit, header->registered);

            QString sourceUnit = lines.first().unit;
            for (const ExitLine &line : lines)
                if (currentLine && line.contorSecundar == currentLine)
                    sourceUnit = line.unit;
            EntryDocumentHeader entry;
            entry.contor = Counter(m_db).allocate(Counter::Kind::In);
            entry.registered = header->registered;
            entry.number = header->number;
            entry.date = header->date;
            entry.type = ExitDocumentHeader::transferType();
            entry.explanation = entryExplanationPrefix() + units.name(sourceUnit);
            TableRow::insert(m_db, QStringLiteral("Doc_in"), entry.fieldValues());

            EntryLineStore entryLines(m_db);
            StockLedger ledger(m_db, m_params.epsilon);
            // Transfer lines are numbered from 0, unlike the lines typed in the entry window.
            double number = 0;
            for (ExitLine &line : lines) {
                if (atCost(line))
                    lineStore.update(line);
                // A line left at zero holds no asset: it brings nothing in.
                if (line.quantityOrZero() == 0)
                    continue;
                EntryLine in;
                in.contor = entry.contor;
                in.contorSecundar = number++;
                in.unit = receivingUnit;
                in.group = line.group;
                in.article = line.article;
                in.quantity = line.quantity;
                in.lot = line.lot;
                in.priceLei = line.price;
                in.tva = 0;
                in.agent = line.agent;
                if (const std::optional<EntryLine> asset = entryLines.firstForAsset(line.group, line.article)) {
                    in.name = asset->name;
                    in.domain = asset->domain;
                    in.calcAmortizare = asset->calcAmortizare;
                    in.durataTotala = asset->durataTotala;
                    in.durataRamasa = asset->durataRamasa;
                    in.valoareAmortizata = asset->valoareAmortizata;
                }
                QSqlQuery accounts = m_db.run(QStringLiteral("SELECT \"Cont_marfa\", \"Cont_TVA_Intrari\" FROM \"Catalog\" "
                                                             "WHERE \"Grupa\" = :g AND \"Cod\" = :a"),
                                              {{QStringLiteral(":g"), line.group}, {QStringLiteral(":a"), line.article}});
                if (accounts.next()) {
                    in.contMarfa = accounts.value(0).toString();
                    in.contTvaIntrari = accounts.value(1).toString();
                }
                ledger.ChangeStock(in.stockKey(), in.quantityOrZero());
                entryLines.insert(in);
            }
            return entry.contor;
        });
    } catch (const DbError &e) {
        throw DocumentRefusal(DocumentRefusal::Kind::Error, entryAccessErrorText(e.engineMessage()), true);
    }
    Status::show(doneText());
    return entryContor;
}
