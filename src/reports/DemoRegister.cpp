#include "reports/DemoRegister.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "documents/InitialStock.h"
#include "documents/StockRecalculation.h"
#include "reports/DemoFacts.h"
#include "reports/DemoRandom.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace DemoFacts;

namespace {

// One prepared INSERT on the engine's own handle: the Qt layer costs more than the
// engine itself when hundreds of thousands of rows go in.
class Insert
{
public:
    Insert(sqlite3 *handle, const char *table, std::initializer_list<const char *> columns) : m_handle(handle)
    {
        QByteArray names, marks;
        for (const char *c : columns) {
            if (!names.isEmpty()) {
                names += ", ";
                marks += ", ";
            }
            names += '"' + QByteArray(c) + '"';
            marks += '?';
        }
        const QByteArray sql = "INSERT INTO \"" + QByteArray(table) + "\" (" + names + ") VALUES (" + marks + ")";
        if (sqlite3_prepare_v2(m_handle, sql.constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            fail();
    }
    ~Insert() { sqlite3_finalize(m_stmt); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    Insert &text(const QString &value)
    {
        ++m_column;
        if (value.isEmpty())
            check(sqlite3_bind_null(m_stmt, m_column));
        else {
            const QByteArray utf8 = value.toUtf8();
            check(sqlite3_bind_text(m_stmt, m_column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
        }
        return *this;
    }
    Insert &number(double value)
    {
        check(sqlite3_bind_double(m_stmt, ++m_column, value));
        return *this;
    }
    Insert &flag(bool value)
    {
        check(sqlite3_bind_int(m_stmt, ++m_column, value ? 1 : 0));
        return *this;
    }
    Insert &null()
    {
        check(sqlite3_bind_null(m_stmt, ++m_column));
        return *this;
    }
    Insert &date(const QDate &value)
    {
        return value.isValid() ? text(value.toString(Qt::ISODate)) : null();
    }
    void exec()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            fail();
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_column = 0;
    }

private:
    void check(int rc)
    {
        if (rc != SQLITE_OK)
            fail();
    }
    [[noreturn]] void fail()
    {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_handle));
        throw DbError(message, (sqlite3_extended_errcode(m_handle) & 0xff) == SQLITE_CONSTRAINT);
    }

    sqlite3 *m_handle;
    sqlite3_stmt *m_stmt = nullptr;
    int m_column = 0;
};

sqlite3 *engineHandle(const Database &db)
{
    const QSqlDatabase connection = db.connection();
    const QVariant v = connection.driver() ? connection.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Conexiunea nu este o baza de date SQLite."), false);
    return *static_cast<sqlite3 *const *>(v.constData());
}

double cents(double value) { return std::round(value * 100.0) / 100.0; }

QString fit(const QString &text, int width) { return text.left(width); }

int monthsBetween(const QDate &from, const QDate &to)
{
    return (to.year() - from.year()) * 12 + to.month() - from.month();
}

template <typename T>
int pickWeighted(DemoRandom &rng, const std::vector<T> &items, const std::vector<int> &indexes)
{
    int total = 0;
    for (int i : indexes)
        total += items[size_t(i)].weight;
    int r = rng.between(0, total - 1);
    for (int i : indexes) {
        r -= items[size_t(i)].weight;
        if (r < 0)
            return i;
    }
    return indexes.back();
}

template <typename T>
std::vector<int> allOf(const std::vector<T> &items)
{
    std::vector<int> all(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        all[i] = int(i);
    return all;
}

struct Asset
{
    int code = 0;
    int unit = 0;
    int budget = 0;
    QString inventory;
    QString name;
    double quantity = 1;
    double price = 0;
    QDate lot;   // put into use
    QDate since; // in the register from
    int total = 0;
    int remaining = 0;
    double depreciated = 0;
    bool publicDomain = false;
    bool moved = false;
};

struct DemoLine
{
    int asset;
    int unit;
};

struct EntryDoc
{
    QDate date;
    QDate registered;
    QString type;
    double number = 0;
    int supplier = -1;
    QString explanation;
    std::vector<DemoLine> lines;
    int primaryCode = 0;
    int unit = 0;
    double contor = 0;
};

struct ExitDoc
{
    QDate date;
    bool transfer = false;
    int custodian = 0;
    int target = -1;
    std::vector<int> assets;
    double contor = 0;
};

double vatRate(const QDate &day) { return day < QDate(2025, 8, 1) ? 19 : 21; }

} // namespace

DemoRegister::Summary DemoRegister::fill(int assetCount, const QDate &today)
{
    const auto &allCodes = codes();
    const auto &allUnits = units();
    const auto &allBudgets = budgets();
    const auto &allSuppliers = suppliers();
    DemoRandom rng(0x54657373617230ULL);

    const QDate initialDate(today.year() - 6, 12, 31);
    const QDate firstEntry = initialDate.addDays(1);
    const QDate monthStart(today.year(), today.month(), 1);

    std::map<QString, QString> accountOfClass;
    for (const AssetClass &c : classes())
        accountOfClass[c.code] = c.account;
    std::map<QString, std::vector<int>> codesOfClass;
    for (size_t i = 0; i < allCodes.size(); ++i)
        if (!allCodes[i].single)
            codesOfClass[allCodes[i].assetClass].push_back(int(i));

    const auto price = [&](const Code &code) {
        const double low = std::log(code.minPrice), high = std::log(code.maxPrice);
        return cents(std::exp(low + rng.unit() * (high - low)));
    };
    const auto newAsset = [&](int codeIndex, int unit) {
        const Code &code = allCodes[size_t(codeIndex)];
        Asset a;
        a.code = codeIndex;
        a.unit = unit;
        a.budget = pickWeighted(rng, allBudgets, allOf(allBudgets));
        a.name = code.assetNames[rng.between(0, int(code.assetNames.size()) - 1)];
        a.price = price(code);
        a.total = rng.between(code.minYears, code.maxYears) * 12;
        a.publicDomain = rng.chance(code.publicShare);
        return a;
    };

    std::vector<Asset> assets;
    assets.reserve(size_t(assetCount));

    // The initial stock: assets owned before the register starts, partly or fully depreciated.
    const int initialCount = assetCount * 2 / 5;
    std::vector<Code> weighted = allCodes;
    for (Code &c : weighted)
        c.weight *= c.single ? 6 : 1;
    for (int i = 0; i < initialCount; ++i) {
        const int codeIndex = pickWeighted(rng, weighted, allOf(weighted));
        const Code &code = allCodes[size_t(codeIndex)];
        Asset a = newAsset(codeIndex, pickWeighted(rng, allUnits, allOf(allUnits)));
        const int maxAge = code.single ? 50 * 12 : code.maxYears * 24;
        const QDate month = initialDate.addMonths(-rng.between(1, maxAge));
        a.lot = QDate(month.year(), month.month(), rng.between(1, 28));
        a.since = QDate(1900, 1, 1);
        const int elapsed = std::min(monthsBetween(a.lot, initialDate), a.total);
        a.remaining = a.total - elapsed;
        a.depreciated = a.publicDomain ? 0 : (a.remaining == 0 ? a.price : cents(a.price * elapsed / a.total));
        assets.push_back(a);
    }
    std::stable_sort(assets.begin(), assets.end(), [](const Asset &x, const Asset &y) {
        return x.unit != y.unit ? x.unit < y.unit : x.code < y.code;
    });

    // Receptions from the day after the initial stock up to today; a few in this month.
    std::vector<EntryDoc> entries;
    for (int left = assetCount - initialCount; left > 0;) {
        EntryDoc doc;
        doc.primaryCode = pickWeighted(rng, allCodes, allOf(allCodes));
        const Code &code = allCodes[size_t(doc.primaryCode)];
        const int lines = code.single ? 1 : std::min(left, rng.between(1, 10));
        doc.lines.resize(size_t(lines), DemoLine{-1, -1});
        left -= lines;
        doc.unit = pickWeighted(rng, allUnits, allOf(allUnits));
        if (rng.chance(0.03) || monthStart <= firstEntry)
            doc.date = monthStart.addDays(rng.between(0, int(monthStart.daysTo(today))));
        else
            doc.date = firstEntry.addDays(rng.between(0, int(firstEntry.daysTo(monthStart)) - 1));
        entries.push_back(doc);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const EntryDoc &x, const EntryDoc &y) { return x.date < y.date; });
    if (!entries.empty() && entries.back().date < monthStart)
        entries.back().date = monthStart.addDays(rng.between(0, int(monthStart.daysTo(today))));

    for (EntryDoc &doc : entries) {
        const Code &primary = allCodes[size_t(doc.primaryCode)];
        std::vector<int> sellers;
        for (size_t s = 0; s < allSuppliers.size(); ++s)
            if (allSuppliers[s].classes.contains(primary.assetClass))
                sellers.push_back(int(s));
        doc.supplier = sellers.empty() ? 0 : sellers[size_t(rng.between(0, int(sellers.size()) - 1))];
        doc.type = primary.single || rng.chance(0.2) ? QStringLiteral("NR") : QStringLiteral("FCT");
        doc.number = rng.between(100, 99999);
        doc.registered = std::min(doc.date.addDays(rng.between(0, 3)), today);
        doc.explanation = doc.type == QLatin1String("FCT")
                              ? QStringLiteral("Achiziție %1").arg(primary.assetNames.first().toLower())
                              : QStringLiteral("Recepție %1").arg(primary.assetNames.first().toLower());
        for (DemoLine &line : doc.lines) {
            int codeIndex = doc.primaryCode;
            if (!primary.single) {
                const std::vector<int> &same = codesOfClass[primary.assetClass];
                codeIndex = rng.chance(0.6) ? doc.primaryCode : same[size_t(rng.between(0, int(same.size()) - 1))];
            }
            const int unit = rng.chance(0.85) ? doc.unit : pickWeighted(rng, allUnits, allOf(allUnits));
            Asset a = newAsset(codeIndex, unit);
            if (!allCodes[size_t(codeIndex)].single && rng.chance(0.06))
                a.quantity = rng.between(2, 6);
            a.lot = doc.registered;
            a.since = doc.registered;
            a.remaining = a.total;
            line = {int(assets.size()), unit};
            assets.push_back(a);
        }
    }
    for (size_t i = 0; i < assets.size(); ++i)
        assets[i].inventory = QString::number(1000001 + int(i));

    // Transfers between units and scrappings of fully depreciated assets.
    std::vector<ExitDoc> exits;
    if (assetCount >= 20) {
        const int transfers = std::max(1, assetCount / 150), scrappings = std::max(1, assetCount / 200);
        for (int i = 0; i < transfers + scrappings; ++i) {
            ExitDoc doc;
            doc.transfer = i < transfers;
            doc.date = firstEntry.addDays(rng.between(30, int(firstEntry.daysTo(today))));
            doc.custodian = rng.between(0, int(custodians().size()) - 1);
            exits.push_back(doc);
        }
        std::stable_sort(exits.begin(), exits.end(), [](const ExitDoc &x, const ExitDoc &y) { return x.date < y.date; });
        const int last = int(assets.size()) - 1;
        for (ExitDoc &doc : exits) {
            const int wanted = rng.between(1, 4);
            int source = -1;
            for (int attempt = 0; attempt < 80 * wanted && int(doc.assets.size()) < wanted; ++attempt) {
                Asset &a = assets[size_t(rng.between(0, last))];
                if (a.moved || a.since >= doc.date || (source >= 0 && a.unit != source))
                    continue;
                const QDate fullyDepreciated = (a.since < firstEntry ? initialDate : a.lot).addMonths(a.remaining);
                if (!doc.transfer && (a.publicDomain || fullyDepreciated > doc.date))
                    continue;
                a.moved = true;
                source = a.unit;
                doc.assets.push_back(int(&a - assets.data()));
            }
            if (doc.transfer && source >= 0) {
                do
                    doc.target = pickWeighted(rng, allUnits, allOf(allUnits));
                while (doc.target == source);
                EntryDoc in;
                in.date = in.registered = doc.date;
                in.type = QStringLiteral("BT");
                in.explanation = QStringLiteral("Transfer din gestiunea %1").arg(allUnits[size_t(source)].name);
                for (int asset : doc.assets)
                    in.lines.push_back({asset, doc.target});
                entries.push_back(in);
            }
        }
        exits.erase(std::remove_if(exits.begin(), exits.end(), [](const ExitDoc &d) { return d.assets.empty(); }),
                    exits.end());
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const EntryDoc &x, const EntryDoc &y) { return x.registered < y.registered; });
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].contor = double(i + 1);
    for (size_t i = 0; i < exits.size(); ++i)
        exits[i].contor = double(i + 1);
    // The entry half of a transfer carries the number of its exit document.
    {
        size_t next = 0;
        for (EntryDoc &in : entries)
            if (in.type == QLatin1String("BT")) {
                while (next < exits.size() && !exits[next].transfer)
                    ++next;
                in.number = next < exits.size() ? exits[next++].contor : 0;
            }
    }

