#include "reports/SituationCsv.h"

#include "reports/SituationLines.h"

#include <QIODevice>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace SituationCsv {

void appendText(QByteArray &out, QByteArrayView text)
{
    // A spreadsheet would take such a text for a formula: it keeps an apostrophe.
    const bool formula = !text.isEmpty()
                         && (text.front() == '=' || text.front() == '+' || text.front() == '-' || text.front() == '@');
    bool quote = formula;
    for (const char c : text)
        if (c == ',' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    if (!quote) {
        out.append(text);
        return;
    }
    out.append('"');
    if (formula)
        out.append('\'');
    for (const char c : text) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

void appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        return;
    // Below 2^53 the fewest characters that read back as the value are the shortest
    // digits the Qt formatting gives; beyond, both may differ in the last places.
    if (std::fabs(value) >= 1e15) {
        const QString s = QString::number(value, 'f', QLocale::FloatingPointShortest);
        out.append(s == QLatin1String("-0") ? QByteArray("0") : s.toLatin1());
        return;
    }
    char buffer[400]; // the longest fixed form, 5e-324, takes 327
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (r.ec != std::errc()) {
        out.append(QString::number(value, 'f', QLocale::FloatingPointShortest).toLatin1());
        return;
    }
    if (r.ptr - buffer == 2 && buffer[0] == '-' && buffer[1] == '0')
        out.append('0');
    else
        out.append(buffer, r.ptr - buffer);
}

void appendAmount(QByteArray &out, double value)
{
    const double v = DepreciationSituation::printedAmount(value);
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2);
    if (r.ec != std::errc()) {
        out.append(QString::number(v, 'f', 2).toLatin1());
        return;
    }
    if (r.ptr - buffer == 5 && std::memcmp(buffer, "-0.00", 5) == 0)
        out.append("0.00");
    else
        out.append(buffer, r.ptr - buffer);
}

void appendDate(QByteArray &out, const QDate &date)
{
    if (!date.isValid() || date.year() < 0 || date.year() > 9999)
        return;
    char buffer[16];
    const int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    out.append(buffer, n);
}

QByteArray printKey(SituationKind kind, const SituationLine &l)
{
    QByteArray key;
    key.reserve(l.account.size() + l.mainGroup.size() + l.unit.size() + l.group.size() + l.article.size() + 4);
    // '\0' never occurs in a code and orders before every byte: the parts compare in turn.
    if (SituationKinds::byAccount(kind))
        key.append(l.account).append('\0').append(l.mainGroup).append('\0');
    key.append(l.unit).append('\0').append(l.group).append('\0').append(l.article);
    return key;
}

namespace {

QByteArray header(SituationKind kind)
{
    QByteArray h = SituationKinds::byAccount(kind) ? "Cont_sint,Cod_material," : "";
    switch (kind) {
    case SituationKind::AtDate:
    case SituationKind::ByAccount:
        h += "Cod_Gestiune,Cod_grupa,Cod_articol,Denumire,Domeniu,Pret_achizitie,Cantitate,Valoare,Lot,DurataTotala,"
             "DurataRamasa,ValoareAmortizata,AmortizareLunara,AmortizareCalculata,DurataRamasaActualizata,"
             "ValoareRamasa";
        break;
    case SituationKind::Summary:
        h += "Cod_Gestiune,Cod_grupa,Denumire";
        break;
    case SituationKind::SummaryByAccount:
        h += "Cod_Gestiune,Denumire";
        break;
    }
    if (SituationKinds::isSummary(kind))
        h += ",Valoare,ValoareAmortizata,AmortizareLunara,AmortizareCalculata,ValoareRamasa";
    return h + '\n';
}

// The five amounts of a line as printed.
void amounts(const SituationLine &l, double a[5])
{
    a[0] = DepreciationSituation::printedAmount(l.result.Valoare);
    a[1] = DepreciationSituation::printedAmount(l.initialDepreciation);
    a[2] = DepreciationSituation::printedAmount(l.result.AmortizareLunara);
    a[3] = DepreciationSituation::printedAmount(l.result.AmortizareCalculata);
    a[4] = DepreciationSituation::printedAmount(l.result.ValoareRamasa);
}

// The cells of an asset line after its inventory number.
void appendDetailTail(QByteArray &out, const SituationLine &l)
{
    double a[5];
    amounts(l, a);
    appendText(out, l.name);
    out.append(',');
    appendText(out, l.domain);
    out.append(',');
    appendNumber(out, l.price);
    out.append(',');
    appendNumber(out, l.result.Cantitate);
    out.append(',');
    appendAmount(out, a[0]);
    out.append(',');
    appendDate(out, l.lot);
    out.append(',');
    appendNumber(out, l.totalDuration);
    out.append(',');
    appendNumber(out, l.remainingDuration);
    out.append(',');
    appendAmount(out, a[1]);
    out.append(',');
    appendAmount(out, a[2]);
    out.append(',');
    appendAmount(out, a[3]);
    out.append(',');
    appendNumber(out, l.result.DurataRamasaActualizata);
    out.append(',');
    appendAmount(out, a[4]);
    out.append('\n');
}

struct Total
{
    QByteArray cells; // the texts before the amounts, each followed by ','
    double amounts[5] = {0, 0, 0, 0, 0};
};

class Writer
{
public:
    explicit Writer(QIODevice &out) : m_out(out) { m_buffer.reserve(1 << 17); }
    QByteArray &buffer() { return m_buffer; }
    void line()
    {
        ++m_lines;
        if (m_buffer.size() >= (1 << 16))
            flush();
    }
    void flush()
    {
        if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
            m_ok = false;
        m_buffer.clear();
    }
    qsizetype lines() const { return m_lines; }
    bool ok() const { return m_ok; }

private:
    QIODevice &m_out;
    QByteArray m_buffer;
    qsizetype m_lines = 0;
    bool m_ok = true;
};

} // namespace

