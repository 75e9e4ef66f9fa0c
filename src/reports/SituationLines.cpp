#include "reports/SituationLines.h"

#include "db/Database.h"
#include "db/SqliteStatement.h"

#include <QHash>
#include <QSet>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <vector>

namespace {

// Texts compare as SQL compares them without a collation: byte by byte.
int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), size_t(n)) : 0;
    if (c)
        return c;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A counter as a hash key: the bits of the value, with 0 and -0 alike.
quint64 counterKey(double v)
{
    if (v == 0)
        v = 0;
    quint64 k;
    std::memcpy(&k, &v, sizeof k);
    return k;
}

struct Document
{
    int registeredType = SQLITE_NULL; // of Data_inregistrarii
    QByteArray registered;
    QDate date;                       // Data
};

using Documents = QHash<quint64, Document>;

Documents readDocuments(Database &db, const char *table)
{
    Documents documents;
    SqliteStatement q(db, QStringLiteral("SELECT \"Contor\", \"Data_inregistrarii\", \"Data\" FROM \"%1\" "
                                         "WHERE \"Contor\" IS NOT NULL")
                              .arg(QLatin1String(table)));
    while (q.next()) {
        Document d;
        d.registeredType = q.type(1);
        if (d.registeredType == SQLITE_TEXT)
            d.registered = q.bytes(1).toByteArray();
        d.date = q.date(2);
        documents.insert(counterKey(q.number(0)), d);
    }
    return documents;
}

// `Data_inregistrarii <= date` as SQL decides it for a stored value against the bound
// ISO text: numbers come before texts, texts compare byte by byte, NULL is not true.
bool registeredBy(const Document &d, const QByteArray &date)
{
    switch (d.registeredType) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return true;
    case SQLITE_TEXT:
        return compareBytes(d.registered, date) <= 0;
    default:
        return false;
    }
}

struct GroupCaption
{
    QByteArray account, mainGroup, name;
    bool noMainGroup = true;
};

struct Captions
{
    QHash<QByteArray, QByteArray> units;
    QHash<QByteArray, GroupCaption> groups;
    QHash<QByteArray, QByteArray> mainGroups;
};

Captions readCaptions(Database &db)
{
    Captions c;
    {
        SqliteStatement q(db, QStringLiteral("SELECT \"Cod\", \"Denumire\" FROM \"Gest\" WHERE \"Cod\" IS NOT NULL"));
        while (q.next())
            c.units.insert(q.bytes(0).toByteArray(), q.bytes(1).toByteArray());
    }
    {
        // One caption per classification code even when the code sits under two main
        // groups: the row of the smallest main group.
        SqliteStatement q(db, QStringLiteral("SELECT \"Cod_grupa\", \"Cod_material\", \"Cont_sint\", \"Denumire\" "
                                             "FROM \"Grup\" WHERE \"Cod_grupa\" IS NOT NULL "
                                             "ORDER BY \"Cod_grupa\", \"Cod_material\""));
        while (q.next()) {
            const QByteArray code = q.bytes(0).toByteArray();
            const bool noMain = q.type(1) == SQLITE_NULL;
            auto it = c.groups.find(code);
            if (it != c.groups.end() && (noMain || !it->noMainGroup))
                continue;
            GroupCaption g;
            g.noMainGroup = noMain;
            g.mainGroup = q.bytes(1).toByteArray();
            g.account = q.bytes(2).toByteArray();
            g.name = q.bytes(3).toByteArray();
            c.groups.insert(code, g);
        }
    }
    {
        SqliteStatement q(db, QStringLiteral("SELECT \"Cod_material\", \"Denumire\" FROM \"Materiale\" "
                                             "WHERE \"Cod_material\" IS NOT NULL"));
        while (q.next())
            c.mainGroups.insert(q.bytes(0).toByteArray(), q.bytes(1).toByteArray());
    }
    return c;
}

// One stock row of the asset being read: the sums of its lines counted at the date.
struct Part
{
    QByteArray unit; // empty: none
    double price = 0;
    QByteArray agent;
    QByteArray lot;  // ISO text; empty: none
    double qin = 0;
    double qout = 0;
};

// An entry line of the asset, with what the rule reads from it and its document.
struct Candidate
{
    bool counterNull = true;
    double counter = 0;
    double secondary = 0;
    QByteArray name, domain;
    double totalDuration = 0, remainingDuration = 0, initialDepreciation = 0;
    QDate data;
    bool calc = false;
};

