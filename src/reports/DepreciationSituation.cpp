#include "reports/DepreciationSituation.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"
#include "printing/PrintRounding.h"
#include "reports/SituationCsv.h"
#include "reports/SituationLines.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

double cents(double v)
{
    return DepreciationSituation::printedAmount(v);
}

ReportRow reportRow(const SituationLine &l)
{
    using F = DepreciationSituation::Field;
    ReportRow row(F::FieldCount);
    row[F::Unit] = QString::fromUtf8(l.unit);
    row[F::UnitName] = QString::fromUtf8(l.unitName);
    row[F::Account] = QString::fromUtf8(l.account);
    row[F::MainGroup] = QString::fromUtf8(l.mainGroup);
    row[F::MainGroupName] = QString::fromUtf8(l.mainGroupName);
    row[F::Group] = QString::fromUtf8(l.group);
    row[F::GroupName] = QString::fromUtf8(l.groupName);
    row[F::Article] = QString::fromUtf8(l.article);
    row[F::Name] = QString::fromUtf8(l.name);
    row[F::Domain] = QString::fromUtf8(l.domain);
    row[F::Price] = l.price;
    row[F::Quantity] = l.result.Cantitate;
    row[F::Value] = cents(l.result.Valoare);
    row[F::Lot] = l.lot;
    row[F::TotalDuration] = l.totalDuration;
    row[F::RemainingDuration] = l.remainingDuration;
    row[F::InitialDepreciation] = cents(l.initialDepreciation);
    row[F::Monthly] = cents(l.result.AmortizareLunara);
    row[F::Computed] = cents(l.result.AmortizareCalculata);
    row[F::UpdatedDuration] = l.result.DurataRamasaActualizata;
    row[F::Remaining] = cents(l.result.ValoareRamasa);
    return row;
}

} // namespace

QVector<ReportRow> DepreciationSituation::build(SituationKind kind, const Options &options, bool *documents)
{
    QVector<ReportRow> rows;
    // Only the first situation reads its lines in print order; the others are sorted.
    std::vector<std::pair<QByteArray, ReportRow>> keyed;
    const bool sorted = kind == SituationKind::AtDate;
    const bool any = SituationLines(m_db).read(kind, options, [&](const SituationLine &l) {
        if (sorted)
            rows.append(reportRow(l));
        else
            keyed.emplace_back(SituationCsv::printKey(kind, l), reportRow(l));
    });
    if (!sorted) {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        rows.reserve(qsizetype(keyed.size()));
        for (auto &k : keyed)
            rows.append(std::move(k.second));
    }
    if (documents)
        *documents = any;
    return rows;
}

double DepreciationSituation::printedAmount(double value)
{
    // Away from a half cent the binary value rounds as its decimal text does (the margin
    // covers the 15 significant digits the masks read); only near one is the text asked.
    const double x = value * 100;
    if (std::isfinite(x) && std::fabs(x) < 1e15) {
        const double fraction = x - std::floor(x);
        if (std::fabs(fraction - 0.5) > 1e-6 + std::fabs(x) * 1e-14) {
            const double r = std::round(x) / 100;
            return r == 0 ? 0.0 : r;
        }
    }
    return PrintRounding::toDecimals(value, 2);
}

void DepreciationSituation::dropAnswerTable()
{
    SchemaWriter(m_db).dropTable(TVTables::answTmp().name(), QLatin1String(Database::privateSchema));
}

bool DepreciationSituation::readHeader(int firmNo, const QString &budget, SituationReport::Header &header)
{
    if (!budget.isEmpty()) {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Nume_client\" FROM \"Client\" WHERE \"Cod_client\" = :b"),
                               {{QStringLiteral(":b"), budget}});
        if (!q.next())
            return false;
        header.budgetName = q.value(0).toString();
    }
    QSqlQuery firm = m_db.run(QStringLiteral("SELECT \"Denumire\", \"Cod fiscal\", \"Adresa\" FROM \"Firmdata\" "
                                             "WHERE \"Cod\" = :n"),
                              {{QStringLiteral(":n"), firmNo}});
    if (firm.next()) {
        header.company = firm.value(0).toString();
        header.fiscalCode = firm.value(1).toString();
        header.address = firm.value(2).toString();
    }
    return true; // the queries end here, so that no reading holds the answer tables
}

bool DepreciationSituation::hasBudgets()
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Client\" LIMIT 1"));
    return q.next();
}
