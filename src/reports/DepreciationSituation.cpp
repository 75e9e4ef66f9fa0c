#include "reports/DepreciationSituation.h"

#include "catalogs/CodeList.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"
#include "reports/DepreciationRule.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <cmath>

namespace {

DEF_FIELD field(const char *name, FieldType type, quint16 size = 0)
{
    DEF_FIELD f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

// ANSW_TMP of the reports by account: the account and the main group after the unit.
TVTable accountAnswerTable()
{
    QList<DEF_FIELD> fields = TVTables::answTmp().fields();
    fields.insert(1, field("Cont_sint", FieldType::String, 20));
    fields.insert(2, field("Cod_material", FieldType::String, 10));
    DEF_INDEX key;
    key.fields = QStringLiteral("Cod_Gestiune;Cont_sint;Cod_material;Cod_grupa;Cod_articol");
    key.options = IndexOption::Primary | IndexOption::Unique;
    return TVTable(TVTables::answTmp().name(), fields, {key});
}

QDate dateOf(const QVariant &v)
{
    return v.isNull() ? QDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
}

// Rows read once, front to back: no copy of the whole result kept for going back.
QSqlQuery forwardQuery(Database &db, const QString &sql, const QVariantMap &values)
{
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        DbError::check(q.lastError());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        q.bindValue(it.key(), it.value());
    if (!q.exec())
        DbError::check(q.lastError());
    return q;
}

// The answer rows go straight through the engine: binding through QSqlQuery costs more
// per value than the insert itself. Values are bound as the Qt driver would bind them.
class RowInsert
{
public:
    RowInsert(Database &db, const QString &sql)
    {
        const QVariant h = db.connection().driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3 *const *>(h.constData());
        if (!m_db)
            throw DbError(QStringLiteral("no engine handle"), false);
        if (sqlite3_prepare16_v2(m_db, sql.utf16(), int(sql.size() * sizeof(QChar)), &m_stmt, nullptr) != SQLITE_OK)
            fail();
    }
    ~RowInsert() { sqlite3_finalize(m_stmt); }
    RowInsert(const RowInsert &) = delete;
    RowInsert &operator=(const RowInsert &) = delete;

    void bind(int i, const QVariant &v)
    {
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, i);
        } else {
            switch (v.typeId()) {
            case QMetaType::Double:
                rc = sqlite3_bind_double(m_stmt, i, v.toDouble());
                break;
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
                rc = sqlite3_bind_int64(m_stmt, i, v.toLongLong());
                break;
            default: {
                const QString text = v.toString();
                rc = sqlite3_bind_text16(m_stmt, i, text.utf16(), int(text.size() * sizeof(QChar)),
                                         SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            fail();
    }
    void bind(int i, double x)
    {
        if (sqlite3_bind_double(m_stmt, i, x) != SQLITE_OK)
            fail();
    }
    // A refused row (the key already there) is skipped, as any row that cannot be added.
    void exec()
    {
        sqlite3_step(m_stmt);
        sqlite3_reset(m_stmt);
    }

private:
    [[noreturn]] void fail() const
    {
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)), false);
    }
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

double cents(double v)
{
    return DepreciationRule::roundToCents(v);
}

} // namespace

QVector<ReportRow> DepreciationSituation::build(SituationKind kind, const Options &options)
{
    const bool accounts = SituationKinds::byAccount(kind);
    // Entry lines of the same unit only for the first report; the others follow an
    // asset into every unit it was entered in. A stock row without any entry line is
    // kept (its depreciation data empty) rather than dropped.
    const QString entryJoin = kind == SituationKind::AtDate
                                  ? QStringLiteral("I.\"Cod_gestiune\" = S.\"Cod_gestiune\" AND ")
                                  : QString();
    const QString stockCondition = kind == SituationKind::SummaryByAccount
                                       ? QStringLiteral("(S.\"QIn\" - S.\"QOut\") > 0")
                                       : QStringLiteral("((S.\"QIn\" - S.\"QOut\") < -:eps OR (S.\"QIn\" - S.\"QOut\") > :eps)");
    const SqlCondition units = CodeList::inCondition(QStringLiteral("S.\"Cod_gestiune\""),
                                                     CodeList::quoted(options.units), QStringLiteral("u"));
    QString order;
    switch (kind) {
    case SituationKind::AtDate:
    case SituationKind::Summary:
        order = QStringLiteral("1, 2, 3");
        break;
    case SituationKind::ByAccount:
        order = QStringLiteral("2, 3, 1, 4, 5");
        break;
    case SituationKind::SummaryByAccount:
        order = QStringLiteral("2, 3, 1, 5");
        break;
    }
    // Ties (several entry lines or stock rows for one key) go by the entry line's
    // counter, initial stock first, so that the line kept is always the same.
    order += QStringLiteral(", I.\"Contor\", S.\"Pret_achizitie\", S.\"Lot\", S.\"QIn\", S.\"QOut\"");

    // One name per classification code even when the code sits under two main groups.
    const QString groups = QStringLiteral(
        "(SELECT \"Cod_grupa\", MIN(\"Cod_material\") \"Cod_material\", \"Cont_sint\", \"Denumire\" "
        "FROM \"Grup\" GROUP BY \"Cod_grupa\")");
    const QString sql =
        QStringLiteral("SELECT DISTINCT S.\"Cod_gestiune\", %1 S.\"Cod_grupa\", S.\"Cod_articol\", S.\"Pret_achizitie\", "
                       "S.\"Lot\", S.\"QIn\", S.\"QOut\", I.\"Denumire\", I.\"DurataTotala\", I.\"DurataRamasa\", "
                       "I.\"ValoareAmortizata\", D.\"Data\", I.\"Contor\", I.\"Domeniu\", I.\"CalcAmortizare\" "
                       "FROM \"PVL_PRIV\".\"ANSW_ST\" S "
                       "LEFT JOIN \"Item_in\" I ON %2I.\"Cod_grupa\" = S.\"Cod_grupa\" AND I.\"Cod_articol\" = S.\"Cod_articol\" "
                       "LEFT JOIN \"Doc_in\" D ON D.\"Contor\" = I.\"Contor\" %3"
                       "WHERE %4%5%6 ORDER BY %7")
            .arg(accounts ? QStringLiteral("COALESCE(G.\"Cont_sint\", '') , COALESCE(G.\"Cod_material\", ''),")
                          : QString(),
                 entryJoin,
                 accounts ? QStringLiteral("LEFT JOIN %1 G ON G.\"Cod_grupa\" = S.\"Cod_grupa\" ").arg(groups) : QString(),
                 stockCondition, units.andClause(),
                 options.budget.isEmpty() ? QString() : QStringLiteral(" AND I.\"Agent\" = :budget"), order);

    const TVTable table = accounts ? accountAnswerTable() : TVTables::answTmp();
    SchemaWriter(m_db).replaceTable(table, QLatin1String(Database::privateSchema));

    QVariantMap values = units.values;
    if (kind != SituationKind::SummaryByAccount)
        values.insert(QStringLiteral(":eps"), options.epsilon);
    if (!options.budget.isEmpty())
        values.insert(QStringLiteral(":budget"), options.budget);

    const int first = accounts ? 3 : 1; // index of Cod_grupa in the selection
    QStringList names;
    for (const DEF_FIELD &f : table.fields())
        names << QLatin1Char('"') + f.name + QLatin1Char('"');
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QLatin1String("?");
    const QString insertSql = QStringLiteral("INSERT OR IGNORE INTO \"PVL_PRIV\".\"ANSW_TMP\" (%1) VALUES (%2)")
                                  .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));

    const int columns = accounts ? 17 : 15; // the inputs: ANSW_TMP up to CalcAmortizare
    m_db.writeTransaction([&] {
        QSqlQuery select = forwardQuery(m_db, sql, values);
        RowInsert insert(m_db, insertSql);
        while (select.next()) {
            auto v = [&](int i) { return select.value(i); };
            DepreciationRule::Input in;
            in.Pret_achizitie = v(first + 2).toDouble();
            in.Lot = dateOf(v(first + 3));
            in.QIn = v(first + 4).toDouble();
            in.QOut = v(first + 5).toDouble();
            in.DurataRamasa = v(first + 8).toDouble();
            in.ValoareAmortizata = v(first + 9).toDouble();
            in.Data = dateOf(v(first + 10));
            in.Contor = v(first + 11).toDouble();
            in.CalcAmortizare = v(first + 13).toBool();
            in.reportDate = options.date;
            const DepreciationRule::Result out = DepreciationRule::compute(in);
            if (options.onlyUndepreciated && std::fabs(out.AmortizareLunara) < 0.005
                && std::fabs(out.ValoareRamasa) < 0.005)
                continue;
            int b = 1;
            for (int i = 0; i < columns; ++i)
                insert.bind(b++, select.value(i));
            for (double x : {out.Cantitate, out.Valoare})
                insert.bind(b++, x);
            insert.bind(b++, QVariant()); // VVal and DifVal stay empty
            insert.bind(b++, QVariant());
            for (double x : {out.AmortizareLunara, out.AmortizareCalculata, out.ValoareRamasa,
                             out.DurataRamasaActualizata})
                insert.bind(b++, x);
            insert.exec(); // a second row for a key is refused: the first one stays
        }
        select.finish();
    });

    // Read back in print order; the rule runs again on the stored inputs.
    const QString readSql =
        QStringLiteral("SELECT T.\"Cod_Gestiune\", COALESCE(U.\"Denumire\", ''), %1, %2, COALESCE(M.\"Denumire\", ''), "
                       "T.\"Cod_grupa\", COALESCE(G.\"Denumire\", ''), T.\"Cod_articol\", T.\"Denumire\", T.\"Domeniu\", "
                       "T.\"Pret_achizitie\", T.\"QIn\", T.\"QOut\", T.\"Lot\", T.\"DurataTotala\", T.\"DurataRamasa\", "
                       "T.\"ValoareAmortizata\", T.\"Data\", T.\"Contor\", T.\"CalcAmortizare\" "
                       "FROM \"PVL_PRIV\".\"ANSW_TMP\" T "
                       "LEFT JOIN \"Gest\" U ON U.\"Cod\" = T.\"Cod_Gestiune\" "
                       "LEFT JOIN %3 G ON G.\"Cod_grupa\" = T.\"Cod_grupa\" "
                       "LEFT JOIN \"Materiale\" M ON M.\"Cod_material\" = %2 "
                       "ORDER BY %4")
            .arg(accounts ? QStringLiteral("T.\"Cont_sint\"") : QStringLiteral("COALESCE(G.\"Cont_sint\", '')"),
                 accounts ? QStringLiteral("T.\"Cod_material\"") : QStringLiteral("COALESCE(G.\"Cod_material\", '')"),
                 groups,
                 accounts ? QStringLiteral("3, 4, 1, 6, 8") : QStringLiteral("1, 6, 8"));
    QVector<ReportRow> rows;
    QSqlQuery read = forwardQuery(m_db, readSql, {});
    while (read.next()) {
        auto v = [&](int i) { return read.value(i); };
        DepreciationRule::Input in;
        in.Pret_achizitie = v(10).toDouble();
        in.QIn = v(11).toDouble();
        in.QOut = v(12).toDouble();
        in.Lot = dateOf(v(13));
        in.DurataRamasa = v(15).toDouble();
        in.ValoareAmortizata = v(16).toDouble();
        in.Data = dateOf(v(17));
        in.Contor = v(18).toDouble();
        in.CalcAmortizare = v(19).toBool();
        in.reportDate = options.date;
        const DepreciationRule::Result out = DepreciationRule::compute(in);
        ReportRow row(FieldCount);
        row[Unit] = v(0).toString();
        row[UnitName] = v(1).toString();
        row[Account] = v(2).toString();
        row[MainGroup] = v(3).toString();
        row[MainGroupName] = v(4).toString();
        row[Group] = v(5).toString();
        row[GroupName] = v(6).toString();
        row[Article] = v(7).toString();
        row[Name] = v(8).toString();
        row[Domain] = v(9).toString();
        row[Price] = in.Pret_achizitie;
        row[Quantity] = out.Cantitate;
        row[Value] = cents(out.Valoare);
        row[Lot] = in.Lot;
        row[TotalDuration] = v(14).toDouble();
        row[RemainingDuration] = in.DurataRamasa;
        row[InitialDepreciation] = cents(in.ValoareAmortizata);
        row[Monthly] = cents(out.AmortizareLunara);
        row[Computed] = cents(out.AmortizareCalculata);
        row[UpdatedDuration] = out.DurataRamasaActualizata;
        row[Remaining] = cents(out.ValoareRamasa);
        rows.append(row);
    }
    return rows;
}

