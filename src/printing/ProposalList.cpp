#include "printing/ProposalList.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "printing/PrintRounding.h"
#include "printing/ReportEngine.h"
#include "printing/ScrappingList.h"
#include "reports/AssetWear.h"

#include <QSqlQuery>

namespace {

using F = ScrappingList::Field;

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

QString unitCaption(const ReportRow &r)
{
    const QString name = r[F::UnitName].toString();
    return name.isEmpty() ? r[F::Unit].toString() : name;
}

ReportColumn wrapped(ReportColumn c)
{
    c.wrap = true;
    return c;
}

} // namespace

ProposalList::ProposalList(Database &db, int firmNo) : m_db(db), m_firmNo(firmNo) {}

bool ProposalList::load(double contor)
{
    m_header = Header();
    m_rows.clear();
    QSqlQuery h = m_db.run(QStringLiteral("SELECT \"Contor\", \"Numar\", \"Data\" FROM \"Doc_prof\" WHERE (\"Contor\" = :Contor)"),
                           {{QStringLiteral(":Contor"), contor}});
    if (!h.next())
        return false;
    m_header.contor = h.value(0).toDouble();
    if (!h.value(1).isNull())
        m_header.number = h.value(1).toDouble();
    m_header.date = isoDate(h.value(2));
    h.finish();

    m_organisation = OrganisationRecord::load(m_db, m_firmNo);

    // Name and normal life come from the asset's first entry line, whatever its unit;
    // the proposal line keeps only the first 8 characters of the classification code.
    const QString first = QStringLiteral("(SELECT I.\"%1\" FROM \"Item_in\" I WHERE substr(I.\"Cod_grupa\", 1, 8) = P.\"Cod_grupa\" "
                                         "AND I.\"Cod_articol\" = P.\"Cod_articol\" "
                                         "ORDER BY I.\"Contor\", I.\"Contor_secundar\" LIMIT 1)");
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT P.\"Cod_gestiune\", G.\"Denumire\", P.\"Cod_grupa\", %1, P.\"Cod_articol\", P.\"Lot\", "
                       "P.\"Cantitate\", %2, P.\"Pret_achizitie\", P.\"Agent\", C.\"Nume_client\" "
                       "FROM \"Item_prof\" P LEFT JOIN \"Gest\" G ON G.\"Cod\" = P.\"Cod_gestiune\" "
                       "LEFT JOIN \"Client\" C ON C.\"Cod_client\" = P.\"Agent\" "
                       "WHERE P.\"Contor\" = :Contor "
                       "ORDER BY P.\"Cod_gestiune\", P.\"Cod_grupa\", P.\"Cod_articol\", P.\"Contor_secundar\"")
            .arg(first.arg(QStringLiteral("Denumire")), first.arg(QStringLiteral("DurataTotala"))),
        {{QStringLiteral(":Contor"), contor}});
    while (q.next()) {
        ReportRow row(F::FieldCount);
        row[F::Unit] = q.value(0).toString();
        row[F::UnitName] = q.value(1).toString();
        row[F::Group] = q.value(2).toString();
        row[F::Name] = q.value(3).toString();
        row[F::Article] = q.value(4).toString();
        const QDate lot = isoDate(q.value(5));
        if (lot.isValid())
            row[F::Lot] = lot;
        row[F::YearMonth] = AssetWear::yearMonth(lot);
        const double quantity = q.value(6).toDouble();
        const double price = q.value(8).toDouble();
        if (!q.value(6).isNull())
            row[F::Quantity] = quantity;
        std::optional<double> life;
        if (!q.value(7).isNull())
            life = q.value(7).toDouble();
        if (const auto wear = AssetWear::compute(lot, life, m_header.date)) {
            row[F::Norm] = double(wear->months);
            // Two decimals: the months past the normal life are read to the hundredth.
            row[F::Expired] = PrintRounding::toDecimals(wear->expired, 2);
            row[F::Wear] = wear->wear;
        } else if (life) {
            row[F::Norm] = double(AssetWear::wholeMonths(*life));
        }
        if (!q.value(8).isNull())
            row[F::Price] = price;
        row[F::Value] = PrintRounding::toDecimals(quantity * price, 2);
        row[F::Agent] = q.value(9).toString();
        row[F::Budget] = QStringList{row[F::Agent].toString(), q.value(10).toString()}.join(QLatin1Char(' ')).trimmed();
        m_rows.append(row);
    }
    return true;
}

