#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "documents/EntryDocumentService.h"
#include "documents/StockRecalculation.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>

using namespace ledger_test;

// Two workstation processes adding documents and lines to one data directory at once:
// the registration numbers stay unique, no line loses its stock, and the stock kept line
// by line equals the one the recalculation rebuilds.
class TestTwoProcesses : public QObject
{
    Q_OBJECT

private:
    struct Report
    {
        QList<double> documents;
        QStringList lines; // stock key and quantity, as stockRows() writes them
        QStringList outs;  // exit lines: contor|line|price|quantity
        int refused = 0;
        int retries = 0;
        qint64 start = 0;
        qint64 end = 0;
    };

    static Report parse(const QString &output)
    {
        Report report;
        for (const QString &line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString tag = line.section(QLatin1Char(' '), 0, 0);
            const QString rest = line.section(QLatin1Char(' '), 1);
            if (tag == QLatin1String("DOC"))
                report.documents << rest.toDouble();
            else if (tag == QLatin1String("LINE"))
                report.lines << rest;
            else if (tag == QLatin1String("OUT"))
                report.outs << rest;
            else if (tag == QLatin1String("REFUSED"))
                report.refused = rest.toInt();
            else if (tag == QLatin1String("RETRIES"))
                report.retries = rest.toInt();
            else if (tag == QLatin1String("SPAN")) {
                report.start = rest.section(QLatin1Char(' '), 0, 0).toLongLong();
                report.end = rest.section(QLatin1Char(' '), 1, 1).toLongLong();
            }
        }
        return report;
    }

    // The stock the kept lines must make: quantities summed per key.
    static QStringList expectedStock(const QStringList &lines)
    {
        QMap<QString, double> sums;
        for (const QString &line : lines) {
            const int cut = line.lastIndexOf(QLatin1Char('|'));
            sums[line.left(cut)] += line.mid(cut + 1).toDouble();
        }
        QStringList rows;
        for (auto it = sums.cbegin(); it != sums.cend(); ++it)
            rows << it.key() + QLatin1Char('|') + QString::number(it.value(), 'g', 10);
        rows.sort();
        return rows;
    }