// The columns of the pass.
enum Column {
    Kind, Unit, Group, Article, Price, Agent, Lot, Quantity, Counter, Secondary, RawAgent, Name, TotalDuration,
    RemainingDuration, InitialDepreciation, Domain, Calc
};

class Pass
{
public:
    Pass(SituationKind kind, const DepreciationSituation::Options &o, const Captions &captions,
         const std::function<void(const SituationLine &)> &sink)
        : m_kind(kind), m_options(o), m_captions(captions), m_emit(sink),
          m_budget(o.budget.toUtf8()), m_sameUnit(kind == SituationKind::AtDate)
    {
    }

    // The rows of one asset (same unit, group and inventory number, or same group and
    // inventory number) arrive together; `row` adds one, finish() closes the last.
    void row(const SqliteStatement &q, const Documents &entries, const Documents &exits,
             const QSet<QByteArray> &units, const QByteArray &date)
    {
        const QByteArrayView unit = q.bytes(Unit), group = q.bytes(Group), article = q.bytes(Article);
        if (!m_open || group != m_group || article != m_article || (m_sameUnit && unit != m_unit)) {
            finish();
            m_open = true;
            m_unit = unit.toByteArray();
            m_group = group.toByteArray();
            m_article = article.toByteArray();
        }
        const bool entry = q.number(Kind) == 0;
        const bool hasCounter = q.type(Counter) != SQLITE_NULL;
        const Documents &documents = entry ? entries : exits;
        const auto doc = hasCounter ? documents.constFind(counterKey(q.number(Counter))) : documents.constEnd();
        const bool inUnits = units.isEmpty() || (!unit.isEmpty() && units.contains(unit.toByteArray()));

        bool counts = false;
        if (doc != documents.constEnd() && !article.isEmpty() && inUnits) {
            if (entry)
                counts = doc->registeredType == SQLITE_NULL
                         || (doc->registeredType == SQLITE_TEXT && doc->registered.isEmpty()) || registeredBy(*doc, date);
            else
                counts = registeredBy(*doc, date);
        }
        if (counts) {
            if (entry)
                m_anyEntry = true;
            add(q, unit, entry);
        }
        if (entry && !group.isEmpty() && !article.isEmpty() && (!m_sameUnit || !unit.isEmpty())
            && (m_budget.isEmpty() || (q.type(RawAgent) == SQLITE_TEXT && q.bytes(RawAgent) == m_budget))) {
            Candidate c;
            c.counterNull = !hasCounter;
            c.counter = q.number(Counter);
            c.secondary = q.number(Secondary);
            c.name = q.bytes(Name).toByteArray();
            c.domain = q.bytes(Domain).toByteArray();
            c.totalDuration = q.number(TotalDuration);
            c.remainingDuration = q.number(RemainingDuration);
            c.initialDepreciation = q.number(InitialDepreciation);
            c.calc = q.boolean(Calc);
            const auto own = hasCounter ? entries.constFind(counterKey(c.counter)) : entries.constEnd();
            if (own != entries.constEnd())
                c.data = own->date;
            m_candidates.push_back(std::move(c));
        }
    }

    void finish();
    bool anyEntry() const { return m_anyEntry; }

private:
    void add(const SqliteStatement &q, QByteArrayView unit, bool entry)
    {
        const double price = q.number(Price);
        const QByteArrayView agent = q.bytes(Agent);
        QByteArrayView lot;
        if (q.type(Lot) != SQLITE_NULL)
            lot = q.bytes(Lot);
        Part *part = nullptr;
        for (Part &p : m_parts)
            if (p.unit == unit && p.price == price && p.agent == agent && (!m_options.withLots || p.lot == lot)) {
                part = &p;
                break;
            }
        if (!part) {
            m_parts.push_back(Part{unit.toByteArray(), price, agent.toByteArray(), lot.toByteArray(), 0, 0});
            part = &m_parts.back();
        } else if (!m_options.withLots && !lot.isEmpty() && (part->lot.isEmpty() || compareBytes(lot, part->lot) < 0)) {
            part->lot = lot.toByteArray(); // without lots a stock row keeps the earliest
        }
        (entry ? part->qin : part->qout) += q.number(Quantity);
    }

    void emitLine(const Part &part, const Candidate *c, const DepreciationRule::Result &result, const QDate &lot);

    SituationKind m_kind;
    const DepreciationSituation::Options &m_options;
    const Captions &m_captions;
    const std::function<void(const SituationLine &)> &m_emit;
    const QByteArray m_budget;
    const bool m_sameUnit;