QVector<ProposalList::UnitTotal> ProposalList::unitTotals() const
{
    QVector<UnitTotal> totals;
    for (const ReportRow &r : m_rows) {
        if (totals.isEmpty() || totals.last().unit != r[F::Unit].toString())
            totals.append({r[F::Unit].toString(), unitCaption(r), 0});
        totals.last().value = PrintRounding::toDecimals(totals.last().value + r[F::Value].toDouble(), 2);
    }
    return totals;
}

double ProposalList::generalTotal() const
{
    double sum = 0;
    for (const UnitTotal &t : unitTotals())
        sum += t.value;
    return PrintRounding::toDecimals(sum, 2);
}

ReportDefinition ProposalList::definition() const
{
    const NationalFormats &formats = NationalFormats::current();
    const QString amounts = ScrappingList::amountMask();
    ReportDefinition d;
    d.title = title();
    d.companyLines = m_organisation.identificationLines();
    d.heading = title();
    d.subheadings = {QStringLiteral("la data %1").arg(formats.formatLongDate(m_header.date))};
    d.columns = {
        ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 6, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Cod de clasificare"), F::Group, 13),
        wrapped(ReportColumn::make(QStringLiteral("Denumire mijloc fix"), F::Name, 36)),
        ReportColumn::make(QStringLiteral("Numar inventar"), F::Article, 14),
        ReportColumn::make(QStringLiteral("Anul si luna darii in folosinta"), F::YearMonth, 14, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Cantitate"), F::Quantity, 10, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("normata"), F::Norm, 8, Qt::AlignRight, ScrappingList::monthsMask()),
        ReportColumn::make(QStringLiteral("peste normata"), F::Expired, 9, Qt::AlignRight, amounts),
        ReportColumn::make(QStringLiteral("  Stare    uzura    %"), F::Wear, 9, Qt::AlignRight, QStringLiteral("0.00")),
        ReportColumn::make(QStringLiteral("Pret unitar"), F::Price, 14, Qt::AlignRight, amounts),
        ReportColumn::make(QStringLiteral("Valoare lei"), F::Value, 15, Qt::AlignRight, amounts, true),
        wrapped(ReportColumn::make(QStringLiteral("Cod buget"), F::Budget, 26)),
    };
    d.headingSpans = {{6, 7, QStringLiteral("Durata in luni")}};
    const QString number = m_header.number ? formatNumber(*m_header.number, QString()) : QString();
    d.footerLeft = QStringLiteral("%1 - propunerea nr. %2 din %3").arg(title(), number, formats.formatLongDate(m_header.date));
    return d;
}

ReportDocument ProposalList::document(const PageSetup &page) const
{
    const ReportDefinition def = definition();
    ReportEngine engine(def, page);
    int valueColumn = 0;
    for (int i = 0; i < def.columns.size(); ++i)
        if (def.columns[i].field == F::Value)
            valueColumn = i;
    const QVector<UnitTotal> totals = unitTotals();
    QVector<double> sums(def.columns.size(), 0.0);
    int unit = -1;
    int number = 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        const ReportRow &row = m_rows[i];
        if (i == 0 || row[F::Unit] != m_rows[i - 1][F::Unit]) {
            ++unit;
            number = 0;
            engine.groupHeader(QStringLiteral("Gestiunea: %1").arg(unitCaption(row)));
        }
        engine.detail(row, ++number);
        if (i + 1 == m_rows.size() || m_rows[i + 1][F::Unit] != row[F::Unit]) {
            sums[valueColumn] = totals[unit].value;
            engine.totals(QStringLiteral("Total gestiunea: %1").arg(totals[unit].name), sums);
        }
    }
    sums[valueColumn] = generalTotal();
    engine.totals(QStringLiteral("Total general:"), sums, true);
    return engine.finish();
}

ReportDefinition ProposalList::csvDefinition()
{
    ReportDefinition d = ScrappingList::csvDefinition();
    d.title = title();
    return d;
}
