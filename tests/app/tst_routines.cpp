#include "TestEnv.h"

#include "app/AccountCode.h"
#include "app/AnswerTableRedirect.h"
#include "app/FileUtils.h"
#include "app/RefreshIfBrowsing.h"
#include "app/Status.h"

#include <QItemSelectionModel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>

namespace {

class RecordingTarget : public StatusTarget
{
public:
    void setStatusText(const QString &text) override { texts << text; }
    QStringList texts;
};

} // namespace

class TestRoutines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accountCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("parts"); // synthetic, sub-account, analytic 1, 2

        QTest::newRow("synthetic and sub-account") << "2131" << 0 << QStringList{"213", "1", "", ""};
        QTest::newRow("two analytics") << "4111.01.002" << 2
                                       << QStringList{"411", "1", "01", "002"};
        QTest::newRow("one analytic") << "4426.01" << 1 << QStringList{"442", "6", "01", ""};
        QTest::newRow("three separators") << "1.2.3.4" << 3 << QStringList{"1.2", ".3.4", "", ""};
        QTest::newRow("three separators, long") << "4426.01.001.1" << 4
                                                << QStringList{"442", "6.01.001.1", "", ""};
        QTest::newRow("synthetic too long") << "12345678901.1" << 4
                                            << QStringList{"123", "45678901", "1", ""};
        // 16 | 8 = 24: the analytic lengths are OR-ed, so this pair is refused ...
        QTest::newRow("analytics or-ed over 20")
            << QStringLiteral("401.%1.%2").arg(QString(16, 'A'), QString(8, 'B')) << 4
            << QStringList{"401", "", QString(16, 'A'), QString(8, 'B')};
        // ... while 20 | 20 = 20 passes.
        QTest::newRow("analytics or-ed at 20")
            << QStringLiteral("401.%1.%2").arg(QString(20, 'A'), QString(20, 'B')) << 2
            << QStringList{"401", "", QString(20, 'A'), QString(20, 'B')};
        QTest::newRow("empty") << "" << 0 << QStringList{"", "", "", ""};
    }

    void accountCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, result);
        QFETCH(QStringList, parts);
        AccountCodeParts p;
        p.analytic2 = QStringLiteral("stale");
        QCOMPARE(parseAccountCode(code, QLatin1Char('.'), p), result);
        QCOMPARE((QStringList{p.synthetic, p.subAccount, p.analytic1, p.analytic2}), parts);
        QCOMPARE(validAccountCode(code), result <= 2);
    }

    void redirect_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("from clause") << QStringList{"SELECT *", "FROM ANSW_ST A", "WHERE A.QIn > 0"}
                                     << "ANSW_ST" << true
                                     << QStringList{"SELECT *", "FROM PVL_PRIV.ANSW_ST A",
                                                    "WHERE A.QIn > 0"};
        QTest::newRow("letter case, first line only")
            << QStringList{"insert into answ_tmp select * from answ_tmp2", "join Answ_Tmp T"}
            << "ANSW_TMP" << true
            << QStringList{"insert into PVL_PRIV.ANSW_TMP select * from answ_tmp2", "join Answ_Tmp T"};
        QTest::newRow("with .DB") << QStringList{"FROM \"ANSW_ST.DB\" A"} << "ANSW_ST.DB" << true
                                  << QStringList{"FROM PVL_PRIV.ANSW_ST A"};
        QTest::newRow("already qualified") << QStringList{"FROM PVL_PRIV.ANSW_ST A"} << "ANSW_ST"
                                           << false << QStringList{"FROM PVL_PRIV.ANSW_ST A"};
        QTest::newRow("part of a longer name") << QStringList{"FROM ANSW_ST2 A"} << "ANSW_ST"
                                               << false << QStringList{"FROM ANSW_ST2 A"};
    }

    void redirect()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, table);
        QFETCH(bool, changed);
        QFETCH(QStringList, expected);
        QCOMPARE(redirectAnswerTable(lines, table), changed);
        QCOMPARE(lines, expected);
        // A second run finds the name qualified and changes nothing.
        QVERIFY(!redirectAnswerTable(lines, table));
        QCOMPARE(lines, expected);
    }

    void pathHelpers()
    {
        QCOMPARE(FileUtils::ensureTrailingSeparator("/data/"), QStringLiteral("/data/"));
        QCOMPARE(FileUtils::ensureTrailingSeparator("/data"), QStringLiteral("/data/"));
        QCOMPARE(FileUtils::ensureTrailingSeparator(""), QStringLiteral("/"));
        QCOMPARE(FileUtils::findLast("/", "/a/b/c"), 5);
        QCOMPARE(FileUtils::findLast("ab", "abcab"), 4);
        QCOMPARE(FileUtils::findLast("z", "abc"), 0);

        TestEnv env;
        const QString deep = env.path(QStringLiteral("A/B/C"));
        QVERIFY(FileUtils::makeDirectoryPath(deep));
        QVERIFY(QFileInfo(deep).isDir());
        QVERIFY(FileUtils::makeDirectoryPath(deep + QLatin1Char('/'))); // exists already
        // A file in the way cannot become a directory.
        QFile file(env.path(QStringLiteral("A/F")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!FileUtils::makeDirectoryPath(env.path(QStringLiteral("A/F/G"))));
    }

    void status()
    {
        Status::show(QStringLiteral("nobody listens")); // must not fail
        RecordingTarget panel;
        RecordingTarget bar;
        Status::registerTarget(&panel);
        Status::show(QStringLiteral("Listez..."));
        Status::registerSecondTarget(&bar);
        Status::show(QStringLiteral("Gata"));
        Status::registerSecondTarget(&panel);
        Status::show(QStringLiteral("o data"));
        Status::registerTarget(nullptr);
        Status::registerSecondTarget(nullptr);
        Status::show(QStringLiteral("nimic"));
        QCOMPARE(panel.texts, (QStringList{"Listez...", "Gata", "o data"}));
        QCOMPARE(bar.texts, QStringList{"Gata"});
    }

    void refreshKeepsCurrentRow()
    {
        {
            auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("refresh"));
            db.setDatabaseName(QStringLiteral(":memory:"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE Gest (Cod VARCHAR(5) PRIMARY KEY, Nume TEXT)")));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO Gest VALUES ('B', 'b'), ('C', 'c'), ('D', 'd')")));

            QSqlTableModel model(nullptr, db);
            model.setTable(QStringLiteral("Gest"));
            model.setSort(0, Qt::AscendingOrder);
            model.setEditStrategy(QSqlTableModel::OnManualSubmit);
            QVERIFY(model.select());
            QItemSelectionModel selection(&model);
            selection.setCurrentIndex(model.index(1, 1), QItemSelectionModel::NoUpdate);

            // Another workstation adds a row before the current one.
            QVERIFY(q.exec(QStringLiteral("INSERT INTO Gest VALUES ('A', 'a')")));
            QVERIFY(refreshIfBrowsing(&model, &selection));
            QCOMPARE(model.rowCount(), 4);
            QCOMPARE(selection.currentIndex().row(), 2);
            QCOMPARE(model.data(model.index(selection.currentIndex().row(), 0)).toString(),
                     QStringLiteral("C"));

            // A pending edit is never thrown away.
            QVERIFY(model.setData(model.index(0, 1), QStringLiteral("changed")));
            QVERIFY(q.exec(QStringLiteral("DELETE FROM Gest WHERE Cod = 'D'")));
            QVERIFY(!refreshIfBrowsing(&model, &selection));
            QCOMPARE(model.rowCount(), 4);
            model.revertAll();

            // The current row gone: the nearest position stays current.
            selection.setCurrentIndex(model.index(3, 0), QItemSelectionModel::NoUpdate);
            QVERIFY(refreshIfBrowsing(&model, &selection));
            QCOMPARE(model.rowCount(), 3);
            QCOMPARE(selection.currentIndex().row(), 2);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("refresh"));
    }
};

TESSARO_TEST_MAIN(TestRoutines)
#include "tst_routines.moc"
