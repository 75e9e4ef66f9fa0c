#include "printing/MovementNote.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "printing/PrintRounding.h"
#include "printing/ReportEngine.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

QString longDate(const QDate &d)
{
    return NationalFormats::current().formatLongDate(d);
}

ReportColumn csvColumn(const char *name, int field)
{
    ReportColumn c = ReportColumn::make(QString::fromLatin1(name), field, 10);
    c.csvName = c.caption;
    return c;
}

// Long names go on more lines rather than being cut.
ReportColumn wrapped(ReportColumn c)
{
    c.wrap = true;
    return c;
}

} // namespace

MovementNote::MovementNote(Database &db, int firmNo, int leiDecimals)
    : m_db(db), m_firmNo(firmNo), m_decimals(leiDecimals)
{
}

bool MovementNote::load(double contor)
{
    m_header = Header();
    m_rows.clear();
    // `Gestionar` comes with the upgrade of a directory; one not yet upgraded has no custodians.
    const bool keepers = m_db.connection().record(QStringLiteral("Gest")).contains(QStringLiteral("Gestionar"));
    QSqlQuery h = m_db.run(
        QStringLiteral("SELECT D.\"Contor\", D.\"Numar\", D.\"Tip\", D.\"Data_inregistrarii\", D.\"Data\", "
                       "D.\"Explicatie\", G.\"Denumire\", %1 "
                       "FROM \"Doc_out\" D LEFT JOIN \"Gest\" G ON G.\"Cod\" = D.\"Client\" "
                       "WHERE D.\"Contor\" = :Contor")
            .arg(keepers ? QStringLiteral("G.\"Gestionar\"") : QStringLiteral("NULL")),
        {{QStringLiteral(":Contor"), contor}});
    if (!h.next())
        return false;
    m_header.contor = h.value(0).toDouble();
    if (!h.value(1).isNull())
        m_header.number = h.value(1).toDouble();
    m_header.type = h.value(2).toString();
    m_header.registered = isoDate(h.value(3));
    m_header.date = isoDate(h.value(4));
    m_header.explanation = h.value(5).toString();
    m_header.receivingName = h.value(6).toString();
    m_header.receivingKeeper = h.value(7).toString();
    h.finish();

    m_organisation = OrganisationRecord::load(m_db, m_firmNo);

    // The name comes from the asset's first entry line in the unit it leaves; an asset
    // that never entered that unit by an entry line takes the name of its first entry line.
    QSqlQuery q = m_db.run(
        QStringLiteral(
            "SELECT O.\"Cod_gestiune\", O.\"Cod_grupa\", O.\"Cod_articol\", "
            "COALESCE((SELECT I.\"Denumire\" FROM \"Item_in\" I WHERE I.\"Cod_gestiune\" = O.\"Cod_gestiune\" "
            "AND I.\"Cod_grupa\" = O.\"Cod_grupa\" AND I.\"Cod_articol\" = O.\"Cod_articol\" "
            "ORDER BY I.\"Contor\", I.\"Contor_secundar\" LIMIT 1), "
            "(SELECT I.\"Denumire\" FROM \"Item_in\" I WHERE I.\"Cod_grupa\" = O.\"Cod_grupa\" "
            "AND I.\"Cod_articol\" = O.\"Cod_articol\" ORDER BY I.\"Contor\", I.\"Contor_secundar\" LIMIT 1)), "
            "O.\"Agent\", O.\"Cantitate\", O.\"Pret_achizitie\", G.\"Denumire\" "
            "FROM \"Item_out\" O LEFT JOIN \"Gest\" G ON G.\"Cod\" = O.\"Cod_gestiune\" "
            "WHERE O.\"Contor\" = :Contor "
            "ORDER BY O.\"Cod_gestiune\", O.\"Cod_articol\", O.\"Pret_achizitie\", O.\"Cod_grupa\", O.\"Contor_secundar\""),
        {{QStringLiteral(":Contor"), contor}});
    while (q.next()) {
        ReportRow row(FieldCount);
        row[Unit] = q.value(0).toString();
        row[Group] = q.value(1).toString();
        row[Article] = q.value(2).toString();
        row[Name] = q.value(3).toString();
        row[Agent] = q.value(4).toString();
        if (!q.value(5).isNull())
            row[Quantity] = q.value(5).toDouble();
        if (!q.value(6).isNull())
            row[Price] = q.value(6).toDouble();
        row[Value] = PrintRounding::toDecimals(q.value(5).toDouble() * q.value(6).toDouble(), 2);
        m_rows.append(row);
        const QString unitName = q.value(7).isNull() ? row[Unit].toString() : q.value(7).toString();
        if (!m_header.handingNames.contains(unitName))
            m_header.handingNames.append(unitName);
    }
    return true;
}

