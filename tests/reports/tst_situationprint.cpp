#include "TestEnv.h"

#include "SqlFile.h"

#include "db/Database.h"
#include "documents/StockAtDate.h"
#include "printing/PageSetup.h"
#include "printing/PrintSettings.h"
#include "reports/DepreciationSituation.h"
#include "reports/SituationReport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <map>

using tessaro_test::pdfText;

using F = DepreciationSituation::Field;

// The printouts of the depreciation situations as laid out: headings and names printed
// whole, a breakdown kept with its total, the unit in the page header, the amounts as
// the masks round them, the separators of the data directory, the error text.
class SituationPrintTest : public QObject
{
    Q_OBJECT

    static QString binary() { return QStringLiteral(TESSARO_BINARY); }

    static PageSetup landscape()
    {
        PrintSettings settings;
        settings.applyPreset(PrintSettings::Landscape);
        return PageSetup::fromSettings(settings);
    }

    // An asset line as DepreciationSituation gives it.
    static ReportRow line(const QString &unit, const QString &group, const QString &article, double value,
                          const QString &name = QStringLiteral("Strung"), const QString &groupName = QStringLiteral("Masini"))
    {
        ReportRow r(F::FieldCount);
        r[F::Unit] = unit;
        r[F::UnitName] = unit == QLatin1String("G1") ? QStringLiteral("Atelier mecanic") : QStringLiteral("Depozit ") + unit;
        r[F::Account] = QStringLiteral("2131");
        r[F::MainGroup] = group.left(1);
        r[F::MainGroupName] = QStringLiteral("Grupa ") + group.left(1);
        r[F::Group] = group;
        r[F::GroupName] = groupName;
        r[F::Article] = article;
        r[F::Name] = name;
        r[F::Domain] = QStringLiteral("public");
        r[F::Price] = value;
        r[F::Quantity] = 1.0;
        r[F::Value] = value;
        r[F::Lot] = QDate(2020, 3, 15);
        r[F::TotalDuration] = 36.0;
        r[F::RemainingDuration] = 36.0;
        r[F::InitialDepreciation] = 0.0;
        r[F::Monthly] = value / 36;
        r[F::Computed] = 0.0;
        r[F::UpdatedDuration] = 36.0;
        r[F::Remaining] = value;
        return r;
    }

    static SituationReport::Header header()
    {
        SituationReport::Header h;
        h.company = QStringLiteral("Primaria Test");
        h.date = QDate(2022, 6, 30);
        h.printed = QDate(2022, 7, 1);
        return h;
    }

    static QStringList words(const ReportPage &page)
    {
        QStringList out;
        for (const ReportText &t : page.texts)
            out << t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return out;
    }

    static void fill(const TestEnv &env)
    {
        QCOMPARE(tessaro_test::initDataDir(binary(), env, {QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/common.sql")}),
                 QString());
    }

private Q_SLOTS:
    // Every column heading is printed letter for letter, on as many lines as it needs.
    void headingsPrintedWhole_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("situatia") << int(SituationKind::AtDate);
        QTest::newRow("pe conturi") << int(SituationKind::ByAccount);
        QTest::newRow("centralizator") << int(SituationKind::Summary);
        QTest::newRow("centralizator pe conturi") << int(SituationKind::SummaryByAccount);
    }
    void headingsPrintedWhole()
    {
        QFETCH(int, kind);
        const SituationKind k = SituationKind(kind);
        const ReportDocument doc =
            SituationReport::document(k, header(), {line(QStringLiteral("G1"), QStringLiteral("2.1.1"), QStringLiteral("A1"), 100)},
                                      landscape());
        const ReportPage &page = doc.pages.first();
        QRectF headings;
        for (const ReportBox &b : page.boxes)
            if (b.fillGray >= 0)
                headings = b.rect;
        QVERIFY(!headings.isNull());
        // The lines of one heading share their cell's left edge.
        std::map<int, QVector<ReportText>> byColumn;
        for (const ReportText &t : page.texts)
            if (headings.contains(t.cell.center()))
                byColumn[int(std::lround(t.cell.left() * 100))].append(t);
        QStringList printed;
        for (auto &[left, texts] : byColumn) {
            std::sort(texts.begin(), texts.end(), [](const ReportText &a, const ReportText &b) { return a.cell.top() < b.cell.top(); });
            QString joined;
            for (const ReportText &t : texts)
                joined += t.text;
            printed << joined.remove(QLatin1Char(' '));
        }
        QStringList captions;
        for (const ReportColumn &c : SituationReport::definition(k, header()).columns)
            captions << QString(c.caption).remove(QLatin1Char(' ')).remove(QLatin1Char('\n'));
        QCOMPARE(printed, captions);
    }

    // Long names wrap onto more lines; no word is cut.
    void namesWrapped_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("asset name") << int(SituationKind::AtDate);
        QTest::newRow("group name in the summary") << int(SituationKind::Summary);
    }
    void namesWrapped()
    {
        QFETCH(int, kind);
        const QString longName = QStringLiteral(
            "Constructii speciale pentru transporturi, telecomunicatii si retele, din beton armat sau metal, "
            "cu instalatiile lor de iluminat si semnalizare luminoasa");
        // Only the column under test holds the long name (the asset report's group
        // header, which spans the page, keeps a short one).
        const bool assets = SituationKind(kind) == SituationKind::AtDate;
        const ReportDocument doc = SituationReport::document(
            SituationKind(kind), header(),
            {line(QStringLiteral("G1"), QStringLiteral("1.2.3"), QStringLiteral("A1"), 100,
                  assets ? longName : QStringLiteral("Strung"), assets ? QStringLiteral("Masini") : longName),
             line(QStringLiteral("G1"), QStringLiteral("1.2.4"), QStringLiteral("A2"), 200)},
            landscape());
        const QStringList printed = words(doc.pages.first());
        for (const QString &word : longName.split(QLatin1Char(' ')))
            QVERIFY2(printed.contains(word), qPrintable(word));
        QVERIFY(printed.contains(QStringLiteral("A2")) || printed.contains(QStringLiteral("1.2.4")));
    }

