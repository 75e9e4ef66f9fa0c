#include "TestEnv.h"

#include "LedgerFixture.h"
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
            db.run(QStringLiteral("INSERT INTO \"Gest\" VALUES ('G1', 'Sediu'), ('G2', 'Depozit')"));
        }
        const QString go = env.path(QStringLiteral("go"));
        QList<QProcess *> processes;
        for (int i = 0; i < workers; ++i) {
            auto *process = new QProcess(this);
            process->start(QStringLiteral(TESSARO_STOCK_WORKER),
                           {QStringLiteral("--data"), env.dataDir(), QStringLiteral("--home"),
                            env.path(QStringLiteral("ws%1/").arg(i)), QStringLiteral("--name"),
                            QString(QChar(u'A' + i)), QStringLiteral("--docs"), QString::number(documents),
                            QStringLiteral("--go"), go});
            processes << process;
        }
        for (QProcess *process : processes)
            QVERIFY(process->waitForReadyRead(30000));
        QFile(go).open(QIODevice::WriteOnly);

        QList<Report> reports;
        for (QProcess *process : processes) {
            QVERIFY(process->waitForFinished(240000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            const QString err = QString::fromUtf8(process->readAllStandardError());
            QVERIFY2(process->exitCode() == 0, qPrintable(err));
            reports << parse(QString::fromUtf8(process->readAllStandardOutput()));
            delete process;
        }

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
};

TESSARO_TEST_MAIN(TestTwoProcesses)
#include "tst_twoprocesses.moc"
