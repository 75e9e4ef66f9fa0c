#include "reports/SituationReport.h"

#include "app/NationalFormats.h"
#include "printing/CsvOutput.h"
#include "printing/ReportEngine.h"
#include "reports/DepreciationSituation.h"

#include <QStringList>

#include <algorithm>

using F = DepreciationSituation::Field;

namespace {

const QString money = QStringLiteral("#,##0.00");
const int amountFields[5] = {F::Value, F::InitialDepreciation, F::Monthly, F::Computed, F::Remaining};

QString text(const ReportRow &r, int f)
{
    return r.value(f).toString();
}

// Names go on as many lines as they need rather than being cut.
ReportColumn wrapping(ReportColumn c)
{
    c.wrap = true;
    return c;
}

QVector<ReportColumn> assetColumns()
{
    return {
        ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 7, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Numar de inventar"), F::Article, 16),
        wrapping(ReportColumn::make(QStringLiteral("Denumire produs"), F::Name, 40)),
        ReportColumn::make(QStringLiteral("Dome-niu"), F::Domain, 9),
        ReportColumn::make(QStringLiteral("Valoare de inventar"), F::Value, 17, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Data folosinta"), F::Lot, 13, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Durata de amor-tizare"), F::TotalDuration, 10, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Durata ramasa initiala"), F::RemainingDuration, 10, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Valoarea amor-tizata initiala"), F::InitialDepreciation, 17, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Amortizare lunara"), F::Monthly, 15, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Amortizare calculata"), F::Computed, 17, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Durata ramasa"), F::UpdatedDuration, 9, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Valoarea ramasa"), F::Remaining, 17, Qt::AlignRight, money, true),
    };
}

QVector<ReportColumn> summaryColumns(SituationKind kind)
{
    const bool units = kind == SituationKind::SummaryByAccount;
    return {
        ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 7, Qt::AlignRight),
        units ? ReportColumn::make(QStringLiteral("Gestiunea"), F::Unit, 14)
              : ReportColumn::make(QStringLiteral("Cod de clasificare"), F::Group, 18),
        wrapping(ReportColumn::make(QStringLiteral("Denumire"), units ? F::UnitName : F::GroupName, 50)),
        ReportColumn::make(QStringLiteral("Valoare de inventar"), F::Value, 20, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Val. amorti-zata initiala"), F::InitialDepreciation, 20, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Amortiza-re lunara"), F::Monthly, 20, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Amortizare calculata"), F::Computed, 20, Qt::AlignRight, money, true),
        ReportColumn::make(QStringLiteral("Valoarea ramasa"), F::Remaining, 20, Qt::AlignRight, money, true),
    };
}

ReportGroup group(int key, std::function<QString(const ReportRow &)> header,
                  std::function<QString(const ReportRow &)> footer, bool newPage = false, bool restart = false)
{
    ReportGroup g;
    g.keyField = key;
    g.header = std::move(header);
    g.footer = std::move(footer);
    g.newPage = newPage;
    g.restartNumbering = restart;
    return g;
}

QString amount(double v)
{
    const QString s = QString::number(DepreciationSituation::printedAmount(v), 'f', 2);
    return s == QLatin1String("-0.00") ? QStringLiteral("0.00") : s;
}

void addAmounts(ReportRow &into, const ReportRow &from)
{
    for (int f : amountFields)
        into[f] = DepreciationSituation::printedAmount(into[f].toDouble() + from.value(f).toDouble());
}

QVector<double> columnSums(const ReportDefinition &def, const double amounts[5])
{
    QVector<double> sums(def.columns.size(), 0.0);
    for (int c = 0; c < def.columns.size(); ++c)
        for (int i = 0; i < 5; ++i)
            if (def.columns[c].field == amountFields[i])
                sums[c] = amounts[i];
    return sums;
}

SituationReport::Breakdown breakdownOf(const QString &key, const ReportRow &row)
{
    SituationReport::Breakdown b;
    b.key = key;
    for (int i = 0; i < 5; ++i)
        b.amounts[i] = row.value(amountFields[i]).toDouble();
    return b;
}

} // namespace

