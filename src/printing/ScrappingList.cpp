#include "printing/ScrappingList.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "printing/PrintRounding.h"
#include "printing/ReportEngine.h"
#include "reports/AssetWear.h"

#include <QSqlQuery>

namespace {

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

ReportColumn csvColumn(const char *name, int field)
{
    ReportColumn c = ReportColumn::make(QString::fromLatin1(name), field, 10);
    c.csvName = c.caption;
    return c;
}

QString unitCaption(const ReportRow &r)
{
    const QString name = r[ScrappingList::UnitName].toString();
    return name.isEmpty() ? r[ScrappingList::Unit].toString() : name;
}

// Long names go on more lines rather than being cut.
ReportColumn wrapped(ReportColumn c)
{
    c.wrap = true;
    return c;
}

} // namespace

ScrappingList::ScrappingList(Database &db, int firmNo) : m_db(db), m_firmNo(firmNo) {}

bool ScrappingList::load(double contor)
{
    m_header = Header();
    m_rows.clear();
    QSqlQuery h = m_db.run(QStringLiteral("SELECT \"Contor\", \"Numar\", \"Tip\", \"Data\" FROM \"Doc_out\" "
                                          "WHERE (\"Contor\" = :Contor)"),
                           {{QStringLiteral(":Contor"), contor}});
    if (!h.next())
        return false;
    m_header.contor = h.value(0).toDouble();
    if (!h.value(1).isNull())
        m_header.number = h.value(1).toDouble();
    m_header.type = h.value(2).toString();
    m_header.date = isoDate(h.value(3));
    h.finish();

    m_organisation = OrganisationRecord::load(m_db, m_firmNo);

    const QString match = QStringLiteral("I.\"Cod_grupa\" = O.\"Cod_grupa\" AND I.\"Cod_articol\" = O.\"Cod_articol\"");
    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT O.\"Cod_gestiune\", G.\"Denumire\", O.\"Cod_grupa\", %1, O.\"Cod_articol\", O.\"Lot\", "
                       "O.\"Cantitate\", %2, O.\"Pret_achizitie\", O.\"Agent\", C.\"Nume_client\" "
                       "FROM \"Item_out\" O LEFT JOIN \"Gest\" G ON G.\"Cod\" = O.\"Cod_gestiune\" "
                       "LEFT JOIN \"Client\" C ON C.\"Cod_client\" = O.\"Agent\" "
                       "WHERE O.\"Contor\" = :Contor "
                       "ORDER BY O.\"Cod_gestiune\", O.\"Cod_grupa\", O.\"Cod_articol\", O.\"Contor_secundar\"")
            .arg(firstEntryField(match, "Denumire"), firstEntryField(match, "DurataTotala")),
        {{QStringLiteral(":Contor"), contor}});
    m_rows = readLines(q, m_header.date, 0);
    return true;
}

ReportDefinition ScrappingList::definition() const
{
    const NationalFormats &formats = NationalFormats::current();
    ReportDefinition d;
    d.title = title();
    d.companyLines = m_organisation.identificationLines();
    d.heading = title();
    d.subheadings = {QStringLiteral("data %1").arg(formats.formatLongDate(m_header.date))};
    d.columns = {
        ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 6, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Cod de clasificare"), Group, 13),
        wrapped(ReportColumn::make(QStringLiteral("Denumire mijloc fix"), Name, 38)),
        ReportColumn::make(QStringLiteral("Numar inventar"), Article, 14),
        ReportColumn::make(QStringLiteral("Anul si luna darii in folosinta"), YearMonth, 14, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Cantitate"), Quantity, 10, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Norm."), Norm, 8, Qt::AlignRight, monthsMask()),
        ReportColumn::make(QStringLiteral("Expir."), Expired, 8, Qt::AlignRight, monthsMask()),
        ReportColumn::make(QStringLiteral("  Stare    uzura    %"), Wear, 9, Qt::AlignRight, QStringLiteral("0.00")),
        ReportColumn::make(QStringLiteral("Pret unitar"), Price, 14, Qt::AlignRight, amountMask()),
        ReportColumn::make(QStringLiteral("Valoare lei"), Value, 15, Qt::AlignRight, amountMask(), true),
        wrapped(ReportColumn::make(QStringLiteral("Cod buget"), Budget, 28)),
    };
    d.headingSpans = {{6, 7, QStringLiteral("Dur. serv. - luni")}};
    const QString number = m_header.number ? formatNumber(*m_header.number, QString()) : QString();
    d.footerLeft = QStringLiteral("%1 - document nr. %2 din %3").arg(title(), number, formats.formatLongDate(m_header.date));
    return d;
}

