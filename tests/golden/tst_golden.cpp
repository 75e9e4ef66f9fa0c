#include "TestEnv.h"

#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

// Each folder <report>/<case>/ holds `args` (the options after the report name, the
// data directory added here), optionally `fixture.sql` (run after common.sql) and
// `expected.csv`. The report runs headless on a fresh data directory and its CSV must
// equal the expected file. TESSARO_GOLDEN_UPDATE=1 rewrites the expected files.
class GoldenTest : public QObject
{
    Q_OBJECT

private:
    static QString goldenDir() { return QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/"); }

    static void runSql(Database &db, const QString &path)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QString text;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                text += line + QLatin1Char('\n');
        for (const QString &statement : text.split(QRegularExpression(QStringLiteral(";\\s*\\n"))))
            if (!statement.trimmed().isEmpty())
                db.run(statement);
    }

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
        auto init = tessaro_test::runProgram(bin, {QStringLiteral("init"), env.dataDir()});
        QVERIFY2(init.exitCode == 0, qPrintable(init.err));
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("golden"));
            db.open();
            runSql(db, goldenDir() + QStringLiteral("common.sql"));
            if (QFile::exists(caseDir + QStringLiteral("/fixture.sql")))
                runSql(db, caseDir + QStringLiteral("/fixture.sql"));
        }
        QFile argsFile(caseDir + QStringLiteral("/args"));
        QVERIFY(argsFile.open(QIODevice::ReadOnly));
        QStringList args = QString::fromUtf8(argsFile.readAll()).simplified().split(QLatin1Char(' '));
        const QString csvPath = env.path(QStringLiteral("out.csv"));
        args.insert(1, QStringLiteral("--data"));
        args.insert(2, env.dataDir());
        args << QStringLiteral("--csv") << csvPath;
        // For looking at the printouts: TESSARO_GOLDEN_PDF=DIR writes <report>_<case>.pdf there.
        const QString pdfDir = qEnvironmentVariable("TESSARO_GOLDEN_PDF");
        if (!pdfDir.isEmpty())
            args << QStringLiteral("--pdf")
                 << pdfDir + QLatin1Char('/') + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".pdf");
        auto run = tessaro_test::runProgram(bin, QStringList{QStringLiteral("report")} + args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile out(csvPath);
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QString actual = QString::fromUtf8(out.readAll());
        QFile expected(caseDir + QStringLiteral("/expected.csv"));
        if (qEnvironmentVariableIsSet("TESSARO_GOLDEN_UPDATE")) {
            QVERIFY(expected.open(QIODevice::WriteOnly));
            expected.write(actual.toUtf8());
            return;
        }
        QVERIFY2(expected.open(QIODevice::ReadOnly), qPrintable(expected.fileName()));
        QCOMPARE(actual, QString::fromUtf8(expected.readAll()));
    }
};

TESSARO_TEST_MAIN(GoldenTest)
#include "tst_golden.moc"