    // Starts the workers on one data directory, lets them go together and collects
    // their reports.
    QList<Report> runWorkers(const TestEnv &env, int workers, int documents, const QStringList &extra = {})
    {
        const QString go = env.path(QStringLiteral("go"));
        QList<QProcess *> processes;
        for (int i = 0; i < workers; ++i) {
            auto *process = new QProcess(this);
            process->start(QStringLiteral(TESSARO_STOCK_WORKER),
                           QStringList{QStringLiteral("--data"), env.dataDir(), QStringLiteral("--home"),
                                       env.path(QStringLiteral("ws%1/").arg(i)), QStringLiteral("--name"),
                                       QString(QChar(u'A' + i)), QStringLiteral("--docs"), QString::number(documents),
                                       QStringLiteral("--go"), go}
                               + extra);
            processes << process;
        }
        QList<Report> reports;
        for (QProcess *process : processes)
            if (!process->waitForReadyRead(30000))
                return reports;
        QFile(go).open(QIODevice::WriteOnly);
        for (QProcess *process : processes) {
            process->waitForFinished(240000);
            const QString err = QString::fromUtf8(process->readAllStandardError());
            if (process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0)
                reports << parse(QString::fromUtf8(process->readAllStandardOutput()));
            else
                qWarning("worker failed: %s", qPrintable(err));
            delete process;
        }
        return reports;
    }

private Q_SLOTS:
    void sharedDataDirectory_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("documents");
        QTest::newRow("two workstations") << 2 << 30;
        QTest::newRow("three workstations") << 3 << 20;
    }
    void sharedDataDirectory()
    {
        QFETCH(int, workers);
        QFETCH(int, documents);
        TestEnv env;
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("setup"));
            db.open();
            createTables(db);
            db.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu'), ('G2', 'Depozit')"));
        }
        const QList<Report> reports = runWorkers(env, workers, documents);
        QCOMPARE(reports.size(), workers);

        QList<double> kept;
        QStringList lines;
        int retries = 0;
        qint64 lastStart = 0;
        qint64 firstEnd = std::numeric_limits<qint64>::max();
        for (const Report &r : reports) {
            kept += r.documents;
            lines += r.lines;
            retries += r.retries;
            lastStart = qMax(lastStart, r.start);
            firstEnd = qMin(firstEnd, r.end);
        }
        // Each kept document: 3 lines, one less after every fourth, none after every seventh.
        int keptPerWorker = 0;
        for (int i = 0; i < documents; ++i)
            keptPerWorker += i % 7 == 6 ? 0 : 1;
        QCOMPARE(kept.size(), workers * keptPerWorker);
        QVERIFY2(lastStart < firstEnd, "the workers did not run at the same time");
        qInfo("%d workers, %lld ms together, %d retries after the busy timeout", workers,
              static_cast<long long>(firstEnd - lastStart), retries);

        Database db(env.dataDir(), env.workstation(), QStringLiteral("check"));
        db.open();
        // No registration number given twice, and every kept document is there.
        QSet<double> unique(kept.cbegin(), kept.cend());
        QCOMPARE(unique.size(), kept.size());
        QSqlQuery q = db.run(QStringLiteral("SELECT \"Contor\" FROM \"Doc_in\" WHERE \"Contor\" >= 1"));
        QSet<double> stored;
        while (q.next())
            stored.insert(q.value(0).toDouble());
        QCOMPARE(stored, unique);
        q = db.run(QStringLiteral("SELECT count(*), count(DISTINCT \"Contor\" || '/' || \"Contor_secundar\") FROM \"Item_in\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), lines.size());
        QCOMPARE(q.value(1).toInt(), lines.size());
        q.finish(); // the recalculation drops tables: no statement may stay open

        // Every line's quantity in stock, and nothing else.
        const QStringList stock = stockRows(db);
        QCOMPARE(stock, expectedStock(lines));
        QCOMPARE(StockRecalculation(db, 0.00001).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(db), stock);
    }

    // Workstations taking out of the same three price rows of one asset at once, with
    // splits across them, edits and deletions, until the rows run out: no row ever goes
    // below zero, no saved line is lost, and the stock is what the recalculation rebuilds.
    void takeOutsFromSharedRows_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("documents");
        QTest::newRow("two workstations") << 2 << 25;
        QTest::newRow("three workstations") << 3 << 20;
    }
    void takeOutsFromSharedRows()
    {
        QFETCH(int, workers);
        QFETCH(int, documents);
        const QList<double> prices{10, 20, 30};
        const double held = 100;
        TestEnv env;
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("setup"));
            db.open();
            createTables(db);
            db.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu')"));
            Parameters params;
            EntryDocumentService entries(db, params);
            const double contor = entries.newDocument(QDate(2024, 1, 2)).contor;
            for (double price : prices) {
                EntryLine l;
                l.contor = contor;
                l.unit = QStringLiteral("G1");
                l.group = QStringLiteral("2.1");
                l.article = QStringLiteral("COMUN");
                l.name = QStringLiteral("Scaun");
                l.domain = QStringLiteral("Privat");
                l.lot = QDate(2023, 6, 1);
                l.priceLei = price;
                l.quantity = held;
                l.durataTotala = 48;
                l.calcAmortizare = true;
                entries.saveLine(l);
            }
        }
        const QList<Report> reports = runWorkers(env, workers, documents, {QStringLiteral("--mode"), QStringLiteral("exits")});
        QCOMPARE(reports.size(), workers);
        QStringList outs;
        int refused = 0;
        qint64 lastStart = 0;
        qint64 firstEnd = std::numeric_limits<qint64>::max();
        for (const Report &r : reports) {
            outs += r.outs;
            refused += r.refused;
            lastStart = qMax(lastStart, r.start);
            firstEnd = qMin(firstEnd, r.end);
        }
        QVERIFY2(lastStart < firstEnd, "the workers did not run at the same time");
        qInfo("%d workers, %lld ms together, %lld exit lines kept, %d take-outs refused", workers,
              static_cast<long long>(firstEnd - lastStart), static_cast<long long>(outs.size()), refused);

        Database db(env.dataDir(), env.workstation(), QStringLiteral("check"));
        db.open();
        // Every line a worker saved is there as it saved it, and nothing else.
        QSqlQuery q = db.run(QStringLiteral("SELECT \"Contor\", \"Contor_secundar\", \"Pret_achizitie\", \"Cantitate\" "
                                            "FROM \"Item_out\""));
        QStringList stored;
        QMap<double, double> taken;
        while (q.next()) {
            stored << QStringLiteral("%1|%2|%3|%4")
                          .arg(QString::number(q.value(0).toDouble(), 'g', 15), QString::number(q.value(1).toDouble()),
                               QString::number(q.value(2).toDouble(), 'g', 10), QString::number(q.value(3).toDouble(), 'g', 10));
            taken[q.value(2).toDouble()] += q.value(3).toDouble();
        }
        q.finish();
        stored.sort();
        outs.sort();
        QCOMPARE(stored, outs);

        // Each row holds what was brought in less what the lines took, never less than 0.
        QStringList expected;
        for (double price : prices) {
            const double left = held - taken.value(price);
            QVERIFY2(left > -1e-9, qPrintable(QStringLiteral("%1 taken at %2").arg(taken.value(price)).arg(price)));
            if (left > 1e-9)
                expected << QStringLiteral("G1|2.1|COMUN|%1|2023-06-01|-|%2").arg(price).arg(left);
        }
        const QStringList stock = stockRows(db);
        QCOMPARE(stock, expected);
        QVERIFY2(refused > 0, "the rows never ran out");
        QCOMPARE(StockRecalculation(db, 0.00001).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(db), stock);
    }
};

TESSARO_TEST_MAIN(TestTwoProcesses)
#include "tst_twoprocesses.moc"
