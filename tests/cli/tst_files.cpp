#include "SqlFile.h"
#include "TestEnv.h"

#include "db/Database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>

#include <csignal>
#include <functional>

#include <sys/prctl.h>
#include <sys/resource.h>

// The headless commands and the files they write: failed writes, protected targets,
// arguments, the messages of success, the demo register made all at once.
class TestFiles : public QObject
{
    Q_OBJECT

    using Modifier = std::function<void()>;

    static QString binary() { return QStringLiteral(TESSARO_BINARY); }

    // The child may write files of at most `bytes`, as on a disk about to be full.
    static Modifier fileSizeLimit(rlim_t bytes)
    {
        return [bytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        };
    }

    // The child honours file permissions even when the tests run as root.
    static Modifier withoutFilePrivileges()
    {
        return [] {
            prctl(PR_CAPBSET_DROP, 1 /* CAP_DAC_OVERRIDE */, 0, 0, 0);
            prctl(PR_CAPBSET_DROP, 2 /* CAP_DAC_READ_SEARCH */, 0, 0, 0);
        };
    }

    static tessaro_test::RunResult run(const QStringList &args, const Modifier &modifier = {},
                                       const QString &workingDirectory = QString())
    {
        return tessaro_test::runProgram(binary(), args, 120000, modifier, workingDirectory);
    }

    // A register of two units with depreciation data (the report fixture).
    static void fill(const TestEnv &env)
    {
        QCOMPARE(tessaro_test::initDataDir(binary(), env, {QStringLiteral(TESSARO_SOURCE_DIR "/tests/golden/common.sql")}),
                 QString());
    }

    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QByteArray digest(const QString &path)
    {
        return QCryptographicHash::hash(contents(path), QCryptographicHash::Sha256);
    }

    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // @DATA the data directory, @HOME the workstation, @OUT a folder for outputs.
    static QStringList expand(QStringList args, const TestEnv &env)
    {
        for (QString &a : args)
            a.replace(QLatin1String("@DATA/"), env.dataDir())
                .replace(QLatin1String("@HOME/"), env.home())
                .replace(QLatin1String("@OUT/"), env.path(QStringLiteral("out/")));
        return args;
    }

