#include "SqlFile.h"
#include "TestEnv.h"

#include "db/Database.h"
#include "documents/StockRecalculation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The headless commands beside other users of the same register and workstation.
class TestLocks : public QObject
{
    Q_OBJECT

    static QString binary() { return QStringLiteral(TESSARO_BINARY); }

    static void fill(const TestEnv &env)
    {
        QCOMPARE(tessaro_test::initDataDir(binary(), env, {QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/common.sql")}),
                 QString());
    }

    // Another program's plain connection to the database file, outside the workstation.
    struct OtherProgram
    {
        explicit OtherProgram(const QString &file)
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            db.setDatabaseName(file);
            db.open();
        }
        ~OtherProgram()
        {
            {
                QSqlDatabase db = QSqlDatabase::database(QStringLiteral("other"));
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        }
        bool exec(const QString &sql)
        {
            QSqlQuery q(QSqlDatabase::database(QStringLiteral("other")));
            if (!q.exec(sql))
                return false;
            while (q.next()) {
            }
            return true;
        }
    };

    static QString contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
    }

    static QString expected(const QString &report, const QString &caseName)
    {
        return contents(QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/%1/%2/expected.csv").arg(report, caseName));
    }

    static QStringList reportArgs(const TestEnv &env, const QString &report, const QString &csv)
    {
        return {QStringLiteral("report"), report, QStringLiteral("--data"), env.dataDir(), QStringLiteral("--date"),
                QStringLiteral("2022-06-30"), QStringLiteral("--csv"), csv};
    }

private Q_SLOTS:
    // A report only reads the shared database: a reader elsewhere does not stop it.
    void reportBesideAReader()
    {
        TestEnv env;
        fill(env);
        OtherProgram other(env.dataDir() + Database::fileName());
        QVERIFY(other.exec(QStringLiteral("BEGIN")));
        QVERIFY(other.exec(QStringLiteral("SELECT count(*) FROM \"Item_in\"")));
        const QString csv = env.path(QStringLiteral("r.csv"));
        QElapsedTimer timer;
        timer.start();
        const auto r = tessaro_test::runProgram(binary(), reportArgs(env, QStringLiteral("situatia-amortizarii"), csv));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(timer.elapsed() < 5000); // no wait for a lock
        QCOMPARE(contents(csv), expected(QStringLiteral("situatia-amortizarii"), QStringLiteral("toate")));
    }

    // The workstation's answer tables are busy (the windowed program is running a report
    // here): a headless report gets answer tables of its own, and leaves none behind.
    void reportBesideTheWorkstationsOwnRun()
    {
        TestEnv env;
        fill(env);
        Database windowed(env.dataDir(), env.workstation(), QStringLiteral("windowed"));
        windowed.open();
        windowed.run(QStringLiteral("BEGIN"));
        windowed.run(QStringLiteral("CREATE TABLE \"PVL_PRIV\".\"ANSW_ST\" (\"Mine\")"));
        windowed.run(QStringLiteral("INSERT INTO \"PVL_PRIV\".\"ANSW_ST\" VALUES ('kept')"));
        const QStringList privateFiles =
            QDir(env.workstation().privateDirectory()).entryList(QDir::Files | QDir::Hidden, QDir::Name);

        const QString csv = env.path(QStringLiteral("r.csv"));
        const auto r = tessaro_test::runProgram(binary(), reportArgs(env, QStringLiteral("situatia-amortizarii"), csv));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(contents(csv), expected(QStringLiteral("situatia-amortizarii"), QStringLiteral("toate")));

        QCOMPARE(QDir(env.workstation().privateDirectory()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 privateFiles);
        QSqlQuery q = windowed.run(QStringLiteral("SELECT \"Mine\" FROM \"PVL_PRIV\".\"ANSW_ST\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("kept"));
        q.finish();
        windowed.run(QStringLiteral("ROLLBACK"));
    }

    // Reports started together from one workstation all succeed, each with its own figures.
    void reportsAtOnce()
    {
        TestEnv env;
        fill(env);
        const QStringList reports{QStringLiteral("situatia-amortizarii"), QStringLiteral("situatia-amortizarii-pe-conturi"),
                                  QStringLiteral("centralizator-amortizari"),
                                  QStringLiteral("centralizator-amortizari-pe-conturi")};
        for (int round = 0; round < 3; ++round) {
            std::vector<std::unique_ptr<QProcess>> runs;
            for (int i = 0; i < reports.size(); ++i) {
                auto p = std::make_unique<QProcess>();
                p->start(binary(), reportArgs(env, reports[i], env.path(QStringLiteral("r%1.csv").arg(i))));
                runs.push_back(std::move(p));
            }
            for (int i = 0; i < reports.size(); ++i) {
                QVERIFY(runs[size_t(i)]->waitForFinished(60000));
                QVERIFY2(runs[size_t(i)]->exitCode() == 0, runs[size_t(i)]->readAllStandardError().constData());
                QCOMPARE(contents(env.path(QStringLiteral("r%1.csv").arg(i))), expected(reports[i], QStringLiteral("toate")));
            }
        }
        // Answer files of their own go with their runs.
        QCOMPARE(QDir(env.workstation().privateDirectory()).entryList({QStringLiteral("PVL_PRIV-*")}, QDir::Files),
                 QStringList{});
    }

    // An answer file left by a killed run is cleared by the next run that needs its own.
    void abandonedAnswerFileCleared()
    {
        TestEnv env;
        fill(env);
        const QString priv = env.workstation().privateDirectory();
        for (const QString &name : {QStringLiteral("PVL_PRIV-0badf00d.sqlite"), QStringLiteral("PVL_PRIV-0badf00d.sqlite.lock")}) {
            QFile f(priv + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Database windowed(env.dataDir(), env.workstation(), QStringLiteral("windowed"));
        windowed.open();
        const auto r = tessaro_test::runProgram(
            binary(), reportArgs(env, QStringLiteral("centralizator-amortizari"), env.path(QStringLiteral("r.csv"))));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(QDir(priv).entryList({QStringLiteral("PVL_PRIV-*")}, QDir::Files), QStringList{});
    }

    // A second recalculation while one holds the database says so in the system's words,
    // whether or not it can even open the database.
    void recalcWhileAnotherRuns_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("writer") << "BEGIN IMMEDIATE";
        QTest::newRow("whole file, as a long recalculation holds it") << "BEGIN EXCLUSIVE";
    }
    void recalcWhileAnotherRuns()
    {
        QFETCH(QString, lock);
        TestEnv env;
        fill(env);
        OtherProgram other(env.dataDir() + Database::fileName());
        QVERIFY(other.exec(lock));
        QVERIFY(other.exec(QStringLiteral("DELETE FROM \"Stoc\"")));
        const auto r = tessaro_test::runProgram(binary(), {QStringLiteral("recalc"), QStringLiteral("--data"), env.dataDir()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.trimmed().endsWith(QLatin1Char('\n') + StockRecalculation::busyText())
                     || r.err.trimmed() == StockRecalculation::busyText(),
                 qPrintable(r.err));
        QVERIFY(!r.err.contains(QLatin1String("locked")));
    }
};

TESSARO_TEST_MAIN(TestLocks)
#include "tst_locks.moc"
