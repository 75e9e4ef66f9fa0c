#include "TestEnv.h"

#include "db/Database.h"
#include "db/SqliteStatement.h"
#include "printing/CsvOutput.h"
#include "reports/DepreciationRule.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationCsv.h"
#include "reports/SituationReport.h"

#include <QBuffer>
#include <QSet>

#include <cmath>
#include <limits>
#include <set>

using F = DepreciationSituation::Field;

namespace {

// The situation computed the long way round, as a check on the one pass: the stock at
// the date summed into a table, each stock row joined with every entry line of its
// asset, the whole sorted, the first row of each key kept, the CSV made from report rows.
QByteArray joinedSelectionCsv(Database &db, SituationKind kind, const DepreciationSituation::Options &o)
{
    const bool accounts = SituationKinds::byAccount(kind);
    QStringList marks;
    QVariantMap values{{":date", o.date.toString(Qt::ISODate)}};
    for (const QString &u : o.units) {
        marks << QStringLiteral(":u%1").arg(marks.size());
        values.insert(marks.last(), u);
    }
    const QString units = marks.isEmpty() ? QString() : QStringLiteral(" AND L.Cod_gestiune IN (%1)").arg(marks.join(','));
    auto lines = [&](const char *table, const char *docs, const char *price, bool entries) {
        return QStringLiteral("SELECT NULLIF(L.Cod_gestiune, '') g, NULLIF(L.Cod_grupa, '') c, NULLIF(L.Cod_articol, '') a, "
                              "COALESCE(L.%1, 0) p, NULLIF(L.Agent, '') ag, NULLIF(L.Lot, '') l, %2 FROM %3 L "
                              "JOIN %4 D ON D.Contor = L.Contor WHERE L.Cod_articol <> '' AND (D.Data_inregistrarii <= :date%5)%6")
            .arg(price, entries ? "COALESCE(L.Cantitate, 0) qin, 0 qout" : "0 qin, COALESCE(L.Cantitate, 0) qout", table,
                 docs, entries ? " OR NULLIF(D.Data_inregistrarii, '') IS NULL" : "", units);
    };
    db.run("DROP TABLE IF EXISTS temp.RefStock");
    db.run(QStringLiteral("CREATE TEMP TABLE RefStock AS SELECT g, c, a, p, ag, MIN(l) l, SUM(qin) qin, SUM(qout) qout "
                          "FROM (%1 UNION ALL %2) GROUP BY g, c, a, p, ag%3")
               .arg(lines("Item_in", "Doc_in", "Pret_achizitie_lei", true), lines("Item_out", "Doc_out", "Pret_achizitie", false),
                    o.withLots ? ", l" : ""),
           values);
    const QString order = kind == SituationKind::AtDate || kind == SituationKind::Summary ? "1, 2, 3"
                          : kind == SituationKind::ByAccount                               ? "2, 3, 1, 4, 5"
                                                                                           : "2, 3, 1, 5";
    const QString sql =
        QStringLiteral("SELECT S.g, %1 S.c, S.a, S.p, S.l, S.qin, S.qout, I.Denumire, I.DurataTotala, I.DurataRamasa, "
                       "I.ValoareAmortizata, D.Data, I.Contor, I.Domeniu, I.CalcAmortizare, COALESCE(U.Denumire, ''), "
                       "COALESCE(G.Cont_sint, ''), COALESCE(G.Cod_material, ''), COALESCE(M.Denumire, ''), COALESCE(G.Denumire, '') "
                       "FROM temp.RefStock S LEFT JOIN Item_in I ON %2 I.Cod_grupa = S.c AND I.Cod_articol = S.a "
                       "LEFT JOIN Doc_in D ON D.Contor = I.Contor "
                       "LEFT JOIN (SELECT Cod_grupa, MIN(Cod_material) Cod_material, Cont_sint, Denumire FROM Grup GROUP BY Cod_grupa) G "
                       "ON G.Cod_grupa = S.c LEFT JOIN Gest U ON U.Cod = S.g "
                       "LEFT JOIN Materiale M ON M.Cod_material = COALESCE(G.Cod_material, '') "
                       "WHERE %3%4%5 ORDER BY %6, I.Contor, I.Contor_secundar, S.p, S.l, S.qin, S.qout, S.ag")
            .arg(accounts ? "COALESCE(G.Cont_sint, ''), COALESCE(G.Cod_material, '')," : "",
                 kind == SituationKind::AtDate ? "I.Cod_gestiune = S.g AND" : "",
                 kind == SituationKind::SummaryByAccount ? "(S.qin - S.qout) > 0" : "((S.qin - S.qout) < -:eps OR (S.qin - S.qout) > :eps)",
                 QString(units).replace("L.Cod_gestiune", "S.g"), o.budget.isEmpty() ? "" : " AND I.Agent = :budget", order);
    SqliteStatement select(db, sql);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        select.bind(it.key(), it.value());
    select.bind(":eps", o.epsilon);
    select.bind(":budget", o.budget);
    const int first = accounts ? 3 : 1, captions = accounts ? 17 : 15;
    QVector<ReportRow> rows;
    QSet<QString> keys;
    std::set<QString> nullKeyRows;
    while (select.next()) {
        const bool nullKey = select.isNull(0) || select.isNull(first) || select.isNull(first + 1);
        const QString key = QStringList{select.text(0), select.text(first), select.text(first + 1),
                                        accounts ? select.text(1) : "", accounts ? select.text(2) : ""}
                                .join(QChar(0x1f));
        if (nullKey ? !nullKeyRows.insert(select.rowText(captions)).second : keys.contains(key))
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
        in.reportDate = o.date;
        const DepreciationRule::Result out = DepreciationRule::compute(in);
        if (o.onlyUndepreciated && std::fabs(out.AmortizareLunara) < 0.005 && std::fabs(out.ValoareRamasa) < 0.005)
            continue;
        if (!nullKey)
            keys.insert(key);
        auto cents = &DepreciationSituation::printedAmount;
        ReportRow row(F::FieldCount);
        row[F::Unit] = select.text(0);
        row[F::UnitName] = select.text(captions);
        row[F::Account] = select.text(captions + 1);
        row[F::MainGroup] = select.text(captions + 2);
        row[F::MainGroupName] = select.text(captions + 3);
        row[F::Group] = select.text(first);
        row[F::GroupName] = select.text(captions + 4);
        row[F::Article] = select.text(first + 1);
        row[F::Name] = select.text(first + 6);
        row[F::Domain] = select.text(first + 12);
        row[F::Price] = in.Pret_achizitie;
        row[F::Quantity] = out.Cantitate;
        row[F::Value] = cents(out.Valoare);
        row[F::Lot] = in.Lot;
        row[F::TotalDuration] = select.number(first + 7);
        row[F::RemainingDuration] = in.DurataRamasa;
        row[F::InitialDepreciation] = cents(in.ValoareAmortizata);
        row[F::Monthly] = cents(out.AmortizareLunara);
        row[F::Computed] = cents(out.AmortizareCalculata);
        row[F::UpdatedDuration] = out.DurataRamasaActualizata;
        row[F::Remaining] = cents(out.ValoareRamasa);
        rows.append(row);
    }
    return SituationReport::csv(kind, rows).toUtf8();
}

} // namespace