    // A unit's total, "din care, grupa: " and its breakdown go on one page: a page never
    // begins with the breakdown of a total printed on the page before.
    void breakdownStaysWithItsTotal()
    {
        const QRegularExpression key(QStringLiteral("^[0-9]+\\.$"));
        for (int units = 1; units <= 40; ++units) {
            QVector<ReportRow> rows;
            for (int u = 0; u < units; ++u) {
                const QString unit = QStringLiteral("U%1").arg(u, 2, 10, QLatin1Char('0'));
                for (int g = 0; g <= u % 5; ++g)
                    rows << line(unit, QStringLiteral("%1.1").arg(g + 1), QStringLiteral("A%1").arg(g), 10.0 * (g + 1));
            }
            const ReportDocument doc = SituationReport::document(SituationKind::Summary, header(), rows, landscape());
            for (int p = 0; p < doc.pageCount(); ++p) {
                double firstBreakdown = 1e9;
                double firstTotal = 1e9;
                for (const ReportText &t : doc.pages[p].texts) {
                    if (t.text == QLatin1String("din care, grupa: ") || key.match(t.text).hasMatch())
                        firstBreakdown = std::min(firstBreakdown, t.cell.top());
                    if (t.text.startsWith(QLatin1String("Total pe gestiunea")) || t.text == QLatin1String("Total general"))
                        firstTotal = std::min(firstTotal, t.cell.top());
                }
                if (firstBreakdown < 1e9)
                    QVERIFY2(firstTotal < firstBreakdown, qPrintable(QStringLiteral("%1 units, page %2").arg(units).arg(p + 1)));
            }
        }
    }

    // The page header names the unit the page lists, as its name.
    void unitNameInPageHeader()
    {
        const ReportDocument doc = SituationReport::document(
            SituationKind::AtDate, header(),
            {line(QStringLiteral("G1"), QStringLiteral("2.1.1"), QStringLiteral("A1"), 100),
             line(QStringLiteral("G2"), QStringLiteral("2.1.1"), QStringLiteral("A2"), 100)},
            landscape());
        QCOMPARE(doc.pageCount(), 2);
        const QStringList names{QStringLiteral("Atelier mecanic"), QStringLiteral("Depozit G2")};
        for (int p = 0; p < 2; ++p) {
            QStringList texts;
            for (const ReportText &t : doc.pages[p].texts)
                texts << t.text;
            QVERIFY2(texts.contains(names[p]), qPrintable(texts.join(QLatin1Char('|'))));
            QVERIFY(texts.filter(QStringLiteral("G1 Atelier")).isEmpty());
        }
    }

