#include "documents/StockAtDate.h"

#include "app/Messages.h"
#include "app/Status.h"
#include "db/Database.h"
#include "db/DbError.h"
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

bool StockAtDate::build(const QDate &date, const QStringList &units)
{
    QVariantMap values{{QStringLiteral(":date"), date.toString(Qt::ISODate)}};
    QString unitFilter;
    if (!units.isEmpty()) {
        QStringList names;
        for (qsizetype i = 0; i < units.size(); ++i) {
            const QString name = QStringLiteral(":u%1").arg(i);
            names << name;
            values.insert(name, units.at(i));
        }
        unitFilter = QStringLiteral(" AND L.\"Cod_gestiune\" IN (%1)").arg(names.join(QStringLiteral(", ")));
    }
    // The lines summed per stock key; empty texts read as NULL like the rows of `Stoc`.
    // Grouping on the stored values and emptying them afterwards is much cheaper than
    // grouping on the expressions; the final grouping joins what the emptying makes equal.
    auto sums = [&](const char *lineTable, const char *docTable, const char *price, bool entries) {
        return QStringLiteral("SELECT NULLIF(L.\"Cod_gestiune\", ''), NULLIF(L.\"Cod_grupa\", ''), "
                              "NULLIF(L.\"Cod_articol\", ''), COALESCE(L.\"%1\", 0), NULLIF(L.\"Agent\", ''), "
                              "%2, %3 "
                              "FROM \"%4\" L JOIN \"%5\" D ON D.\"Contor\" = L.\"Contor\" "
                              "WHERE L.\"Cod_articol\" IS NOT NULL AND L.\"Cod_articol\" <> '' "
                              "AND (D.\"Data_inregistrarii\" <= :date%6)%7 "
                              "GROUP BY L.\"Cod_gestiune\", L.\"Cod_grupa\", L.\"Cod_articol\", L.\"%1\", L.\"Agent\"%8")
            .arg(QLatin1String(price),
                 m_withLots ? QStringLiteral("NULLIF(L.\"Lot\", '')") : QStringLiteral("MIN(NULLIF(L.\"Lot\", ''))"),
                 entries ? QStringLiteral("SUM(COALESCE(L.\"Cantitate\", 0)), 0")
                         : QStringLiteral("0, SUM(COALESCE(L.\"Cantitate\", 0))"),
                 QLatin1String(lineTable), QLatin1String(docTable),
                 entries ? QStringLiteral(" OR NULLIF(D.\"Data_inregistrarii\", '') IS NULL") : QString(),
                 unitFilter, m_withLots ? QStringLiteral(", L.\"Lot\"") : QString());
    };
    const QString key = m_withLots ? QStringLiteral("g, c, a, p, ag, l") : QStringLiteral("g, c, a, p, ag");

    Snapshot snapshot(m_db);
    m_db.run(QStringLiteral("DROP TABLE IF EXISTS temp.\"AnswSum\""));
    m_db.run(QStringLiteral("CREATE TEMP TABLE \"AnswSum\" (g, c, a, p, ag, l, qin, qout)"));

    Status::show(QStringLiteral(" Insumez intrarile si stocurile initiale..."));
    QSqlQuery entries = m_db.run(QStringLiteral("INSERT INTO temp.\"AnswSum\" %1")
                                     .arg(sums("Item_in", "Doc_in", "Pret_achizitie_lei", true)),
                                 values);
    if (entries.numRowsAffected() <= 0) {
        Status::show(QString());
        return false;
    }

    Status::show(QStringLiteral(" Insumez iesirile..."));
    m_db.run(QStringLiteral("INSERT INTO temp.\"AnswSum\" %1").arg(sums("Item_out", "Doc_out", "Pret_achizitie", false)),
             values);

    Status::show(QStringLiteral(" Calculez stocurile..."));
    const TVTable table = TVTables::answSt(m_withLots);
    m_db.run(m_db.dialect().dropTable(table.name(), QLatin1String(Database::privateSchema)));
    for (const QString &sql : m_db.dialect().createTable(table, QLatin1String(Database::privateSchema)))
        m_db.run(sql);
    m_db.run(QStringLiteral("INSERT INTO \"PVL_PRIV\".\"ANSW_ST\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                            "\"Pret_achizitie\", \"Agent\", \"Lot\", \"QOut\", \"QIn\") "
                            "SELECT g, c, a, p, ag, MIN(l), SUM(qout), SUM(qin) FROM temp.\"AnswSum\" GROUP BY %1 "
                            "ORDER BY g, c, a, p")
                 .arg(key));
    m_db.run(QStringLiteral("DROP TABLE temp.\"AnswSum\""));
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