class SituationsStreamTest : public QObject
{
    Q_OBJECT

private slots:
    // Demo registers (transfers between units, scrappings, initial stock) with awkward
    // lines added: a line without its document, an exit without an entry, an asset at
    // two values, empty unit, group and lot, a second entry of a transferred asset.
    void agreesWithTheJoinedSelection_data()
    {
        QTest::addColumn<int>("assets");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QString>("budget");
        QTest::addColumn<bool>("only");
        QTest::addColumn<bool>("lots");
        QTest::newRow("all, at the demo's month") << 600 << "2026-10-31" << QStringList() << "" << false << false;
        QTest::newRow("only undepreciated") << 600 << "2026-10-31" << QStringList() << "" << true << false;
        QTest::newRow("two units, a budget") << 900 << "2024-12-31" << QStringList{"SCG", "AP"} << "LOC" << false << false;
        QTest::newRow("with lots, early date") << 900 << "2019-08-31" << QStringList() << "" << false << true;
        QTest::newRow("budget, only undepreciated, lots") << 400 << "2025-06-30" << QStringList() << "STA" << true << true;
    }
    void agreesWithTheJoinedSelection()
    {
        QFETCH(int, assets);
        QFETCH(QString, date);
        QFETCH(QStringList, units);
        QFETCH(QString, budget);
        QFETCH(bool, only);
        QFETCH(bool, lots);
        TestEnv env;
        const auto demo = tessaro_test::runProgram(QStringLiteral(TESSARO_BINARY),
                                                   {"demo", env.dataDir(), "--assets", QString::number(assets)});
        QCOMPARE(demo.exitCode, 0);
        Database db(env.dataDir(), env.workstation());
        db.open();
        for (const char *sql : {
                 "INSERT INTO Doc_in (Contor, Data_inregistrarii, Data) VALUES (900001, '2019-03-10', '2019-03-01')",
                 // A line whose document is missing: never in stock, still an entry line.
                 "INSERT INTO Item_in (Contor, Contor_secundar, Cod_gestiune, Cod_grupa, Cod_articol, Lot, Cantitate, "
                 "Pret_achizitie_lei, Agent, Denumire, DurataTotala, DurataRamasa, ValoareAmortizata, CalcAmortizare) "
                 "SELECT 999999, rowid, Cod_gestiune, Cod_grupa, Cod_articol, Lot, 1, 5, Agent, 'Fara document', 10, 10, 0, 1 "
                 "FROM Item_in WHERE Contor > 0 LIMIT 3",
                 // The same assets at a second value, a later entry with another name.
                 "INSERT INTO Item_in (Contor, Contor_secundar, Cod_gestiune, Cod_grupa, Cod_articol, Lot, Cantitate, "
                 "Pret_achizitie_lei, Agent, Denumire, DurataTotala, DurataRamasa, ValoareAmortizata, CalcAmortizare) "
                 "SELECT 900001, rowid, Cod_gestiune, Cod_grupa, Cod_articol, '2019-03-01', 2, Pret_achizitie_lei + 1, Agent, "
                 "'Doua preturi', 24, 20, 3.5, 1 FROM Item_in WHERE rowid % 97 = 0",
                 // Empty codes and lots.
                 "INSERT INTO Item_in (Contor, Contor_secundar, Cod_gestiune, Cod_grupa, Cod_articol, Lot, Cantitate, "
                 "Pret_achizitie_lei, Agent, Denumire, DurataTotala, DurataRamasa, ValoareAmortizata, CalcAmortizare) VALUES "
                 "(900001, 90001, '', '2.2.9', 'FARA-GEST', '2019-01-01', 1, 100, 'LOC', 'Fara gestiune', 12, 12, 0, 1), "
                 "(900001, 90002, NULL, '2.2.9', 'FARA-GEST', '2019-01-01', 1, 100, 'LOC', 'Fara gestiune', 12, 12, 0, 1), "
                 "(900001, 90003, 'AP', '', 'FARA-GRUPA', '', 1, 100, 'STA', 'Fara grupa', 12, 12, 0, 1), "
                 "(900001, 90004, 'AP', '2.2.9', 'FARA-LOT', '', 3, 100, NULL, 'Fara lot', 12, 12, 0, 0)",
                 // Out more than ever entered: negative stock; out of an asset never entered.
                 "INSERT INTO Doc_out (Contor, Data_inregistrarii, Data) VALUES (900001, '2019-04-01', '2019-04-01')",
                 "INSERT INTO Item_out (Contor, Contor_secundar, Cod_gestiune, Cod_grupa, Cod_articol, Cantitate, "
                 "Pret_achizitie, Lot, Agent) VALUES (900001, 1, 'AP', '2.2.9', 'FARA-LOT', 5, 100, '2018-05-05', NULL), "
                 "(900001, 2, 'SCG', '2.2.9', 'NICIODATA', 1, 40, NULL, 'LOC')"})
            db.run(QString::fromUtf8(sql));

        DepreciationSituation::Options o;
        o.date = QDate::fromString(date, Qt::ISODate);
        o.units = units;
        o.budget = budget;
        o.onlyUndepreciated = only;
        o.withLots = lots;
        for (SituationKind kind : {SituationKind::AtDate, SituationKind::ByAccount, SituationKind::Summary,
                                   SituationKind::SummaryByAccount}) {
            const QByteArray expected = joinedSelectionCsv(db, kind, o);
            QBuffer streamed;
            streamed.open(QIODevice::WriteOnly);
            const SituationCsv::Outcome outcome = SituationCsv::write(db, kind, o, streamed);
            QVERIFY(outcome.documents);
            QVERIFY(outcome.written);
            QCOMPARE(outcome.lines, expected.count('\n') - 1);
            QVERIFY2(expected.count('\n') > 3, qPrintable(SituationKinds::commandName(kind)));
            QCOMPARE(streamed.data(), expected);
            // The laid-out printout reads the same lines.
            QCOMPARE(SituationReport::csv(kind, DepreciationSituation(db).build(kind, o)).toUtf8(), expected);
        }
    }