    bool m_open = false;
    bool m_anyEntry = false;
    QByteArray m_unit, m_group, m_article;
    std::vector<Part> m_parts;
    std::vector<Candidate> m_candidates;
    SituationLine m_line;
};

void Pass::finish()
{
    if (m_parts.empty()) {
        m_candidates.clear();
        return;
    }
    const double eps = m_options.epsilon;
    const bool positiveOnly = m_kind == SituationKind::SummaryByAccount;
    std::vector<const Part *> selected;
    for (const Part &p : m_parts) {
        const double q = p.qin - p.qout;
        if (positiveOnly ? q > 0 : (q < -eps || q > eps))
            selected.push_back(&p);
    }
    std::sort(selected.begin(), selected.end(), [](const Part *a, const Part *b) {
        if (const int c = compareBytes(a->unit, b->unit))
            return c < 0;
        if (a->price != b->price)
            return a->price < b->price;
        if (const int c = compareBytes(a->lot, b->lot))
            return c < 0;
        if (a->qin != b->qin)
            return a->qin < b->qin;
        if (a->qout != b->qout)
            return a->qout < b->qout;
        return compareBytes(a->agent, b->agent) < 0;
    });
    std::stable_sort(m_candidates.begin(), m_candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.counterNull != b.counterNull)
            return a.counterNull;
        if (a.counter != b.counter)
            return a.counter < b.counter;
        return a.secondary < b.secondary;
    });

    for (size_t from = 0; from < selected.size();) {
        size_t to = from + 1;
        while (to < selected.size() && selected[to]->unit == selected[from]->unit)
            ++to;
        const Part &first = *selected[from];
        const bool emptyKey = first.unit.isEmpty() || m_group.isEmpty();
        const bool matched = !m_candidates.empty() && !m_group.isEmpty() && (!m_sameUnit || !first.unit.isEmpty());
        // Without a matching entry line a stock row still lists, its entry data empty;
        // a budget asks for an entry line of that budget.
        if (matched || m_budget.isEmpty()) {
            std::set<QByteArray> seen;
            const size_t candidates = matched ? m_candidates.size() : 1;
            bool done = false;
            for (size_t ci = 0; ci < candidates && !done; ++ci) {
                const Candidate *c = matched ? &m_candidates[ci] : nullptr;
                for (size_t pi = from; pi < to && !done; ++pi) {
                    const Part &part = *selected[pi];
                    DepreciationRule::Input in;
                    in.Pret_achizitie = part.price;
                    in.Lot = SqliteStatement::isoDate(part.lot);
                    in.QIn = part.qin;
                    in.QOut = part.qout;
                    if (c) {
                        in.DurataRamasa = c->remainingDuration;
                        in.ValoareAmortizata = c->initialDepreciation;
                        in.Data = c->data;
                        in.Contor = c->counter;
                        in.CalcAmortizare = c->calc;
                    } else {
                        in.CalcAmortizare = false;
                    }
                    in.reportDate = m_options.date;
                    const DepreciationRule::Result out = DepreciationRule::compute(in);
                    if (m_options.onlyUndepreciated && std::fabs(out.AmortizareLunara) < 0.005
                        && std::fabs(out.ValoareRamasa) < 0.005)
                        continue;
                    if (emptyKey) {
                        // Such keys list each distinct pair once.
                        QByteArray text = part.unit + '\x1f' + QByteArray::number(part.price, 'g', 17) + '\x1f'
                                          + part.lot + '\x1f' + QByteArray::number(part.qin, 'g', 17) + '\x1f'
                                          + QByteArray::number(part.qout, 'g', 17);
                        if (c)
                            text += '\x1e' + c->name + '\x1f' + QByteArray::number(c->totalDuration, 'g', 17) + '\x1f'
                                    + QByteArray::number(c->remainingDuration, 'g', 17) + '\x1f'
                                    + QByteArray::number(c->initialDepreciation, 'g', 17) + '\x1f'
                                    + c->data.toString(Qt::ISODate).toLatin1() + '\x1f'
                                    + QByteArray::number(c->counter, 'g', 17) + '\x1f' + c->domain
                                    + (c->calc ? "\x1f" "1" : "\x1f" "0");
                        if (!seen.insert(text).second)
                            continue;
                    } else {
                        done = true; // the first pair of the key stays
                    }
                    emitLine(part, c, out, in.Lot);
                }
            }
        }
        from = to;
    }
    m_parts.clear();
    m_candidates.clear();
}