    // Line amounts are the amounts the masks print (half away from zero on the decimal
    // value); a group's total adds the printed lines.
    void amountsAsPrinted_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("twice");
        QTest::newRow("12.495") << 12.495 << "12.50" << "25.00";
        QTest::newRow("1.005") << 1.005 << "1.01" << "2.02";
        QTest::newRow("0.125") << 0.125 << "0.13" << "0.26";
        QTest::newRow("1234.565") << 1234.565 << "1234.57" << "2469.14";
        QTest::newRow("2.675") << 2.675 << "2.68" << "5.36";
        QTest::newRow("plain") << 10.25 << "10.25" << "20.50";
    }
    void amountsAsPrinted()
    {
        QFETCH(double, price);
        QFETCH(QString, printed);
        QFETCH(QString, twice);
        TestEnv env;
        QCOMPARE(tessaro_test::initDataDir(binary(), env), QString());
        Database db(env.dataDir(), env.workstation(), QStringLiteral("rounding"));
        db.open();
        db.run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"Denumire\", \"Cont_sint\") "
                              "VALUES ('2', '2.1.1', 'Masini', '2131')"));
        db.run(QStringLiteral("INSERT INTO \"Doc_in\" (\"Contor\", \"Data_inregistrarii\", \"Data\") "
                              "VALUES (1, '2022-01-10', '2022-01-10')"));
        for (int n = 1; n <= 2; ++n)
            db.run(QStringLiteral("INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", \"Cod_grupa\", "
                                  "\"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", \"DurataTotala\", "
                                  "\"DurataRamasa\", \"ValoareAmortizata\", \"Denumire\", \"Domeniu\", \"CalcAmortizare\") "
                                  "VALUES (1, :n, 'G1', '2.1.1', :a, '2021-12-01', 1, :p, 12, 12, 0, 'Masina', 'privat', 0)"),
                   {{QStringLiteral(":n"), n}, {QStringLiteral(":a"), QStringLiteral("A%1").arg(n)},
                    {QStringLiteral(":p"), price}});
        StockAtDate stock(db, false);
        QVERIFY(stock.build(QDate(2022, 6, 30), {}));
        DepreciationSituation situation(db);
        DepreciationSituation::Options o;
        o.date = QDate(2022, 6, 30);
        const QVector<ReportRow> rows = situation.build(SituationKind::AtDate, o);
        QCOMPARE(rows.size(), 2);
        const QStringList detail = SituationReport::csv(SituationKind::AtDate, rows).split(QLatin1Char('\n'));
        QCOMPARE(detail.value(1).section(QLatin1Char(','), 7, 7), printed); // Valoare
        const QVector<ReportRow> summary = situation.build(SituationKind::Summary, o);
        const QStringList lines = SituationReport::csv(SituationKind::Summary, summary).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(1).section(QLatin1Char(','), 3, 3), twice);
    }

    // The headless printout uses the decimal separator of the data directory.
    void separatorOfTheDataDirectory_data()
    {
        QTest::addColumn<QString>("parameter"); // empty: no key
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notShown");
        QTest::newRow("comma") << "Coma" << "12.000,00" << "12,000.00";
        QTest::newRow("point") << "Period" << "12,000.00" << "12.000,00";
        QTest::newRow("no key") << "" << "12,000.00" << "12.000,00";
    }
    void separatorOfTheDataDirectory()
    {
        QFETCH(QString, parameter);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        TestEnv env;
        fill(env);
        QFile ini(env.dataDir() + QStringLiteral("PVLDEF.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(parameter.isEmpty() ? QByteArray("[Default]\n")
                                      : QStringLiteral("[Default]\nDecimal separator=%1\n").arg(parameter).toUtf8());
        ini.close();
        const QString pdf = env.path(QStringLiteral("r.pdf"));
        const auto r = tessaro_test::runProgram(binary(), {QStringLiteral("report"), QStringLiteral("situatia-amortizarii"),
                                                           QStringLiteral("--data"), env.dataDir(), QStringLiteral("--date"),
                                                           QStringLiteral("2022-06-30"), QStringLiteral("--pdf"), pdf});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(shown), qPrintable(text));
        QVERIFY(!text.contains(notShown));
    }

    // A database error during the printout reads as the situations write it.
    void databaseErrorText()
    {
        TestEnv env;
        fill(env);
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("break"));
            db.open();
            db.run(QStringLiteral("DROP TABLE \"Grup\""));
        }
        const auto r = tessaro_test::runProgram(binary(), {QStringLiteral("report"), QStringLiteral("situatia-amortizarii"),
                                                           QStringLiteral("--data"), env.dataDir(), QStringLiteral("--date"),
                                                           QStringLiteral("2022-06-30"), QStringLiteral("--csv"),
                                                           env.path(QStringLiteral("r.csv"))});
        QCOMPARE(r.exitCode, 1);
        const QString text = r.err.mid(r.err.indexOf(QLatin1String("Eroare: "))).trimmed();
        QVERIFY2(text.startsWith(QLatin1String("Eroare: Eroare de acces la baza de date!\n<")), qPrintable(text));
        QVERIFY2(text.endsWith(QLatin1String(">!")), qPrintable(text));
        QVERIFY(text.contains(QLatin1String("Grup")));
    }
};

TESSARO_TEST_MAIN(SituationPrintTest)
#include "tst_situationprint.moc"
