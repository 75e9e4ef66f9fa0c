#include "TestEnv.h"

using tessaro_test::runProgram;

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dispatch_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutHas");
        QTest::addColumn<QString>("stderrHas");

        QTest::newRow("help") << QStringList{"--help"} << 0 << "Utilizare: tessaro" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0
                                 << QStringLiteral("Tessaro " TESSARO_VERSION) << "";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << ""
                                         << "Comanda necunoscuta: frobnicate";
        QTest::newRow("unknown shows usage") << QStringList{"--nope"} << 2 << ""
                                             << "Utilizare: tessaro";
    }

    void dispatch()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, stdoutHas);
        QFETCH(QString, stderrHas);

        // No display: the headless commands must not need one.
        qunsetenv("DISPLAY");
        const auto r = runProgram(QStringLiteral(TESSARO_BINARY), args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.out.contains(stdoutHas), qPrintable(r.out));
        QVERIFY2(r.err.contains(stderrHas), qPrintable(r.err));
        if (exitCode != 0)
            QVERIFY(r.out.isEmpty());
    }
};

TESSARO_TEST_MAIN(TestCli)
#include "tst_cli.moc"