    static QStringList files(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // The cells of a CSV text, quotes taken off.
    static QStringList csvCells(const QByteArray &bytes)
    {
        QStringList cells;
        QString cell;
        bool quoted = false;
        const QString text = QString::fromUtf8(bytes);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (quoted && c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = !quoted;
            } else if (!quoted && (c == QLatin1Char(',') || c == QLatin1Char('\n'))) {
                cells << cell;
                cell.clear();
            } else {
                cell += c;
            }
        }
        return cells;
    }

private Q_SLOTS:
    // A write that fails says so with the system's message, exits 1 and leaves the file
    // that was there untouched (and no other file).
    void failedWrites_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("target"); // "" when the target is a device
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("message");
        const QStringList stockAt{"stock-at", "--data", "@DATA/", "--date", "2022-06-30"};
        const QStringList report{"report", "situatia-amortizarii", "--data", "@DATA/", "--date", "2022-06-30"};
        QTest::newRow("stock-at, full device") << stockAt + QStringList{"--csv", "/dev/full"} << "" << ""
                                               << "No space left on device";
        QTest::newRow("report csv, full device") << report + QStringList{"--csv", "/dev/full"} << "" << ""
                                                 << "No space left on device";
        QTest::newRow("report pdf, full device") << report + QStringList{"--pdf", "/dev/full"} << "" << ""
                                                 << "No space left on device";
        // A limit on the size of the files the child writes stands for a disk that fills up
        // part way; the test report is the command that writes no database file meanwhile.
        QTest::newRow("test report pdf, disk full part way")
            << QStringList{"print-test-report", "--pdf", "@OUT/t.pdf"} << "@OUT/t.pdf" << "limit" << "File too large";
        QTest::newRow("test report csv, disk full part way")
            << QStringList{"print-test-report", "--csv", "@OUT/t.csv"} << "@OUT/t.csv" << "limit" << "File too large";
        QTest::newRow("report, read-only folder") << report + QStringList{"--csv", "@OUT/r.csv"} << "@OUT/r.csv"
                                                  << "read-only" << "Permission denied";
    }
    void failedWrites()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        QFETCH(QString, condition);
        QFETCH(QString, message);
        TestEnv env;
        fill(env);
        const QString out = env.path(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(out));
        target = expand({target}, env).constFirst();
        const QByteArray old = "earlier output\n";
        if (!target.isEmpty())
            put(target, old);
        const QStringList before = files(out);
        Modifier modifier;
        if (condition == QLatin1String("limit"))
            modifier = fileSizeLimit(1000);
        if (condition == QLatin1String("read-only")) {
            QVERIFY(QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            modifier = withoutFilePrivileges();
        }
        const auto r = run(expand(args, env), modifier);
        QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY2(!r.out.contains(QLatin1String("scrise")), qPrintable(r.out));
        if (!target.isEmpty()) {
            QVERIFY2(r.err.contains(target), qPrintable(r.err));
            QCOMPARE(contents(target), old);
        }
        QCOMPARE(files(out), before);
    }

    // Targets that belong to the register or the workstation are refused before anything
    // is done, and are left exactly as they were; so are the same file given twice and a
    // repeated option.
    void refusedTargets_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("guarded"); // a file that must not change
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList report{"report", "centralizator-amortizari", "--data", "@DATA/", "--date", "2022-06-30"};
        const QStringList stockAt{"stock-at", "--data", "@DATA/", "--date", "2022-06-30"};
        const QString inData = "face parte din directorul de date";
        QTest::newRow("csv over the database") << report + QStringList{"--csv", "@DATA/tessaro.sqlite"}
                                               << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("stock-at over the database") << stockAt + QStringList{"--csv", "@DATA/tessaro.sqlite"}
                                                    << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("pdf over the parameters") << report + QStringList{"--pdf", "@DATA/PVLDEF.INI"}
                                                 << "@DATA/PVLDEF.INI" << 1 << inData;
        QTest::newRow("new file in the data directory") << report + QStringList{"--csv", "@DATA/r.csv"}
                                                        << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("database through a link") << report + QStringList{"--csv", "@OUT/link.csv"}
                                                 << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("database under another name") << report + QStringList{"--csv", "@OUT/hard.csv"}
                                                     << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("print over the database")
            << QStringList{"print", "lista-casari", "--data", "@DATA/", "--contor", "11", "--csv", "@DATA/tessaro.sqlite"}
            << "@DATA/tessaro.sqlite" << 1 << inData;
        QTest::newRow("private directory") << report + QStringList{"--csv", "@HOME/PVL_PRIV/PVL_PRIV.sqlite"}
                                           << "@DATA/tessaro.sqlite" << 1 << "directorul privat";
        QTest::newRow("workstation INI") << QStringList{"print-test-report", "--csv", "@HOME/Tessaro.INI"}
                                         << "@HOME/Tessaro.INI" << 1 << "fisierul de configurare";
        QTest::newRow("same file twice") << report + QStringList{"--pdf", "@OUT/x", "--csv", "@OUT/x"} << "@OUT/x"
                                         << 1 << "--pdf si --csv indica acelasi fisier";
        QTest::newRow("same file, two names") << report + QStringList{"--pdf", "@OUT/x", "--csv", "@OUT/../out/x"}
                                              << "@OUT/x" << 1 << "--pdf si --csv indica acelasi fisier";
        QTest::newRow("pdf twice") << report + QStringList{"--pdf", "@OUT/a.pdf", "--pdf", "@OUT/x"} << "@OUT/x" << 2
                                   << "Optiunea --pdf este data de doua ori.";
        QTest::newRow("csv twice") << QStringList{"print-test-report", "--csv", "@OUT/x", "--csv", "@OUT/b.csv"}
                                   << "@OUT/x" << 2 << "Optiunea --csv este data de doua ori.";
    }
    void refusedTargets()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, guarded);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        fill(env);
        const QString out = env.path(QStringLiteral("out/"));
        QVERIFY(QDir().mkpath(out));
        put(out + QStringLiteral("x"), "mine\n");
        put(env.home() + QStringLiteral("Tessaro.INI"), "[Options]\nBackup BD zilnic=0\n");
        QVERIFY(QFile::link(env.dataDir() + QStringLiteral("tessaro.sqlite"), out + QStringLiteral("link.csv")));
        QVERIFY(::link(QFile::encodeName(env.dataDir() + QStringLiteral("tessaro.sqlite")).constData(),
                       QFile::encodeName(out + QStringLiteral("hard.csv")).constData())
                == 0);
        guarded = expand({guarded}, env).constFirst();
        const QByteArray before = digest(guarded);
        const QStringList dataFiles = files(env.dataDir());
        const QStringList outFiles = files(out);

        const auto r = run(expand(args, env));
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(digest(guarded), before);
        QCOMPARE(files(env.dataDir()), dataFiles);
        QCOMPARE(files(out), outFiles);
    }

    // Every command that writes a file says on success what it wrote and where.
    void successSays_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pdf");
        const QStringList report{"report", "situatia-amortizarii", "--data", "@DATA/", "--date", "2022-06-30"};
        QTest::newRow("report, csv only") << report + QStringList{"--csv", "@OUT/r.csv"} << "@OUT/r.csv" << false;
        QTest::newRow("report, pdf") << report + QStringList{"--pdf", "@OUT/r.pdf"} << "@OUT/r.pdf" << true;
        QTest::newRow("summary, csv only")
            << QStringList{"report", "centralizator-amortizari", "--data", "@DATA/", "--date", "2022-06-30", "--csv",
                           "@OUT/c.csv"}
            << "@OUT/c.csv" << false;
        QTest::newRow("report, totals only")
            << QStringList{"report", "centralizator-amortizari", "--data", "@DATA/", "--date", "2022-06-30",
                           "--totals-csv", "@OUT/t.csv"}
            << "@OUT/t.csv" << false;
        QTest::newRow("stock-at") << QStringList{"stock-at", "--data", "@DATA/", "--date", "2022-06-30", "--csv",
                                                 "@OUT/s.csv"}
                                  << "@OUT/s.csv" << false;
        QTest::newRow("test report, csv") << QStringList{"print-test-report", "--csv", "@OUT/t.csv"} << "@OUT/t.csv"
                                          << false;
        QTest::newRow("test report, pdf") << QStringList{"print-test-report", "--pdf", "@OUT/t.pdf"} << "@OUT/t.pdf"
                                          << true;
    }
    void successSays()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(bool, pdf);
        TestEnv env;
        fill(env);
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("out"))));
        file = expand({file}, env).constFirst();
        const auto r = run(expand(args, env));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        if (pdf) {
            // As many pages as the file holds (pdftotext ends each page with a form feed).
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
            QVERIFY(text.waitForFinished(60000));
            const qsizetype pages = text.readAllStandardOutput().count('\f');
            QVERIFY(pages > 0);
            QCOMPARE(r.out.trimmed(), QStringLiteral("%1 pagini scrise in %2").arg(pages).arg(file));
        } else {
            const qsizetype rows = contents(file).count('\n') - 1;
            QVERIFY(rows > 0);
            QCOMPARE(r.out.trimmed(), QStringLiteral("%1 randuri scrise in %2").arg(rows).arg(file));
        }
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList stockAt{"stock-at", "--data", "@DATA/", "--csv", "@OUT/s.csv", "--date"};
        const QStringList report{"report", "situatia-amortizarii", "--data", "@DATA/", "--csv", "@OUT/s.csv", "--date"};
        QTest::newRow("init, empty directory") << QStringList{"init", ""} << 2 << "Lipseste numele directorului";
        QTest::newRow("date with a time") << stockAt + QStringList{"2022-02-28T10:00"} << 2 << "nu este o data corecta";
        QTest::newRow("date with a sign") << stockAt + QStringList{"-2022-01-01"} << 2 << "nu este o data corecta";
        QTest::newRow("date with a blank") << report + QStringList{"2022-01-01 "} << 2 << "nu este o data corecta";
        QTest::newRow("date, short month") << report + QStringList{"2022-1-01"} << 2 << "nu este o data corecta";
        QTest::newRow("demo today with a time")
            << QStringList{"demo", "@OUT/demo", "--today", "2022-02-28T10:00"} << 2 << "nu este o data corecta";
        QTest::newRow("unreadable directory") << QStringList{"stock-at", "--data", "@OUT/locked/", "--date", "2022-01-01",
                                                             "--csv", "@OUT/s.csv"}
                                              << 1 << "nu poate fi citit";
        QTest::newRow("init, unreadable directory") << QStringList{"init", "@OUT/locked/"} << 1 << "nu poate fi citit";
    }
    void badArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        TestEnv env;
        fill(env);
        const QString locked = env.path(QStringLiteral("out/locked/"));
        QVERIFY(QDir().mkpath(locked));
        QVERIFY(QFile::copy(env.dataDir() + QStringLiteral("tessaro.sqlite"), locked + QStringLiteral("tessaro.sqlite")));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        const QString cwd = env.path(QStringLiteral("cwd"));
        QVERIFY(QDir().mkpath(cwd));
        const auto r = run(expand(args, env), withoutFilePrivileges(), cwd);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(files(cwd), QStringList{}); // init "" did not take the current directory
        QVERIFY(!QFile::exists(env.path(QStringLiteral("out/s.csv"))));
        QVERIFY(!QFile::exists(env.path(QStringLiteral("out/demo"))));
    }

    // Text cells that a spreadsheet would take for formulas are written as text; numbers,
    // negative ones too, stay numbers.
    void csvCellsAsText_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("texts"); // cells as the file must hold them
        QTest::addColumn<bool>("negatives");    // the file holds negative numbers
        const QStringList tail{"--data", "@DATA/", "--date", "2022-06-30", "--csv", "@OUT/r.csv"};
        const QStringList asset{"'-INV8", "'=SUM(A1:A2)", "'@dom"};
        QTest::newRow("situation") << QStringList{"report", "situatia-amortizarii"} + tail << asset << true;
        QTest::newRow("by account") << QStringList{"report", "situatia-amortizarii-pe-conturi"} + tail << asset << true;
        QTest::newRow("summary") << QStringList{"report", "centralizator-amortizari"} + tail << QStringList{"G3"} << true;
        QTest::newRow("summary by account") << QStringList{"report", "centralizator-amortizari-pe-conturi"} + tail
                                            << QStringList{"'+Depozit nou"} << false;
        QTest::newRow("stock at a date") << QStringList{"stock-at"} + tail << QStringList{"'-INV8", "'+B9"} << false;
    }
    void csvCellsAsText()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, texts);
        QFETCH(bool, negatives);
        TestEnv env;
        fill(env);
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("formulas"));
            db.open();
            db.run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G3', '+Depozit nou')"));
            db.run(QStringLiteral("INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", "
                                  "\"Cod_grupa\", \"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", "
                                  "\"Agent\", \"DurataTotala\", \"DurataRamasa\", \"ValoareAmortizata\", \"Denumire\", "
                                  "\"Domeniu\", \"CalcAmortizare\") VALUES (3, 4, 'G3', '2.1.1', '-INV8', '2021-01-15', 1, "
                                  "100, '+B9', 48, 48, 0, '=SUM(A1:A2)', '@dom', 1)"));
        }
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("out"))));
        const auto r = run(expand(args, env));
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QStringList cells = csvCells(contents(env.path(QStringLiteral("out/r.csv"))));
        for (const QString &text : texts)
            QVERIFY2(cells.contains(text), qPrintable(text + QLatin1String(" in ") + cells.join(QLatin1Char('|'))));
        bool negative = false;
        for (const QString &cell : cells) {
            if (cell.isEmpty() || !QStringLiteral("=+-@").contains(cell.front()))
                continue;
            bool number = false;
            cell.toDouble(&number);
            QVERIFY2(number, qPrintable(cell)); // a text that would run as a formula
            negative = true;
        }
        QCOMPARE(negative, negatives);
    }

    // A tolerance the parameters dialog could never set stops the command with the key
    // named, and the stock stays as it was.
    void badValues_data()
    {
        QTest::addColumn<QString>("epsilon");
        QTest::addColumn<bool>("used");
        QTest::newRow("too large") << "1000" << false;
        QTest::newRow("negative") << "-1" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("largest the dialog sets") << "1" << true;
    }
    void badValues()
    {
        QFETCH(QString, epsilon);
        QFETCH(bool, used);
        TestEnv env;
        fill(env);
        put(env.dataDir() + QStringLiteral("PVLDEF.INI"), QStringLiteral("[Default]\nEpsilon=%1\n").arg(epsilon).toUtf8());
        auto stock = [&] {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("stock"));
            db.open();
            QSqlQuery q = db.run(QStringLiteral("SELECT \"Cod_articol\", \"Cantitate\" FROM \"Stoc\" ORDER BY 1, 2"));
            QStringList rows;
            while (q.next())
                rows << q.value(0).toString() + QLatin1Char('=') + q.value(1).toString();
            return rows;
        };
        {
            Database db(env.dataDir(), env.workstation(), QStringLiteral("drift"));
            db.open();
            db.run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                  "\"Pret_achizitie\", \"Cantitate\") VALUES ('G1', '2.1.1', 'X/777', 5, 9)"));
        }
        const QStringList before = stock();
        const auto r = run({QStringLiteral("recalc"), QStringLiteral("--data"), env.dataDir()});
        if (used) {
            QVERIFY2(r.exitCode == 0, qPrintable(r.err));
            QVERIFY(stock() != before);
            return;
        }
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("'%1' a parametrului \"Epsilon\"").arg(epsilon)), qPrintable(r.err));
        QCOMPARE(stock(), before);
    }

    // A demo register appears whole or not at all.
    void demoKilledLeavesNothing()
    {
        TestEnv env;
        const QString target = env.path(QStringLiteral("regs/demo"));
        QProcess demo;
        demo.start(binary(), {QStringLiteral("demo"), target, QStringLiteral("--assets"), QStringLiteral("200000")});
        QVERIFY(demo.waitForStarted());
        // Killed once the register is being filled.
        QString building;
        for (int i = 0; i < 600 && building.isEmpty(); ++i) {
            QTest::qWait(50);
            const QStringList parts =
                QDir(env.path(QStringLiteral("regs"))).entryList({QStringLiteral(".demo.demo-*")}, QDir::Dirs | QDir::Hidden);
            if (!parts.isEmpty()
                && QFileInfo(env.path(QStringLiteral("regs/") + parts.first() + QStringLiteral("/tessaro.sqlite")))
                           .size()
                       > 200000)
                building = parts.first();
        }
        QVERIFY2(!building.isEmpty(), "the register was never being filled");
        QVERIFY(demo.state() == QProcess::Running);
        demo.kill();
        QVERIFY(demo.waitForFinished());
        QVERIFY(!QFileInfo::exists(target));
        // The next demo made beside it clears what the killed one left.
        const auto next = tessaro_test::runProgram(
            binary(), {QStringLiteral("demo"), env.path(QStringLiteral("regs/next")), QStringLiteral("--assets"), QStringLiteral("5")});
        QVERIFY2(next.exitCode == 0, qPrintable(next.err));
        QCOMPARE(QDir(env.path(QStringLiteral("regs"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("next")});
        QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("regs/next/.demo.lock"))));
        // init then makes a new, empty register there, not the half one.
        const auto init = tessaro_test::runProgram(binary(), {QStringLiteral("init"), target});
        QCOMPARE(init.exitCode, 0);
        Database db(target, env.workstation(), QStringLiteral("check"));
        db.open();
        QSqlQuery q = db.run(QStringLiteral("SELECT count(*) FROM \"Item_in\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }

    void demoPlaces_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ok");
        QTest::newRow("missing parents") << "a/b/c" << true;
        QTest::newRow("empty directory") << "empty" << true;
        QTest::newRow("parent is a file") << "file/c" << false;
    }
    void demoPlaces()
    {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        TestEnv env;
        const QString root = env.path(QStringLiteral("regs/"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("empty")));
        put(root + QStringLiteral("file"), "a file\n");
        const auto r = tessaro_test::runProgram(binary(), {QStringLiteral("demo"), root + target,
                                                           QStringLiteral("--assets"), QStringLiteral("5")});
        QCOMPARE(r.exitCode, ok ? 0 : 1);
        const QString dir = root + target + QLatin1Char('/');
        if (ok) {
            QVERIFY2(r.out.contains(dir), qPrintable(r.out));
            QVERIFY(QFileInfo(dir + QStringLiteral("tessaro.sqlite")).isFile());
            QVERIFY(QFileInfo(dir + QStringLiteral("PVLDEF.INI")).isFile());
            const QString name = QFileInfo(root + target).fileName();
            QVERIFY(!QFileInfo::exists(dir + name)); // not nested in itself
            // Nothing else beside it, and the mode of any new directory.
            QCOMPARE(QDir(QFileInfo(root + target).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                         .filter(QStringLiteral(".demo-")),
                     QStringList{});
            const QString reference = env.path(QStringLiteral("reference"));
            QVERIFY(QDir().mkdir(reference));
            QCOMPARE(QFileInfo(dir).permissions(), QFileInfo(reference).permissions());
        } else {
            QCOMPARE(contents(root + QStringLiteral("file")), QByteArray("a file\n"));
            QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     (QStringList{QStringLiteral("empty"), QStringLiteral("file")}));
        }
    }
};

TESSARO_TEST_MAIN(TestFiles)
#include "tst_files.moc"