void DepreciationSituation::dropAnswerTable()
{
    SchemaWriter(m_db).dropTable(TVTables::answTmp().name(), QLatin1String(Database::privateSchema));
}

bool DepreciationSituation::readHeader(int firmNo, const QString &budget, SituationReport::Header &header)
{
    if (!budget.isEmpty()) {
        QSqlQuery q = m_db.run(QStringLiteral("SELECT \"Nume_client\" FROM \"Client\" WHERE \"Cod_client\" = :b"),
                               {{QStringLiteral(":b"), budget}});
        if (!q.next())
            return false;
        header.budgetName = q.value(0).toString();
    }
    QSqlQuery firm = m_db.run(QStringLiteral("SELECT \"Denumire\", \"Cod fiscal\", \"Adresa\" FROM \"Firmdata\" "
                                             "WHERE \"Cod\" = :n"),
                              {{QStringLiteral(":n"), firmNo}});
    if (firm.next()) {
        header.company = firm.value(0).toString();
        header.fiscalCode = firm.value(1).toString();
        header.address = firm.value(2).toString();
    }
    return true; // the queries end here, so that no reading holds the answer tables
}

bool DepreciationSituation::hasBudgets()
{
    QSqlQuery q = m_db.run(QStringLiteral("SELECT 1 FROM \"Client\" LIMIT 1"));
    return q.next();
}