Outcome write(Database &db, SituationKind kind, const DepreciationSituation::Options &options, QIODevice &out)
{
    Writer w(out);
    w.buffer() = header(kind);
    Outcome outcome;

    if (kind == SituationKind::AtDate) {
        // The pass gives the lines in print order.
        outcome.documents = SituationLines(db).read(kind, options, [&](const SituationLine &l) {
            QByteArray &b = w.buffer();
            appendText(b, l.unit);
            b.append(',');
            appendText(b, l.group);
            b.append(',');
            appendText(b, l.article);
            b.append(',');
            appendDetailTail(b, l);
            w.line();
        });
    } else if (kind == SituationKind::ByAccount) {
        // Lines come by group and inventory number; they print by account first. Each is
        // kept as its print key and the cells after the key, in one block of memory.
        struct Kept
        {
            qsizetype at;
            int keyLength;
            int length;
        };
        QByteArray arena;
        std::vector<Kept> kept;
        QByteArray tail;
        outcome.documents = SituationLines(db).read(kind, options, [&](const SituationLine &l) {
            const QByteArray key = printKey(kind, l);
            tail.clear();
            appendDetailTail(tail, l);
            kept.push_back({arena.size(), int(key.size()), int(key.size() + tail.size())});
            arena.append(key).append(tail);
        });
        std::stable_sort(kept.begin(), kept.end(), [&](const Kept &a, const Kept &b) {
            return QByteArrayView(arena.constData() + a.at, a.keyLength)
                   < QByteArrayView(arena.constData() + b.at, b.keyLength);
        });
        for (const Kept &k : kept) {
            QByteArray &b = w.buffer();
            const char *p = arena.constData() + k.at;
            const char *end = p + k.keyLength;
            // The key's parts are the first five cells.
            while (true) {
                const char *stop = static_cast<const char *>(std::memchr(p, '\0', size_t(end - p)));
                appendText(b, QByteArrayView(p, (stop ? stop : end) - p));
                b.append(',');
                if (!stop)
                    break;
                p = stop + 1;
            }
            b.append(arena.constData() + k.at + k.keyLength, k.length - k.keyLength);
            w.line();
        }
    } else {
        // One total per printed line: classification group within the unit, or unit
        // within the main group and account. Amounts add as printed.
        std::map<QByteArray, Total> totals;
        outcome.documents = SituationLines(db).read(kind, options, [&](const SituationLine &l) {
            QByteArray key = kind == SituationKind::Summary ? l.unit + '\0' + l.group
                                                            : l.account + '\0' + l.mainGroup + '\0' + l.unit;
            auto it = totals.find(key);
            if (it == totals.end()) {
                Total t;
                if (kind == SituationKind::Summary) {
                    appendText(t.cells, l.unit);
                    t.cells.append(',');
                    appendText(t.cells, l.group);
                    t.cells.append(',');
                    appendText(t.cells, l.groupName);
                } else {
                    appendText(t.cells, l.account);
                    t.cells.append(',');
                    appendText(t.cells, l.mainGroup);
                    t.cells.append(',');
                    appendText(t.cells, l.unit);
                    t.cells.append(',');
                    appendText(t.cells, l.unitName);
                }
                t.cells.append(',');
                it = totals.emplace(std::move(key), std::move(t)).first;
            }
            double a[5];
            amounts(l, a);
            for (int i = 0; i < 5; ++i)
                it->second.amounts[i] = DepreciationSituation::printedAmount(it->second.amounts[i] + a[i]);
        });
        for (const auto &[key, t] : totals) {
            QByteArray &b = w.buffer();
            b.append(t.cells);
            for (int i = 0; i < 5; ++i) {
                if (i)
                    b.append(',');
                appendAmount(b, t.amounts[i]);
            }
            b.append('\n');
            w.line();
        }
    }
    w.flush();
    outcome.lines = w.lines();
    outcome.written = w.ok();
    return outcome;
}

} // namespace SituationCsv
