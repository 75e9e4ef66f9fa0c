#include "documents/ReceptionNote.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"
#include "db/Database.h"
#include "printing/ReportEngine.h"

#include <QSqlQuery>

#include <cmath>

namespace {

constexpr double kMmPerPt = 25.4 / 72.0;

QDate isoDate(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString(), Qt::ISODate);
}

QString longDate(const QDate &d)
{
    return NationalFormats::current().formatLongDate(d);
}

// Texts placed beside the rows the engine reserved for the closing block.
class BlockPainter
{
public:
    BlockPainter(ReportDocument &doc, int page, double top, double rowHeight)
        : m_doc(doc), m_page(doc.pages[page]), m_top(top), m_row(rowHeight)
    {
    }

    double rowTop(int row) const { return m_top + row * m_row; }

    void text(int row, double left, double right, const QString &text, int font = 0,
              Qt::Alignment align = Qt::AlignLeft)
    {
        const GlyphCache &g = *m_doc.fonts[font];
        const double pad = 0.8;
        const double width = g.width(text) * kMmPerPt;
        double x = left + pad;
        if (align & Qt::AlignRight)
            x = right - pad - width;
        const QRectF cell(left, rowTop(row), right - left, m_row);
        const double baseline =
            cell.top() + (cell.height() - g.lineHeight() * kMmPerPt) / 2 + g.ascent() * kMmPerPt;
        m_page.texts.append({QPointF(x, baseline), cell, text, font});
    }

    // A line to sign or write on, at the foot of the row.
    void rule(int row, double left, double right)
    {
        const double y = rowTop(row + 1) - 0.6;
        m_page.lines.append({QPointF(left, y), QPointF(right, y), 0.15});
    }

private:
    ReportDocument &m_doc;
    ReportPage &m_page;
    double m_top;
    double m_row;
};

const int kBlockRows = 11;

} // namespace

ReceptionNote::ReceptionNote(Database &db, int leiDecimals) : m_db(db), m_decimals(leiDecimals) {}

double ReceptionNote::roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // Through 15 significant digits, so 2.675 rounds up as it is printed.
    const double scaled = QString::number(value * scale, 'g', 15).toDouble();
    const double r = std::round(scaled) / scale;
    return r == 0 ? 0.0 : r;
}

bool ReceptionNote::load(double contor)
{
    m_header = Header();
    m_rows.clear();
    // The supplier is joined optionally: a document without one still prints its own data.
    QSqlQuery h = m_db.run(
        QStringLiteral("SELECT D.\"Contor\", D.\"Numar\", D.\"Tip\", D.\"Data\", D.\"Data_inregistrarii\", "
                       "D.\"Explicatie\", D1.\"Nume_furnizor\", D1.\"Adresa\", D1.\"Cod_fiscal\" "
                       "FROM \"Doc_in\" D LEFT JOIN \"Furn\" D1 ON D1.\"Cod_furnizor\" = D.\"Furnizor\" "
                       "WHERE D.\"Contor\" = :Counter"),
        {{QStringLiteral(":Counter"), contor}});
    if (!h.next())
        return false;
    m_header.contor = h.value(0).toDouble();
    if (!h.value(1).isNull())
        m_header.number = h.value(1).toDouble();
    m_header.type = h.value(2).toString();
    m_header.date = isoDate(h.value(3));
    m_header.registered = isoDate(h.value(4));
    m_header.explanation = h.value(5).toString();
    m_header.supplierName = h.value(6).toString();
    m_header.supplierAddress = h.value(7).toString();
    m_header.supplierFiscalCode = h.value(8).toString();

    QSqlQuery q = m_db.run(
        QStringLiteral("SELECT I.\"Cod_articol\", I.\"Denumire\", C.\"Unitate_masura\", I.\"Cantitate\", "
                       "I.\"Pret_achizitie_lei\", I.\"TVA\", I.\"Agent\" "
                       "FROM \"Item_in\" I LEFT JOIN \"Catalog\" C "
                       "ON C.\"Grupa\" = I.\"Cod_grupa\" AND C.\"Cod\" = I.\"Cod_articol\" "
                       "WHERE I.\"Contor\" = :Counter ORDER BY I.\"Contor_secundar\""),
        {{QStringLiteral(":Counter"), contor}});
    while (q.next()) {
        ReportRow row(FieldCount);
        row[Article] = q.value(0).toString();
        row[Name] = q.value(1).toString();
        row[Unit] = q.value(2).toString();
        const double quantity = q.value(3).toDouble();
        const double price = q.value(4).toDouble();
        if (!q.value(3).isNull())
            row[Quantity] = quantity;
        if (!q.value(4).isNull())
            row[Price] = price;
        // Rounded as printed: the totals below add exactly what the lines show.
        row[Value] = roundTo(quantity * price, m_decimals);
        row[Tva] = roundTo(q.value(5).toDouble(), 2);
        row[Agent] = q.value(6).toString();
        m_rows.append(row);
    }
    return true;
}

ReceptionNote::Totals ReceptionNote::totals() const
{
    Totals t;
    for (const ReportRow &r : m_rows) {
        t.value += r[Value].toDouble();
        t.tva += r[Tva].toDouble();
        t.document += r[Value].toDouble() + r[Tva].toDouble();
    }
    // Sums of rounded amounts: only the binary noise of the additions is taken away.
    const int decimals = std::max(m_decimals, 2);
    t.value = roundTo(t.value, m_decimals);
    t.tva = roundTo(t.tva, 2);
    t.document = roundTo(t.document, decimals);
    return t;
}

QString ReceptionNote::amountMask() const
{
    return QStringLiteral("#,##0.") + QString(std::max(0, m_decimals), QLatin1Char('#'));
}

