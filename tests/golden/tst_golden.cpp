#include "TestEnv.h"

#include "SqlFile.h"

#include <QDir>
#include <QFile>

// Each folder <report>/<case>/ holds `args` (the options after the report name, the
// data directory added here), optionally `fixture.sql` (run after common.sql),
// `expected.csv` (the detail lines, one per asset line or summary line) and
// `expected-totals.csv` (what the printout carries beyond them: the group, unit and
// account totals, the main-group breakdowns and the general total, as printed). The
// report runs headless on a fresh data directory and both files must equal what it
// writes. The expected files are worked out by hand from the rules.
//
// TESSARO_GOLDEN_UPDATE=1 writes what the program gives over the expected files, for
// reviewing the difference; such a run always fails, so it can never pass for a test.
class GoldenTest : public QObject
{
    Q_OBJECT

private:
    static QString goldenDir() { return QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/"); }

private slots:
    void golden_data()
    {
        QTest::addColumn<QString>("caseDir");
        QDir root(goldenDir());
        for (const QString &report : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            for (const QString &c : QDir(root.filePath(report)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
                QTest::newRow(qPrintable(report + QLatin1Char('/') + c)) << root.filePath(report + QLatin1Char('/') + c);
    }

    void golden()
    {
        QFETCH(QString, caseDir);
        TestEnv env;
        const QString bin = QStringLiteral(TESSARO_BINARY);
        QStringList sql{goldenDir() + QStringLiteral("common.sql")};
        if (QFile::exists(caseDir + QStringLiteral("/fixture.sql")))
            sql << caseDir + QStringLiteral("/fixture.sql");
        QCOMPARE(tessaro_test::initDataDir(bin, env, sql), QString());
        QFile argsFile(caseDir + QStringLiteral("/args"));
        QVERIFY(argsFile.open(QIODevice::ReadOnly));
        QStringList args = QString::fromUtf8(argsFile.readAll()).simplified().split(QLatin1Char(' '));
        const QString csvPath = env.path(QStringLiteral("out.csv"));
        const QString totalsPath = env.path(QStringLiteral("totals.csv"));
        args.insert(1, QStringLiteral("--data"));
        args.insert(2, env.dataDir());
        args << QStringLiteral("--csv") << csvPath << QStringLiteral("--totals-csv") << totalsPath;
        // For looking at the printouts: TESSARO_GOLDEN_PDF=DIR writes <report>_<case>.pdf there.
        const QString pdfDir = qEnvironmentVariable("TESSARO_GOLDEN_PDF");
        if (!pdfDir.isEmpty())
            args << QStringLiteral("--pdf")
                 << pdfDir + QLatin1Char('/') + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".pdf");
        auto run = tessaro_test::runProgram(bin, QStringList{QStringLiteral("report")} + args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QList<std::pair<QString, QString>> files{{csvPath, QStringLiteral("/expected.csv")},
                                                       {totalsPath, QStringLiteral("/expected-totals.csv")}};
        if (qEnvironmentVariableIsSet("TESSARO_GOLDEN_UPDATE")) {
            for (const auto &[actual, expected] : files)
                QVERIFY(QFile::remove(caseDir + expected) || !QFile::exists(caseDir + expected));
            for (const auto &[actual, expected] : files)
                QVERIFY(QFile::copy(actual, caseDir + expected));
            QFAIL("TESSARO_GOLDEN_UPDATE: expected files rewritten from the program's output; check every "
                  "figure by hand before committing them. Not a test run.");
        }
        for (const auto &[actual, expected] : files) {
            QFile out(actual);
            QVERIFY2(out.open(QIODevice::ReadOnly), qPrintable(actual));
            QFile wanted(caseDir + expected);
            QVERIFY2(wanted.open(QIODevice::ReadOnly), qPrintable(wanted.fileName()));
            const QStringList got = QString::fromUtf8(out.readAll()).split(QLatin1Char('\n'));
            const QStringList want = QString::fromUtf8(wanted.readAll()).split(QLatin1Char('\n'));
            // A failure names the first line that differs.
            qsizetype at = 0;
            while (at < got.size() && at < want.size() && got[at] == want[at])
                ++at;
            QVERIFY2(got == want, qPrintable(QStringLiteral("%1 line %2: \"%3\", expected \"%4\"")
                                                 .arg(expected).arg(at + 1).arg(got.value(at), want.value(at))));
        }
    }
};

TESSARO_TEST_MAIN(GoldenTest)
#include "tst_golden.moc"
