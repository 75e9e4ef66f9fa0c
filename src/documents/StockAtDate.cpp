#include "documents/StockAtDate.h"

#include "app/Messages.h"
#include "app/Status.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SqliteStatement.h"
#include "db/TVTables.h"

#include <QSqlQuery>
#include <QVariant>

QString StockAtDate::noDocumentsText()
{
    return QStringLiteral("Nu exista documente pentru gestiunea si data specificate!");
}

QStringList StockAtDate::parseUnitList(const QString &list)
{
    QStringList units;
    QString code;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar ch = list.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < list.size() && list.at(i + 1) == QLatin1Char('"')) {
                    code += ch;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                code += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (ch == QLatin1Char(',')) {
            if (any || !code.trimmed().isEmpty())
                units << (any ? code : code.trimmed());
            code.clear();
            any = false;
        } else if (!ch.isSpace()) {
            code += ch;
            any = true;
        }
    }
    if (any || !code.trimmed().isEmpty())
        units << code;
    return units;
}

QString StockAtDate::unitListText(const QStringList &units)
{
    QStringList quoted;
    for (QString code : units)
        quoted << QLatin1Char('"') + code.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return quoted.join(QLatin1Char(','));
}

namespace {

// A deferred transaction: the data tables are only read (a consistent snapshot that
// does not hold other workstations' writes back), the answer table is written.
class Snapshot
{
public:
    explicit Snapshot(Database &db) : m_db(db), m_own(!db.inTransaction())
    {
        if (m_own)
            m_db.run(QStringLiteral("BEGIN"));
    }
    ~Snapshot()
    {
        if (m_own && !m_done) {
            QSqlQuery rollback(m_db.connection());
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
    }
    void commit()
    {
        if (m_own)
            m_db.run(QStringLiteral("COMMIT"));
        m_done = true;
    }

private:
    Database &m_db;
    bool m_own;
    bool m_done = false;
};

} // namespace

namespace {

// The lines that count at the date, as bound values and conditions on the line `L` and
// its document `D`.
struct LineFilter
{
    QVariantMap values;
    QString units; // " AND L.Cod_gestiune IN (...)" or empty

    LineFilter(const QDate &date, const QStringList &list)
    {
        values.insert(QStringLiteral(":date"), date.toString(Qt::ISODate));
        if (list.isEmpty())
            return;
        QStringList names;
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString name = QStringLiteral(":u%1").arg(i);
            names << name;
            values.insert(name, list.at(i));
        }
        units = QStringLiteral(" AND L.\"Cod_gestiune\" IN (%1)").arg(names.join(QStringLiteral(", ")));
    }

    // Initial-stock lines (a document without registration date) count at every date.
    QString condition(bool entries) const
    {
        return QStringLiteral("L.\"Cod_articol\" IS NOT NULL AND L.\"Cod_articol\" <> '' "
                              "AND (D.\"Data_inregistrarii\" <= :date%1)%2")
            .arg(entries ? QStringLiteral(" OR NULLIF(D.\"Data_inregistrarii\", '') IS NULL") : QString(), units);
    }
};

} // namespace

QString StockAtDate::stockSql(bool withLots, const QString &filterEntries, const QString &filterExits)
{
    // Entry and exit lines in one grouping per stock key; empty texts read as NULL like
    // the rows of `Stoc`. Without lots the row keeps the earliest `Lot` of its lines.
    auto lines = [](const char *lineTable, const char *docTable, const char *price, bool entries,
                    const QString &condition) {
        return QStringLiteral("SELECT NULLIF(L.\"Cod_gestiune\", '') g, NULLIF(L.\"Cod_grupa\", '') c, "
                              "NULLIF(L.\"Cod_articol\", '') a, COALESCE(L.\"%1\", 0) p, NULLIF(L.\"Agent\", '') ag, "
                              "NULLIF(L.\"Lot\", '') l, %2 FROM \"%3\" L JOIN \"%4\" D ON D.\"Contor\" = L.\"Contor\" "
                              "WHERE %5")
            .arg(QLatin1String(price),
                 entries ? QStringLiteral("COALESCE(L.\"Cantitate\", 0) qin, 0 qout")
                         : QStringLiteral("0 qin, COALESCE(L.\"Cantitate\", 0) qout"),
                 QLatin1String(lineTable), QLatin1String(docTable), condition);
    };
    return QStringLiteral("SELECT g, c, a, p, ag, %1, SUM(qout), SUM(qin) FROM (%2 UNION ALL %3) S "
                          "GROUP BY g, c, a, p, ag%4 ORDER BY g, c, a, p, ag%4")
        .arg(withLots ? QStringLiteral("l") : QStringLiteral("MIN(l)"),
             lines("Item_in", "Doc_in", "Pret_achizitie_lei", true, filterEntries),
             lines("Item_out", "Doc_out", "Pret_achizitie", false, filterExits),
             withLots ? QStringLiteral(", l") : QString());
}

bool StockAtDate::hasDocuments(const QDate &date, const QStringList &units)
{
    const LineFilter filter(date, units);
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Item_in\" L JOIN \"Doc_in\" D ON D.\"Contor\" = L.\"Contor\" "
                                          "WHERE %1 LIMIT 1")
                               .arg(filter.condition(true)),
                           filter.values);
    return q.next();
}

bool StockAtDate::read(const QDate &date, const QStringList &units,
                       const std::function<void(const SqliteStatement &)> &row)
{
    if (!hasDocuments(date, units))
        return false;
    const LineFilter filter(date, units);
    Snapshot snapshot(m_db);
    SqliteStatement q(m_db, stockSql(m_withLots, filter.condition(true), filter.condition(false)));
    for (auto it = filter.values.cbegin(); it != filter.values.cend(); ++it)
        q.bind(it.key(), it.value());
    while (q.next())
        row(q);
    snapshot.commit();
    return true;
}

bool StockAtDate::build(const QDate &date, const QStringList &units)
{
    Status::show(QStringLiteral(" Insumez intrarile si stocurile initiale..."));
    if (!hasDocuments(date, units)) {
        Status::show(QString());
        return false;
    }
    const LineFilter filter(date, units);
    Snapshot snapshot(m_db);
    Status::show(QStringLiteral(" Calculez stocurile..."));
    const TVTable table = TVTables::answSt(m_withLots);
    m_db.run(m_db.dialect().dropTable(table.name(), QLatin1String(Database::privateSchema)));
    for (const QString &sql : m_db.dialect().createTable(table, QLatin1String(Database::privateSchema)))
        m_db.run(sql);
    m_db.run(QStringLiteral("INSERT INTO \"PVL_PRIV\".\"ANSW_ST\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                            "\"Pret_achizitie\", \"Agent\", \"Lot\", \"QOut\", \"QIn\") %1")
                 .arg(stockSql(m_withLots, filter.condition(true), filter.condition(false))),
             filter.values);
    snapshot.commit();
    return true;
}

bool StockAtDate::build(const QDate &date, const QStringList &units, Messages &messages)
{
    if (build(date, units))
        return true;
    messages.warning(noDocumentsText());
    return false;
}

void StockAtDate::drop()
{
    m_db.run(m_db.dialect().dropTable(QStringLiteral("ANSW_ST"), QLatin1String(Database::privateSchema)));
}
