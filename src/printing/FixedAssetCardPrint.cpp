#include "printing/FixedAssetCardPrint.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "printing/OrganisationRecord.h"
#include "printing/PrintRounding.h"
#include "printing/ReportEngine.h"

#include <algorithm>

namespace {

using Cell = ReportEngine::Cell;

QVariant optionalInt(const std::optional<int> &v)
{
    return v ? QVariant(double(*v)) : QVariant();
}

} // namespace

FixedAssetCardPrint::FixedAssetCardPrint(QVector<FixedAssetCard> cards, int decimals)
    : m_cards(std::move(cards)), m_decimals(std::max(0, decimals))
{
}

void FixedAssetCardPrint::loadOrganisation(Database &db, int firmNo)
{
    const OrganisationRecord org = OrganisationRecord::load(db, firmNo);
    m_organisation = QStringList{org.name, QStringLiteral("Cod fiscal: ") + org.fiscalCode,
                                 QStringLiteral("Adresa: ") + org.address};
}

QString FixedAssetCardPrint::amountMask() const
{
    return m_decimals > 0 ? QStringLiteral("#,##0.") + QString(m_decimals, QLatin1Char('0')) : QStringLiteral("#,##0");
}

QVector<ReportRow> FixedAssetCardPrint::rows() const
{
    QVector<ReportRow> out;
    for (const FixedAssetCard &c : m_cards) {
        ReportRow row(FieldCount);
        row[Group] = c.group;
        row[Classification] = c.classification;
        row[Article] = c.article;
        row[Provenance] = c.provenance;
        if (c.lot.isValid()) {
            row[YearInUse] = double(c.lot.year());
            row[MonthInUse] = double(c.lot.month());
        }
        row[Value] = PrintRounding::toDecimals(c.value, m_decimals);
        row[FullYear] = optionalInt(c.fullYear);
        row[FullMonth] = optionalInt(c.fullMonth);
        row[Monthly] = PrintRounding::toDecimals(c.monthly, 2);
        row[Name] = c.name;
        if (c.normalYears)
            row[NormalLife] = *c.normalYears;
        if (c.share)
            row[Share] = *c.share;
        out.append(row);
    }
    return out;
}

ReportDefinition FixedAssetCardPrint::definition() const
{
    const QString date = m_cards.isEmpty() ? QString() : NationalFormats::current().formatDate(m_cards.first().date);
    ReportDefinition d;
    d.title = jobTitle();
    d.companyLines = m_organisation;
    d.heading = title();
    d.subheadings = {QStringLiteral("la data de %1").arg(date)};
    d.columns = {
        ReportColumn::make(QStringLiteral("Grupa"), Group, 7, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Codul de clasificare"), Classification, 11, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Nr. inventar"), Article, 11, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Fel, serie, nr. data document provenienta"), Provenance, 20),
        ReportColumn::make(QStringLiteral("Anul"), YearInUse, 6, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Luna"), MonthInUse, 5, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Valoarea de inventar"), Value, 12, Qt::AlignRight, amountMask()),
        ReportColumn::make(QStringLiteral("Anul"), FullYear, 6, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Luna"), FullMonth, 5, Qt::AlignHCenter),
        ReportColumn::make(QStringLiteral("Amortizare lunara"), Monthly, 11, Qt::AlignRight, QStringLiteral("#,##0.00")),
    };
    d.headingSpans = {{4, 5, QStringLiteral("Data darii in folosinta")},
                      {7, 8, QStringLiteral("Data amortizarii complete")}};
    return d;
}

ReportDocument FixedAssetCardPrint::document(const PageSetup &page) const
{
    const ReportDefinition def = definition();
    ReportEngine engine(def, page);
    double total = 0;
    for (const ReportColumn &c : def.columns)
        total += c.width;
    const QVector<ReportRow> values = rows();
    for (int i = 0; i < m_cards.size(); ++i) {
        const FixedAssetCard &card = m_cards[i];
        if (i > 0)
            engine.newPage();
        // The values boxed under the column headings of the page header.
        QVector<Cell> cells;
        double from = 0;
        for (const ReportColumn &c : def.columns) {
            const double to = from + c.width / total;
            cells.append(Cell{from, to, ReportEngine::cellText(values[i][c.field], c.mask), false, c.align});
            from = to;
        }
        engine.grid(cells, 2);
        engine.textLine(QString());

        engine.grid({Cell{0, 0.55, QStringLiteral("Denumirea mijlocului fix si caracteristici tehnice"), true, Qt::AlignHCenter},
                     Cell{0.55, 0.7, QStringLiteral("Durata normala de functionare"), true, Qt::AlignHCenter},
                     Cell{0.7, 0.85, QStringLiteral("Accesorii"), true, Qt::AlignHCenter},
                     Cell{0.85, 1, QStringLiteral("Cota de amortizare"), true, Qt::AlignHCenter}},
                    2, true);
        const QString life = card.normalYears ? formatNumber(*card.normalYears, QString()) + QStringLiteral(" ani")
                                              : QString();
        engine.grid({Cell{0, 0.55, card.name}, Cell{0.55, 0.7, life, false, Qt::AlignHCenter}, Cell{0.7, 0.85, {}},
                     Cell{0.85, 1, card.shareText(), false, Qt::AlignHCenter}},
                    4);
        engine.textLine(QString());

        const double edges[] = {0, 0.12, 0.27, 0.55, 0.61, 0.71, 0.81, 0.9, 1};
        const QString headings[] = {QStringLiteral("Nr. inventar de la numar la numar"),
                                    QStringLiteral("Documentul (data, felul, numarul)"),
                                    QStringLiteral("Operatiunile care privesc miscarea, cresterea sau diminuarea valorii mijlocului fix"),
                                    QStringLiteral("Buc."),
                                    QStringLiteral("Debit"),
                                    QStringLiteral("Credit"),
                                    QStringLiteral("Sold"),
                                    QStringLiteral("Soldul contului 105 \"Rezerve din reevaluare\"")};
        QStringList line(8);
        if (card.hasMovement) {
            line[0] = card.article;
            line[1] = card.movementDocument;
            line[2] = card.movementText;
            line[3] = formatNumber(card.quantity, QString());
        }
        QVector<Cell> head, movement;
        for (int c = 0; c < 8; ++c) {
            head.append(Cell{edges[c], edges[c + 1], headings[c], true, Qt::AlignHCenter});
            movement.append(Cell{edges[c], edges[c + 1], line[c], false, c == 3 ? Qt::AlignRight : Qt::AlignLeft});
        }
        engine.grid(head, 3, true);
        engine.grid(movement, 2);
    }
    return engine.finish();
}

ReportDefinition FixedAssetCardPrint::csvDefinition()
{
    ReportDefinition d;
    d.title = title();
    const std::pair<const char *, int> names[] = {
        {"Grupa", Group}, {"Cod_grupa", Classification}, {"Cod_articol", Article}, {"Provenienta", Provenance},
        {"AnPIF", YearInUse}, {"LunaPIF", MonthInUse}, {"Valoare", Value}, {"AnAmortizareCompleta", FullYear},
        {"LunaAmortizareCompleta", FullMonth}, {"AmortizareLunara", Monthly}, {"Denumire", Name},
        {"DurataNormala", NormalLife}, {"Cota", Share}};
    for (const auto &[name, field] : names) {
        ReportColumn c = ReportColumn::make(QString::fromLatin1(name), field, 10);
        c.csvName = c.caption;
        d.columns.append(c);
    }
    return d;
}