double MovementNote::total() const
{
    double sum = 0;
    for (const ReportRow &r : m_rows)
        sum += r[Value].toDouble();
    return PrintRounding::toDecimals(sum, 2);
}

QString MovementNote::priceMask() const
{
    return QStringLiteral("#,##0.00") + QString(std::max(0, m_decimals - 2), QLatin1Char('#'));
}

ReportDefinition MovementNote::definition(bool explanation) const
{
    const Header &h = m_header;
    ReportDefinition d;
    d.title = title();
    d.companyLines = m_organisation.identificationLines();
    d.heading = heading();
    d.subheadings = {QStringLiteral("Nr %1   Data %2").arg(formatNumber(h.contor, QString()), longDate(h.registered)),
                     QStringLiteral("GESTIUNE PREDATOARE : %1").arg(h.handingNames.join(QStringLiteral(", "))),
                     QStringLiteral("GESTIUNE PRIMITOARE : %1").arg(h.receivingName)};
    if (explanation && !h.explanation.isEmpty())
        d.subheadings << h.explanation;
    ReportColumn value = ReportColumn::make(QStringLiteral("Valoare"), Value, 18, Qt::AlignRight, valueMask(), true);
    d.columns = {
        ReportColumn::make(QStringLiteral("Nr.crt."), ReportColumn::RunningNumber, 7, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Cod de clasificare"), Group, 16),
        ReportColumn::make(QStringLiteral("Numar inventar"), Article, 18),
        wrapped(ReportColumn::make(QStringLiteral("Denumire"), Name, 58)),
        ReportColumn::make(QStringLiteral("Cod buget"), Agent, 10),
        ReportColumn::make(QStringLiteral("Canti-tatea"), Quantity, 11, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Pret unitar "), Price, 17, Qt::AlignRight, priceMask()),
        value,
    };
    d.footerLeft = QStringLiteral("%1 nr. %2 din %3").arg(heading(), formatNumber(h.contor, QString()), longDate(h.registered));
    return d;
}

ReportDocument MovementNote::document(const PageSetup &page, bool explanation) const
{
    const ReportDefinition def = definition(explanation);
    ReportEngine engine(def, page);
    int number = 0;
    for (const ReportRow &row : m_rows)
        engine.detail(row, ++number);
    QVector<double> sums(def.columns.size(), 0.0);
    sums[def.columns.size() - 1] = total();
    engine.totals(QStringLiteral("TOTAL:"), sums, true);

    // The signatures stay together on one page.
    using Cell = ReportEngine::Cell;
    engine.keepRows(7);
    engine.textLine(QString());
    engine.cells({Cell{0.02, 0.32, QStringLiteral("PREDATOR:"), true},
                  Cell{0.36, 0.66, QStringLiteral("PRIMITOR:"), true},
                  Cell{0.72, 0.98, QStringLiteral("Aprobat,"), true}});
    engine.cells({Cell{0.36, 0.66, m_header.receivingKeeper}});
    engine.textLine(QString());
    engine.cells({Cell{0.02, 0.28, {}, false, Qt::AlignLeft, true}, Cell{0.36, 0.62, {}, false, Qt::AlignLeft, true},
                  Cell{0.72, 0.96, {}, false, Qt::AlignLeft, true}});
    return engine.finish();
}

ReportDefinition MovementNote::csvDefinition()
{
    ReportDefinition d;
    d.title = title();
    d.columns = {csvColumn("Cod_gestiune", Unit),   csvColumn("Cod_grupa", Group), csvColumn("Cod_articol", Article),
                 csvColumn("Denumire", Name),       csvColumn("Agent", Agent),     csvColumn("Cantitate", Quantity),
                 csvColumn("Pret_achizitie", Price), csvColumn("Valoare", Value)};
    return d;
}