void Pass::emitLine(const Part &part, const Candidate *c, const DepreciationRule::Result &result, const QDate &lot)
{
    SituationLine &l = m_line;
    l.unit = part.unit;
    l.unitName = m_captions.units.value(part.unit);
    const auto g = m_group.isEmpty() ? m_captions.groups.constEnd() : m_captions.groups.constFind(m_group);
    if (g != m_captions.groups.constEnd()) {
        l.account = g->account;
        l.mainGroup = g->mainGroup;
        l.groupName = g->name;
    } else {
        l.account.clear();
        l.mainGroup.clear();
        l.groupName.clear();
    }
    l.mainGroupName = m_captions.mainGroups.value(l.mainGroup);
    l.group = m_group;
    l.article = m_article;
    l.lot = lot;
    l.price = part.price;
    if (c) {
        l.name = c->name;
        l.domain = c->domain;
        l.totalDuration = c->totalDuration;
        l.remainingDuration = c->remainingDuration;
        l.initialDepreciation = c->initialDepreciation;
        l.contor = c->counter;
    } else {
        l.name.clear();
        l.domain.clear();
        l.totalDuration = l.remainingDuration = l.initialDepreciation = l.contor = 0;
    }
    l.result = result;
    m_emit(l);
}

} // namespace

bool SituationLines::read(SituationKind kind, const DepreciationSituation::Options &options,
                          const std::function<void(const SituationLine &)> &sink)
{
    bool any = false;
    // Deferred: the tables are only read, as one consistent snapshot.
    m_db.answerTransaction([&] {
        const Documents entries = readDocuments(m_db, "Doc_in");
        const Documents exits = readDocuments(m_db, "Doc_out");
        const Captions captions = readCaptions(m_db);

        QSet<QByteArray> units;
        QStringList marks;
        for (const QString &u : options.units) {
            units.insert(u.toUtf8());
            marks << QStringLiteral(":u%1").arg(marks.size());
        }
        // The first situation matches entry lines of the same unit only, so the lines of
        // the other units are not read; the others match the entry lines of every unit.
        const QString unitFilter = marks.isEmpty() ? QString()
                                                   : QStringLiteral("L.\"Cod_gestiune\" IN (%1)").arg(marks.join(QStringLiteral(", ")));
        const bool sameUnit = kind == SituationKind::AtDate;
        const QString sql =
            QStringLiteral(
                "SELECT 0, NULLIF(L.\"Cod_gestiune\", ''), NULLIF(L.\"Cod_grupa\", ''), NULLIF(L.\"Cod_articol\", ''), "
                "COALESCE(L.\"Pret_achizitie_lei\", 0), NULLIF(L.\"Agent\", ''), L.\"Lot\", COALESCE(L.\"Cantitate\", 0), "
                "L.\"Contor\", L.\"Contor_secundar\", L.\"Agent\", L.\"Denumire\", L.\"DurataTotala\", L.\"DurataRamasa\", "
                "L.\"ValoareAmortizata\", L.\"Domeniu\", L.\"CalcAmortizare\" FROM \"Item_in\" L%1 "
                "UNION ALL "
                "SELECT 1, NULLIF(L.\"Cod_gestiune\", ''), NULLIF(L.\"Cod_grupa\", ''), NULLIF(L.\"Cod_articol\", ''), "
                "COALESCE(L.\"Pret_achizitie\", 0), NULLIF(L.\"Agent\", ''), L.\"Lot\", COALESCE(L.\"Cantitate\", 0), "
                "L.\"Contor\", NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL FROM \"Item_out\" L "
                "WHERE NULLIF(L.\"Cod_articol\", '') IS NOT NULL%2 ORDER BY %3")
                .arg(sameUnit && !unitFilter.isEmpty() ? QStringLiteral(" WHERE ") + unitFilter : QString(),
                     unitFilter.isEmpty() ? QString() : QStringLiteral(" AND ") + unitFilter,
                     sameUnit ? QStringLiteral("2, 3, 4") : QStringLiteral("3, 4"));
        SqliteStatement q(m_db, sql);
        for (qsizetype i = 0; i < options.units.size(); ++i)
            q.bind(QStringLiteral(":u%1").arg(i), options.units.at(i));

        const QByteArray date = options.date.toString(Qt::ISODate).toLatin1();
        Pass pass(kind, options, captions, sink);
        while (q.next())
            pass.row(q, entries, exits, units, date);
        pass.finish();
        any = pass.anyEntry();
    });
    return any;
}