    // The cells formatted straight to UTF-8 read as the general CSV writer writes them.
    void cellsAsTheCsvWriter_data()
    {
        QTest::addColumn<double>("value");
        for (double v : {0.0, -0.0, 1.0, -1.0, 0.1 + 0.2, 1e-7, 123456.789, 290415.97, 2.675, -12.495, 1e14 + 0.5,
                         9007199254740993.0, 1152921504606846976.0, 1e21, 5e-324, 1.0 / 3})
            QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }
    void cellsAsTheCsvWriter()
    {
        QFETCH(double, value);
        QByteArray number, amount;
        SituationCsv::appendNumber(number, value);
        QCOMPARE(QString::fromUtf8(number), CsvOutput::field(value));
        if (std::isfinite(value) && std::fabs(value) < 1e15) {
            SituationCsv::appendAmount(amount, value);
            QString expected = QString::number(DepreciationSituation::printedAmount(value), 'f', 2);
            if (expected == QLatin1String("-0.00"))
                expected = QStringLiteral("0.00");
            QCOMPARE(QString::fromUtf8(amount), expected);
        }
    }

    void textCellsAsTheCsvWriter_data()
    {
        QTest::addColumn<QString>("text");
        int n = 0;
        for (const char *t : {"", "AP", "Mașină de găurit", "a,b", "spune \"da\"", "două\nrânduri", "=SUM(A1)", "+40",
                              "-3", "@x", "'citat", "Țesătorie, „veche”"})
            QTest::addRow("text %d", ++n) << QString::fromUtf8(t);
    }
    void textCellsAsTheCsvWriter()
    {
        QFETCH(QString, text);
        QByteArray cell;
        SituationCsv::appendText(cell, text.toUtf8());
        QCOMPARE(QString::fromUtf8(cell), CsvOutput::text(text));
    }
};

TESSARO_TEST_MAIN(SituationsStreamTest)
#include "tst_situationsstream.moc"
