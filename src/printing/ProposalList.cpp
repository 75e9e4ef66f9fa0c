#include "printing/ProposalList.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "printing/ReportEngine.h"
#include "printing/ScrappingList.h"

#include <QSqlQuery>

namespace {

using F = ScrappingList::Field;

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
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
    const QString match = QStringLiteral("substr(I.\"Cod_grupa\", 1, 8) = P.\"Cod_grupa\" AND I.\"Cod_articol\" = P.\"Cod_articol\"");
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT P.\"Cod_gestiune\", G.\"Denumire\", P.\"Cod_grupa\", %1, P.\"Cod_articol\", P.\"Lot\", "
                       "P.\"Cantitate\", %2, P.\"Pret_achizitie\", P.\"Agent\", C.\"Nume_client\" "
                       "FROM \"Item_prof\" P LEFT JOIN \"Gest\" G ON G.\"Cod\" = P.\"Cod_gestiune\" "
                       "LEFT JOIN \"Client\" C ON C.\"Cod_client\" = P.\"Agent\" "
                       "WHERE P.\"Contor\" = :Contor "
                       "ORDER BY P.\"Cod_gestiune\", P.\"Cod_grupa\", P.\"Cod_articol\", P.\"Contor_secundar\"")
            .arg(ScrappingList::firstEntryField(match, "Denumire"), ScrappingList::firstEntryField(match, "DurataTotala")),
        {{QStringLiteral(":Contor"), contor}});
    // Two decimals: the months past the normal life are read to the hundredth.
    m_rows = ScrappingList::readLines(q, m_header.date, 2);
    return true;
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
    ScrappingList::printByUnit(engine, def, m_rows);
    return engine.finish();
}

ReportDefinition ProposalList::csvDefinition()
{
    ReportDefinition d = ScrappingList::csvDefinition();
    d.title = title();
    return d;
}