namespace SituationReport {

QString mainGroupKey(const QString &group)
{
    const qsizetype dot = group.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : group.left(dot + 1);
}

void addTo(QVector<Breakdown> &list, const Breakdown &entry)
{
    for (Breakdown &b : list)
        if (b.key == entry.key) {
            for (int i = 0; i < 5; ++i)
                b.amounts[i] = DepreciationSituation::printedAmount(b.amounts[i] + entry.amounts[i]);
            return;
        }
    list.append(entry);
}

ReportDefinition definition(SituationKind kind, const Header &header)
{
    const NationalFormats &formats = NationalFormats::current();
    ReportDefinition d;
    d.title = QStringLiteral("Situatia amortizarii");
    d.companyLines = {header.company, QStringLiteral("Cod fiscal: %1").arg(header.fiscalCode),
                      QStringLiteral("Adresa: %1").arg(header.address)};
    d.heading = SituationKinds::heading(kind);
    if (SituationKinds::isSummary(kind) && header.onlyUndepreciated)
        d.subheadings << QStringLiteral("(numai cele neamortizate)");
    d.subheadings << QStringLiteral("la data %1").arg(formats.formatDate(header.date));
    if (!header.budgetName.isEmpty())
        d.subheadings << QStringLiteral("Buget: %1").arg(header.budgetName);
    d.footerLeft = formats.formatDate(header.printed);
    d.pageNumberText = QStringLiteral("Pagina %1");

    auto unitFooter = [](const ReportRow &r) { return QStringLiteral("Total pe gestiunea: %1").arg(text(r, F::Unit)); };
    auto groupHeader = [](const ReportRow &r) {
        return QStringLiteral("Grupa : %1 %2").arg(text(r, F::Group), text(r, F::GroupName));
    };
    auto groupFooter = [](const ReportRow &r) { return QStringLiteral("Total pe grupa : %1").arg(text(r, F::Group)); };

    switch (kind) {
    case SituationKind::AtDate:
        d.columns = assetColumns();
        // The name of the unit the page lists, after the heading.
        d.pageHeaderText = [](const ReportRow &r) {
            const QString name = text(r, F::UnitName);
            return name.isEmpty() ? text(r, F::Unit) : name;
        };
        d.groups = {group(F::Unit, nullptr, unitFooter, true), group(F::Group, groupHeader, groupFooter, false, true)};
        d.summaryCaption = QStringLiteral("Total general");
        break;
    case SituationKind::ByAccount:
        d.columns = assetColumns();
        d.groups = {
            group(F::Account, [](const ReportRow &r) { return QStringLiteral("Cont: %1").arg(text(r, F::Account)); },
                  [](const ReportRow &r) { return QStringLiteral("Total pe contul: %1").arg(text(r, F::Account)); },
                  true),
            group(F::MainGroup,
                  [](const ReportRow &r) {
                      return QStringLiteral("Grupa principala: %1 %2").arg(text(r, F::MainGroup), text(r, F::MainGroupName));
                  },
                  [](const ReportRow &r) {
                      return QStringLiteral("Total pe grupa principala: %1").arg(text(r, F::MainGroup));
                  }),
            group(F::Unit,
                  [](const ReportRow &r) {
                      return QStringLiteral("Gestiunea: %1 %2").arg(text(r, F::Unit), text(r, F::UnitName));
                  },
                  unitFooter),
            group(F::Group, groupHeader, groupFooter, false, true)};
        d.summaryCaption = QStringLiteral("Total general");
        break;
    case SituationKind::Summary:
        d.columns = summaryColumns(kind);
        d.summaryCaption = QStringLiteral("Total general");
        break;
    case SituationKind::SummaryByAccount:
        d.columns = summaryColumns(kind);
        d.groups = {
            group(F::Account, [](const ReportRow &r) { return QStringLiteral("Contul: %1").arg(text(r, F::Account)); },
                  [](const ReportRow &r) { return QStringLiteral("Total pe contul: %1").arg(text(r, F::Account)); },
                  true, true),
            group(F::MainGroup,
                  [](const ReportRow &r) {
                      return QStringLiteral("Grupa: %1 %2").arg(text(r, F::MainGroup), text(r, F::MainGroupName));
                  },
                  [](const ReportRow &r) { return QStringLiteral("Total pe grupa: %1").arg(text(r, F::MainGroup)); })};
        d.summaryCaption = QStringLiteral("Total general:");
        break;
    }
    return d;
}

QVector<ReportRow> printedLines(SituationKind kind, const QVector<ReportRow> &assetLines)
{
    if (!SituationKinds::isSummary(kind))
        return assetLines;
    // Summary lines keyed by unit and group (third) or account, main group and unit
    // (fourth); the asset lines arrive in that order.
    auto sameLine = [kind](const ReportRow &a, const ReportRow &b) {
        if (kind == SituationKind::Summary)
            return a[F::Unit] == b[F::Unit] && a[F::Group] == b[F::Group];
        return a[F::Account] == b[F::Account] && a[F::MainGroup] == b[F::MainGroup] && a[F::Unit] == b[F::Unit];
    };
    QVector<ReportRow> lines;
    for (const ReportRow &row : assetLines) {
        if (lines.isEmpty() || !sameLine(lines.last(), row)) {
            ReportRow line = row;
            for (int f : amountFields)
                line[f] = 0.0;
            lines.append(line);
        }
        addAmounts(lines.last(), row);
    }
    return lines;
}

ReportDocument document(SituationKind kind, const Header &header, const QVector<ReportRow> &assetLines,
                        const PageSetup &page)
{
    const ReportDefinition def = definition(kind, header);
    const QVector<ReportRow> lines = printedLines(kind, assetLines);
    if (kind != SituationKind::Summary)
        return ReportEngine::build(def, lines, page);

    // Group lines per unit, each unit's totals with its main-group breakdown in the
    // order of first appearance; the grand total's breakdown sorted by key.
    ReportEngine engine(def, page);
    QVector<Breakdown> reportList;
    double grand[5] = {0, 0, 0, 0, 0};
    for (int i = 0; i < lines.size();) {
        const QString unit = text(lines[i], F::Unit);
        engine.groupHeader(QStringLiteral("Gestiunea: %1 %2").arg(unit, text(lines[i], F::UnitName)));
        QVector<Breakdown> unitList;
        double unitSums[5] = {0, 0, 0, 0, 0};
        int counter = 0;
        for (; i < lines.size() && text(lines[i], F::Unit) == unit; ++i) {
            engine.detail(lines[i], ++counter);
            const Breakdown b = breakdownOf(mainGroupKey(text(lines[i], F::Group)), lines[i]);
            for (int k = 0; k < 5; ++k)
                unitSums[k] = DepreciationSituation::printedAmount(unitSums[k] + b.amounts[k]);
            if (!b.key.isEmpty())
                addTo(unitList, b);
        }
        // The unit's total, "din care" and its breakdown on one page.
        engine.keepTogether(1, 1 + int(unitList.size()));
        engine.totals(QStringLiteral("Total pe gestiunea: %1").arg(unit), columnSums(def, unitSums));
        engine.textLine(QStringLiteral("din care, grupa: "));
        for (const Breakdown &b : unitList) {
            engine.totals(b.key, columnSums(def, b.amounts));
            addTo(reportList, b);
        }
        for (int k = 0; k < 5; ++k)
            grand[k] = DepreciationSituation::printedAmount(grand[k] + unitSums[k]);
    }
    std::sort(reportList.begin(), reportList.end(),
              [](const Breakdown &a, const Breakdown &b) { return a.key < b.key; });
    engine.keepTogether(1, 1 + int(reportList.size()));
    engine.totals(def.summaryCaption, columnSums(def, grand), true);
    engine.textLine(QStringLiteral("din care, grupa: "));
    for (const Breakdown &b : reportList)
        engine.totals(b.key, columnSums(def, b.amounts));
    return engine.finish();
}

QString csv(SituationKind kind, const QVector<ReportRow> &assetLines)
{
    QStringList header;
    QVector<int> fields;
    if (SituationKinds::byAccount(kind)) {
        header << QStringLiteral("Cont_sint") << QStringLiteral("Cod_material");
        fields << F::Account << F::MainGroup;
    }
    switch (kind) {
    case SituationKind::AtDate:
    case SituationKind::ByAccount:
        header << QStringLiteral("Cod_Gestiune,Cod_grupa,Cod_articol,Denumire,Domeniu,Pret_achizitie,Cantitate,"
                                 "Valoare,Lot,DurataTotala,DurataRamasa,ValoareAmortizata,AmortizareLunara,"
                                 "AmortizareCalculata,DurataRamasaActualizata,ValoareRamasa");
        fields << F::Unit << F::Group << F::Article << F::Name << F::Domain << F::Price << F::Quantity << F::Value
               << F::Lot << F::TotalDuration << F::RemainingDuration << F::InitialDepreciation << F::Monthly
               << F::Computed << F::UpdatedDuration << F::Remaining;
        break;
    case SituationKind::Summary:
        header << QStringLiteral("Cod_Gestiune,Cod_grupa,Denumire");
        fields << F::Unit << F::Group << F::GroupName;
        break;
    case SituationKind::SummaryByAccount:
        header << QStringLiteral("Cod_Gestiune,Denumire");
        fields << F::Unit << F::UnitName;
        break;
    }
    if (SituationKinds::isSummary(kind)) {
        header << QStringLiteral("Valoare,ValoareAmortizata,AmortizareLunara,AmortizareCalculata,ValoareRamasa");
        for (int f : amountFields)
            fields << f;
    }
    auto isAmount = [](int f) { return std::find(std::begin(amountFields), std::end(amountFields), f) != std::end(amountFields); };
    QString out = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const ReportRow &row : printedLines(kind, assetLines)) {
        QStringList cells;
        for (int f : fields)
            cells << (isAmount(f) ? amount(row.value(f).toDouble()) : CsvOutput::field(row.value(f)));
        out += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

} // namespace SituationReport