    Summary summary;
    summary.assets = int(assets.size());
    summary.initialStockLines = initialCount;
    summary.entryDocuments = int(entries.size());
    summary.exitDocuments = int(exits.size());
    for (const EntryDoc &d : entries)
        summary.entryLines += int(d.lines.size());
    summary.entryLines += initialCount;
    for (const ExitDoc &d : exits)
        summary.exitLines += int(d.assets.size());

    m_db.writeTransaction([&] {
        sqlite3 *h = engineHandle(m_db);
        const Organisation &org = organisation();
        Insert(h, "Firmdata", {"Cod", "Denumire", "Adresa", "Judet", "Cod fiscal", "ORC", "Banca", "Cont"})
            .number(firmNo).text(org.name).text(fit(org.address, 40)).text(org.county).text(org.fiscalCode)
            .text(org.registry).text(org.bank).text(org.account).exec();
        {
            Insert valuta(h, "Valuta", {"Moneda", "Denumire"});
            valuta.text(QStringLiteral("LEI")).text(QStringLiteral("Lei")).exec();
            valuta.text(QStringLiteral("EUR")).text(QStringLiteral("Euro")).exec();
            valuta.text(QStringLiteral("USD")).text(QStringLiteral("Dolar american")).exec();
        }
        {
            Insert ins(h, "Materiale", {"Cod_material", "Denumire", "CONT_SINT"});
            for (const AssetClass &c : classes())
                ins.text(c.code).text(fit(c.name, 100)).text(c.account).exec();
        }
        {
            Insert ins(h, "Grup", {"Cod_material", "Cod_grupa", "Denumire", "DurataMin", "DurataMax", "Cont_sint", "Target"});
            for (const Code &c : allCodes)
                ins.text(c.assetClass).text(c.code).text(fit(c.name, 100)).number(c.minYears).number(c.maxYears)
                    .text(accountOfClass[c.assetClass]).flag(false).exec();
        }
        {
            Insert ins(h, "Gest", {"Cod", "Denumire"});
            for (const Unit &u : allUnits)
                ins.text(u.code).text(fit(u.name, 30)).exec();
        }
        {
            Insert ins(h, "Client", {"Cod_client", "Nume_client", "Adresa", "Judetul", "Banca", "Cont_bancar",
                                     "Cod_fiscal", "Discount", "Lock"});
            for (const Budget &b : allBudgets)
                ins.text(b.code).text(b.name).text(fit(org.address, 30)).text(org.county).text(org.bank)
                    .text(org.account).text(org.fiscalCode).number(0).flag(false).exec();
        }
        {
            Insert ins(h, "Furn", {"Cod_furnizor", "Nume_furnizor", "Cont_creditor", "Adresa", "Banca", "Cont_bancar",
                                   "Cod_fiscal", "ORC", "Tel"});
            for (const Supplier &s : allSuppliers)
                ins.text(s.code).text(s.name).text(QStringLiteral("404")).text(fit(s.address, 30)).text(s.bank)
                    .text(s.account).text(s.fiscalCode).text(s.registry).text(s.phone).exec();
        }
        {
            Insert ins(h, "User", {"Init", "Name", "Psw"});
            for (const Custodian &c : custodians())
                ins.text(c.init).text(c.name).null().exec();
        }

        InitialStock(m_db, m_epsilon).ensureDocument(initialDate);
        Insert docIn(h, "Doc_in", {"Contor", "Data_inregistrarii", "Numar", "Tip", "Data", "Furnizor", "Explicatie"});
        for (const EntryDoc &d : entries)
            docIn.number(d.contor).date(d.registered).number(d.number).text(d.type).date(d.date)
                .text(d.supplier >= 0 ? allSuppliers[size_t(d.supplier)].code : QString()).text(d.explanation).exec();

        Insert itemIn(h, "Item_in", {"Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol", "Lot",
                                     "Cantitate", "Pret_achizitie_valuta", "Valuta", "Pret_achizitie_lei", "TVA",
                                     "Cont_marfa", "Cont_TVA_Intrari", "Agent", "Serii", "DurataTotala", "DurataRamasa",
                                     "ValoareAmortizata", "Denumire", "Domeniu", "CalcAmortizare"});
        const auto writeLine = [&](double contor, int lineNo, const Asset &a, int unit, double vat) {
            const Code &code = allCodes[size_t(a.code)];
            itemIn.number(contor).number(lineNo).text(allUnits[size_t(unit)].code).text(code.code).text(a.inventory)
                .date(a.lot).number(a.quantity).number(a.price).text(QStringLiteral("LEI")).number(a.price)
                .number(vat).text(accountOfClass[code.assetClass]).text(vat > 0 ? QStringLiteral("4426") : QString())
                .text(allBudgets[size_t(a.budget)].code).flag(false).number(a.total).number(a.remaining)
                .number(a.depreciated).text(a.name)
                .text(a.publicDomain ? QStringLiteral("Public") : QStringLiteral("Privat")).flag(!a.publicDomain)
                .exec();
        };
        for (int i = 0; i < initialCount; ++i)
            writeLine(InitialStock::documentNumber, i + 1, assets[size_t(i)], assets[size_t(i)].unit, 0);
        for (const EntryDoc &d : entries) {
            int lineNo = 0;
            for (const DemoLine &line : d.lines) {
                const Asset &a = assets[size_t(line.asset)];
                const double vat = d.type == QLatin1String("FCT")
                                       ? cents(a.price * a.quantity * vatRate(d.registered) / (100 + vatRate(d.registered)))
                                       : 0;
                writeLine(d.contor, ++lineNo, a, line.unit, vat);
            }
        }

        Insert catalog(h, "Catalog", {"Grupa", "Cod", "Denumire", "Unitate_masura", "Moneda", "Cont_marfa",
                                      "CantReteta", "Domeniu", "CalcAmortizare"});
        for (const Asset &a : assets) {
            const Code &code = allCodes[size_t(a.code)];
            catalog.text(code.code).text(a.inventory).text(a.name).text(QStringLiteral("buc"))
                .text(QStringLiteral("LEI")).text(accountOfClass[code.assetClass]).number(1)
                .text(a.publicDomain ? QStringLiteral("Public") : QStringLiteral("Privat")).flag(!a.publicDomain).exec();
        }

        Insert docOut(h, "Doc_out", {"Contor", "Data_inregistrarii", "Numar", "Tip", "Data", "Client", "Explicatie", "Agent"});
        Insert itemOut(h, "Item_out", {"Contor", "Contor_secundar", "Cod_gestiune", "Cod_grupa", "Cod_articol",
                                       "Cantitate", "Pret_achizitie", "Pret_vinzare", "Pret_vz_echiv_USD", "TVA",
                                       "Cont_marfa", "Lot", "Agent"});
        for (const ExitDoc &d : exits) {
            docOut.number(d.contor).date(d.date).number(d.contor)
                .text(d.transfer ? QStringLiteral("BT") : QStringLiteral("CSR")).date(d.date)
                .text(d.transfer ? allUnits[size_t(d.target)].code : QString())
                .text(d.transfer ? QStringLiteral("Transfer") : QStringLiteral("Casare mijloace fixe amortizate integral"))
                .text(custodians()[size_t(d.custodian)].init).exec();
            int lineNo = 0;
            for (int index : d.assets) {
                const Asset &a = assets[size_t(index)];
                const Code &code = allCodes[size_t(a.code)];
                itemOut.number(d.contor).number(++lineNo).text(allUnits[size_t(a.unit)].code).text(code.code)
                    .text(a.inventory).number(a.quantity).number(a.price).number(d.transfer ? a.price : 0).number(0)
                    .number(0).text(accountOfClass[code.assetClass]).date(a.lot)
                    .text(allBudgets[size_t(a.budget)].code).exec();
            }
        }

        m_db.run(QStringLiteral("DELETE FROM \"Counter\""));
        Insert(h, "Counter", {"NewCounterIn", "NewCounterOut", "NewCounterOff", "NewCounterCom", "NewCounterOffC",
                              "NewCounterProf"})
            .number(double(entries.size())).number(double(exits.size())).number(0).number(0).number(0).number(0).exec();
    });

    StockRecalculation recalculation(m_db, m_epsilon);
    if (recalculation.run() == StockRecalculation::Outcome::Busy)
        throw DbError(StockRecalculation::busyText(), false);
    return summary;
}
