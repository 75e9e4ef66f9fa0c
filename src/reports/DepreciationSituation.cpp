#include "reports/DepreciationSituation.h"

#include "catalogs/CodeList.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SchemaWriter.h"
#include "db/SqliteStatement.h"
#include "db/TVTables.h"
#include "printing/PrintRounding.h"
#include "reports/DepreciationRule.h"

#include <QSqlQuery>

#include <cmath>
#include <set>

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

double cents(double v)
{
    return DepreciationSituation::printedAmount(v);
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
    // The captions of the groups come with the lines, so that the lines are read once,
    // already in print order.
    const QString sql =
        QStringLiteral("SELECT S.\"Cod_gestiune\", %1 S.\"Cod_grupa\", S.\"Cod_articol\", S.\"Pret_achizitie\", "
                       "S.\"Lot\", S.\"QIn\", S.\"QOut\", I.\"Denumire\", I.\"DurataTotala\", I.\"DurataRamasa\", "
                       "I.\"ValoareAmortizata\", D.\"Data\", I.\"Contor\", I.\"Domeniu\", I.\"CalcAmortizare\", "
                       "COALESCE(U.\"Denumire\", ''), COALESCE(G.\"Cont_sint\", ''), COALESCE(G.\"Cod_material\", ''), "
                       "COALESCE(M.\"Denumire\", ''), COALESCE(G.\"Denumire\", '') "
                       "FROM \"PVL_PRIV\".\"ANSW_ST\" S "
                       "LEFT JOIN \"Item_in\" I ON %2I.\"Cod_grupa\" = S.\"Cod_grupa\" AND I.\"Cod_articol\" = S.\"Cod_articol\" "
                       "LEFT JOIN \"Doc_in\" D ON D.\"Contor\" = I.\"Contor\" "
                       "LEFT JOIN %3 G ON G.\"Cod_grupa\" = S.\"Cod_grupa\" "
                       "LEFT JOIN \"Gest\" U ON U.\"Cod\" = S.\"Cod_gestiune\" "
                       "LEFT JOIN \"Materiale\" M ON M.\"Cod_material\" = COALESCE(G.\"Cod_material\", '') "
                       "WHERE %4%5%6 ORDER BY %7")
            .arg(accounts ? QStringLiteral("COALESCE(G.\"Cont_sint\", '') , COALESCE(G.\"Cod_material\", ''),")
                          : QString(),
                 entryJoin, groups, stockCondition, units.andClause(),
                 options.budget.isEmpty() ? QString() : QStringLiteral(" AND I.\"Agent\" = :budget"), order);

    const TVTable table = accounts ? accountAnswerTable() : TVTables::answTmp();
    SchemaWriter(m_db).replaceTable(table, QLatin1String(Database::privateSchema));

    QVariantMap values = units.values;
    if (kind != SituationKind::SummaryByAccount)
        values.insert(QStringLiteral(":eps"), options.epsilon);
    if (!options.budget.isEmpty())
        values.insert(QStringLiteral(":budget"), options.budget);

    QStringList names;
    for (const DEF_FIELD &f : table.fields())
        names << QLatin1Char('"') + f.name + QLatin1Char('"');
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QLatin1String("?");
    const QString insertSql = QStringLiteral("INSERT INTO \"PVL_PRIV\".\"ANSW_TMP\" (%1) VALUES (%2)")
                                  .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));

    const int first = accounts ? 3 : 1;      // index of Cod_grupa in the selection
    const int columns = accounts ? 17 : 15;  // the inputs: ANSW_TMP up to CalcAmortizare
    const int captions = columns;            // unit name, account, main group, its name, group name
    QVector<ReportRow> rows;
    // Deferred: the data tables are only read; the rows go to the private answer table.
    m_db.answerTransaction([&] {
        SqliteStatement select(m_db, sql);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            select.bind(it.key(), it.value());
        SqliteStatement insert(m_db, insertSql);
        // Rows come sorted by their key, the preferred one first: the first row of each
        // key is kept. A key with an empty part is never a duplicate (as in the answer
        // table's primary key).
        QString keptUnit, keptGroup, keptArticle, keptAccount, keptMain;
        bool anyKept = false;
        std::set<QString> nullKeyRows;
        while (select.next()) {
            const bool nullKey = select.isNull(0) || select.isNull(first) || select.isNull(first + 1);
            const QString unit = select.text(0);
            const QString group = select.text(first);
            const QString article = select.text(first + 1);
            const QString account = accounts ? select.text(1) : QString();
            const QString mainGroup = accounts ? select.text(2) : QString();
            if (!nullKey && anyKept && unit == keptUnit && group == keptGroup && article == keptArticle
                && account == keptAccount && mainGroup == keptMain)
                continue;
            // Such rows are each printed, but a row repeated whole only once.
            if (nullKey && !nullKeyRows.insert(select.rowText(columns)).second)
                continue;
            DepreciationRule::Input in;
            in.Pret_achizitie = select.number(first + 2);
            in.Lot = select.date(first + 3);
            in.QIn = select.number(first + 4);
            in.QOut = select.number(first + 5);
            in.DurataRamasa = select.number(first + 8);
            in.ValoareAmortizata = select.number(first + 9);
            in.Data = select.date(first + 10);
            in.Contor = select.number(first + 11);
            in.CalcAmortizare = select.boolean(first + 13);
            in.reportDate = options.date;
            const DepreciationRule::Result out = DepreciationRule::compute(in);
            if (options.onlyUndepreciated && std::fabs(out.AmortizareLunara) < 0.005
                && std::fabs(out.ValoareRamasa) < 0.005)
                continue;
            int b = 1;
            for (int i = 0; i < columns; ++i)
                insert.bindColumn(b++, select, i);
            for (double x : {out.Cantitate, out.Valoare})
                insert.bind(b++, x);
            insert.bind(b++, QVariant()); // VVal and DifVal stay empty
            insert.bind(b++, QVariant());
            for (double x : {out.AmortizareLunara, out.AmortizareCalculata, out.ValoareRamasa,
                             out.DurataRamasaActualizata})
                insert.bind(b++, x);
            if (!insert.execute())
                continue; // a row the answer table refuses is not printed either
            keptUnit = unit;
            keptGroup = group;
            keptArticle = article;
            keptAccount = account;
            keptMain = mainGroup;
            anyKept = true;

            ReportRow row(FieldCount);
            row[Unit] = unit;
            row[UnitName] = select.text(captions);
            row[Account] = select.text(captions + 1);
            row[MainGroup] = select.text(captions + 2);
            row[MainGroupName] = select.text(captions + 3);
            row[Group] = group;
            row[GroupName] = select.text(captions + 4);
            row[Article] = article;
            row[Name] = select.text(first + 6);
            row[Domain] = select.text(first + 12);
            row[Price] = in.Pret_achizitie;
            row[Quantity] = out.Cantitate;
            row[Value] = cents(out.Valoare);
            row[Lot] = in.Lot;
            row[TotalDuration] = select.number(first + 7);
            row[RemainingDuration] = in.DurataRamasa;
            row[InitialDepreciation] = cents(in.ValoareAmortizata);
            row[Monthly] = cents(out.AmortizareLunara);
            row[Computed] = cents(out.AmortizareCalculata);
            row[UpdatedDuration] = out.DurataRamasaActualizata;
            row[Remaining] = cents(out.ValoareRamasa);
            rows.append(row);
        }
    });
    return rows;
}

double DepreciationSituation::printedAmount(double value)
{
    // Away from a half cent the binary value rounds as its decimal text does (the margin
    // covers the 15 significant digits the masks read); only near one is the text asked.
    const double x = value * 100;
    if (std::isfinite(x) && std::fabs(x) < 1e15) {
        const double fraction = x - std::floor(x);
        if (std::fabs(fraction - 0.5) > 1e-6 + std::fabs(x) * 1e-14) {
            const double r = std::round(x) / 100;
            return r == 0 ? 0.0 : r;
        }
    }
    return PrintRounding::toDecimals(value, 2);
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