QString ReceptionNote::footerText() const
{
    const QString number = m_header.number ? formatNumber(*m_header.number, QString()) : QString();
    return QStringLiteral("Nota de receptie la documentul nr. %1 data %2").arg(number, longDate(m_header.date));
}

ReportDefinition ReceptionNote::definition() const
{
    const Header &h = m_header;
    ReportDefinition d;
    d.title = title();
    d.companyLines = {QStringLiteral("Furnizor: %1").arg(h.supplierName), h.supplierAddress,
                      h.supplierFiscalCode.isEmpty() ? QString()
                                                     : QStringLiteral("C.F. %1").arg(h.supplierFiscalCode)};
    d.heading = title();
    const QString number = h.number ? formatNumber(*h.number, QString()) : QString();
    d.subheadings = {QStringLiteral("la documentul nr. %1 data %2").arg(number, longDate(h.date)),
                     QStringLiteral("Nr. : %1 din data %2")
                         .arg(formatNumber(h.contor, QString()), longDate(h.registered))};
    if (!h.explanation.isEmpty())
        d.subheadings << h.explanation;
    const QString amount = amountMask();
    d.columns = {
        ReportColumn::make(QStringLiteral("Nr. crt."), ReportColumn::RunningNumber, 7, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Cod"), Article, 17),
        ReportColumn::make(QStringLiteral("Denumire"), Name, 44),
        ReportColumn::make(QStringLiteral("U.M."), Unit, 7),
        ReportColumn::make(QStringLiteral("Cantitate"), Quantity, 11, Qt::AlignRight),
        ReportColumn::make(QStringLiteral("Pret achizitie"), Price, 16, Qt::AlignRight, amount),
        ReportColumn::make(QStringLiteral("Valoare"), Value, 17, Qt::AlignRight, amount),
        ReportColumn::make(QStringLiteral("TVA"), Tva, 14, Qt::AlignRight, tvaMask()),
        ReportColumn::make(QStringLiteral("Cod buget"), Agent, 9),
    };
    d.footerLeft = footerText();
    return d;
}

ReportDocument ReceptionNote::document(const PageSetup &page) const
{
    const ReportDefinition def = definition();
    ReportEngine engine(def, page);
    int number = 0;
    for (const ReportRow &row : m_rows)
        engine.detail(row, ++number);
    // The engine keeps the closing block on one page; its first row carries
    // "Receptionat," and the rest is placed beside the rows it reserved.
    engine.keepRows(kBlockRows + 1);
    engine.textLine(QString());
    engine.textLine(QStringLiteral("Receptionat,"));
    for (int i = 1; i < kBlockRows; ++i)
        engine.textLine(QString());
    ReportDocument doc = engine.finish();
    placeClosingBlock(doc, def);
    return doc;
}

void ReceptionNote::placeClosingBlock(ReportDocument &doc, const ReportDefinition &def) const
{
    const QString marker = QStringLiteral("Receptionat,");
    const int page = doc.pageOf(marker);
    if (page < 0)
        return;
    const ReportText *anchor = doc.find(page, marker);
    const double left = anchor->cell.left();
    const double width = anchor->cell.width();
    const double right = left + width;

    // Column edges as the engine scales them to the table's width.
    double total = 0;
    for (const ReportColumn &c : def.columns)
        total += std::max(0.0, c.width);
    QVector<double> x{left};
    for (const ReportColumn &c : def.columns)
        x.append(x.last() + std::max(0.0, c.width) * width / total);
    auto edge = [&](int field) {
        for (int i = 0; i < def.columns.size(); ++i)
            if (def.columns[i].field == field)
                return i;
        return 0;
    };
    const int valueCol = edge(Value);
    const int priceCol = edge(Price);

    BlockPainter p(doc, page, anchor->cell.top(), anchor->cell.height());
    // Closes the table under its last line (the blank row above the block).
    const double under = anchor->cell.top() - anchor->cell.height() + 0.3;
    doc.pages[page].lines.append({QPointF(left, under), QPointF(right, under), 0.15});
    const Totals t = totals();
    const QString amount = amountMask();
    const struct
    {
        QString caption;
        double value;
        QString mask;
    } sums[] = {{QStringLiteral("Valoare totala:"), t.value, amount},
                {QStringLiteral("Total TVA:"), t.tva, tvaMask()},
                {QStringLiteral("Total document:"), t.document, amount}};
    for (int i = 0; i < 3; ++i) {
        p.text(i, x[priceCol], x[valueCol], sums[i].caption, 1);
        p.text(i, x[valueCol], x[valueCol + 1], formatNumber(sums[i].value, sums[i].mask), 1, Qt::AlignRight);
    }

    // Signature block: the commission with two name/signature pairs, then the receiving
    // custodian on the right.
    const double pair = width * 0.34;
    const double name = pair * 0.58;
    const double keeper = left + 2 * pair + width * 0.04;
    p.text(4, left, keeper, QStringLiteral("Comisia de receptie"), 1);
    p.text(4, keeper, right, QStringLiteral("Primit in gestiune"), 1);
    for (int k = 0; k < 2; ++k) {
        const double x0 = left + k * pair;
        p.text(5, x0, x0 + name, QStringLiteral("Numele si prenumele"));
        p.text(5, x0 + name, x0 + pair, QStringLiteral("Semnatura"));
        for (int row : {7, 9}) {
            p.rule(row, x0 + 1, x0 + name - 3);
            p.rule(row, x0 + name + 1, x0 + pair - 5);
        }
    }
    const double label = (right - keeper) * 0.38;
    p.text(7, keeper, keeper + label, QStringLiteral("Data"));
    p.rule(7, keeper + label, right - 1);
    p.text(9, keeper, keeper + label, QStringLiteral("Semnatura"));
    p.rule(9, keeper + label, right - 1);
}