ReportDocument ScrappingList::document(const PageSetup &page, bool comment, const QString &closingText) const
{
    const ReportDefinition def = definition();
    ReportEngine engine(def, page);
    printByUnit(engine, def, m_rows);
    if (comment && !closingText.trimmed().isEmpty()) {
        engine.textLine(QString());
        engine.paragraph(closingText);
    }
    return engine.finish();
}

QVector<ReportRow> ScrappingList::readLines(QSqlQuery &q, const QDate &at, int expiredDecimals)
{
    QVector<ReportRow> rows;
    while (q.next()) {
        ReportRow row(FieldCount);
        row[Unit] = q.value(0).toString();
        row[UnitName] = q.value(1).toString();
        row[Group] = q.value(2).toString();
        row[Name] = q.value(3).toString();
        row[Article] = q.value(4).toString();
        const QDate lot = isoDate(q.value(5));
        if (lot.isValid())
            row[Lot] = lot;
        row[YearMonth] = AssetWear::yearMonth(lot);
        const double quantity = q.value(6).toDouble();
        const double price = q.value(8).toDouble();
        if (!q.value(6).isNull())
            row[Quantity] = quantity;
        std::optional<double> life;
        if (!q.value(7).isNull())
            life = q.value(7).toDouble();
        if (const auto wear = AssetWear::compute(lot, life, at)) {
            row[Norm] = double(wear->months);
            row[Expired] = PrintRounding::toDecimals(wear->expired, expiredDecimals);
            row[Wear] = wear->wear;
        } else if (life) {
            row[Norm] = double(AssetWear::wholeMonths(*life));
        }
        if (!q.value(8).isNull())
            row[Price] = price;
        row[Value] = PrintRounding::toDecimals(quantity * price, 2);
        row[Agent] = q.value(9).toString();
        row[Budget] = QStringList{row[Agent].toString(), q.value(10).toString()}.join(QLatin1Char(' ')).trimmed();
        rows.append(row);
    }
    return rows;
}

QString ScrappingList::firstEntryField(const QString &match, const char *field)
{
    return QStringLiteral("(SELECT I.\"%1\" FROM \"Item_in\" I WHERE %2 ORDER BY I.\"Contor\", I.\"Contor_secundar\" LIMIT 1)")
        .arg(QString::fromLatin1(field), match);
}

void ScrappingList::printByUnit(ReportEngine &engine, const ReportDefinition &def, const QVector<ReportRow> &rows)
{
    int valueColumn = 0;
    for (int i = 0; i < def.columns.size(); ++i)
        if (def.columns[i].field == Value)
            valueColumn = i;
    QVector<double> sums(def.columns.size(), 0.0);
    double unitTotal = 0;
    double general = 0;
    int number = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const ReportRow &row = rows[i];
        if (i == 0 || row[Unit] != rows[i - 1][Unit]) {
            number = 0;
            unitTotal = 0;
            engine.groupHeader(QStringLiteral("Gestiunea: %1").arg(unitCaption(row)));
        }
        engine.detail(row, ++number);
        unitTotal = PrintRounding::toDecimals(unitTotal + row[Value].toDouble(), 2);
        if (i + 1 == rows.size() || rows[i + 1][Unit] != row[Unit]) {
            sums[valueColumn] = unitTotal;
            engine.totals(QStringLiteral("Total gestiunea: %1").arg(unitCaption(row)), sums);
            general += unitTotal;
        }
    }
    sums[valueColumn] = PrintRounding::toDecimals(general, 2);
    engine.totals(QStringLiteral("Total general:"), sums, true);
}

ReportDefinition ScrappingList::csvDefinition()
{
    ReportDefinition d;
    d.title = title();
    d.columns = {csvColumn("Cod_gestiune", Unit),  csvColumn("Cod_grupa", Group),        csvColumn("Cod_articol", Article),
                 csvColumn("Denumire", Name),      csvColumn("AnLuna", YearMonth),       csvColumn("Cantitate", Quantity),
                 csvColumn("Norm", Norm),          csvColumn("Expir", Expired),          csvColumn("Proc", Wear),
                 csvColumn("Pret_achizitie", Price), csvColumn("Valoare", Value),        csvColumn("Agent", Agent)};
    return d;
}
