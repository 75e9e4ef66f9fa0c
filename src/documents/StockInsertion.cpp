#include "documents/StockInsertion.h"

#include "app/Parameters.h"
#include "db/Database.h"
#include "documents/DocumentRefusal.h"
#include "documents/EntryComputations.h"
#include "documents/InitialStock.h"

#include <QSqlQuery>
#include <QVariant>

#include <cmath>

bool StockInsertion::Row::isBlank() const
{
    return group.isEmpty() && article.isEmpty() && name.isEmpty() && !price && quantity == 0 && agent.isEmpty()
        && barCode.isEmpty();
}

StockInsertion::Row StockInsertion::newRow(const QString &unit) const
{
    Row row;
    row.unit = unit;
    const QDate initial = InitialStock(m_db, m_params.epsilon).date();
    row.lot = initial.isValid() ? initial : QDate::currentDate();
    return row;
}

QStringList StockInsertion::missing(const Row &row) const
{
    QStringList gaps;
    if (row.unit.trimmed().isEmpty())
        gaps << QStringLiteral("Gestiune");
    if (row.group.trimmed().isEmpty())
        gaps << QStringLiteral("Cod clasificare");
    if (row.article.trimmed().isEmpty())
        gaps << QStringLiteral("Nr. inventar");
    if (row.name.trimmed().isEmpty())
        gaps << QStringLiteral("Denumire");
    if (!row.price)
        gaps << QStringLiteral("Valoare unitara");
    // A quantity that counts as zero would bring nothing into stock.
    if (std::abs(row.quantity) < m_params.epsilon)
        gaps << QStringLiteral("Cantitate");
    if (!row.lot.isValid())
        gaps << QStringLiteral("Data PIF");
    return gaps;
}

QString StockInsertion::incompleteText(const QStringList &missing)
{
    return QStringLiteral("Completati toate datele inregistrarii!\nNecompletat: %1.")
        .arg(missing.join(QStringLiteral(", ")));
}

QString StockInsertion::negativeText()
{
    return QStringLiteral("Cantitatea si valoarea unitara nu pot fi negative!");
}

QString StockInsertion::unknownBudgetText(const QString &code)
{
    return QStringLiteral("Bugetul <%1> nu exista în nomenclator!").arg(code);
}

EntryLine StockInsertion::insert(const Row &row)
{
    const QStringList gaps = missing(row);
    if (!gaps.isEmpty())
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, incompleteText(gaps));
    if (row.quantity < 0 || *row.price < 0)
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, negativeText());
    const EntryComputations computations(m_db, m_params);
    const QString group = row.group.trimmed();
    if (!computations.groupExists(group))
        throw DocumentRefusal(DocumentRefusal::Kind::Warning, EntryComputations::unknownGroupText(group));
    const QString agent = row.agent.trimmed();
    if (!agent.isEmpty()) {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Client\" WHERE \"Cod_client\" = :c"),
                               {{QStringLiteral(":c"), agent}});
        if (!q.next())
            throw DocumentRefusal(DocumentRefusal::Kind::Warning, unknownBudgetText(agent));
    }

    EntryLine line;
    line.contor = InitialStock::documentNumber;
    line.unit = row.unit.trimmed();
    line.group = group;
    line.article = row.article.trimmed();
    line.name = row.name.trimmed();
    line.priceLei = row.price;
    line.quantity = row.quantity;
    line.lot = row.lot;
    line.agent = agent;
    line.barCode = row.barCode.trimmed();
    line.domain = defaultDomain();
    line.calcAmortizare = EntryComputations::depreciatedFor(line.domain);
    line.durataTotala = computations.durationRange(group).middleMonths();
    line.durataRamasa = line.durataTotala;
    line.valoareAmortizata = 0;

    InitialStock stock(m_db, m_params.epsilon);
    return m_db.writeTransaction([&] {
        stock.ensureDocument(QDate::currentDate());
        return stock.saveLine(line);
    });
}
