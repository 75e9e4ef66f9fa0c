#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "documents/CurrentStockQuery.h"
#include "documents/EntryComputations.h"
#include "documents/InitialStock.h"
#include "documents/StockInsertion.h"
#include "documents/StockRecalculation.h"
#include "documents/forms/IniStockLinesModel.h"
#include "documents/forms/NewStockRowsModel.h"
#include "documents/forms/TIniStockForm.h"
#include "documents/forms/TStocksForm.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>

using namespace ledger_test;
using View = CurrentStockQuery::View;
using Order = CurrentStockQuery::Order;

class TestStockWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    ScriptedMessages m_messages;
    Parameters m_params;

    void addAsset(const QString &unit, const QString &group, const QString &article, const QString &name,
                  double price, double quantity)
    {
        EntryLine l;
        l.contor = InitialStock::documentNumber;
        l.unit = unit;
        l.group = group;
        l.article = article;
        l.name = name;
        l.priceLei = price;
        l.quantity = quantity;
        l.domain = QStringLiteral("Privat");
        l.lot = QDate(2020, 1, 15);
        l.durataTotala = 36;
        l.calcAmortizare = true;
        InitialStock(*m_db, 0.00001).saveLine(l);
    }

    static QStringList column(TStocksForm &form, const QString &field)
    {
        QStringList values;
        for (int row = 0; row < form.model()->rowCount(); ++row)
            values << form.model()->record(row).value(field).toString();
        return values;
    }

    static QString current(TStocksForm &form, const QString &field)
    {
        return form.model()->record(form.currentRow()).value(field).toString();
    }

    // Types `values` (field -> text) into new row `row` through the grid's model.
    static void typeRow(TStocksForm &form, int row, const QMap<QString, QString> &values)
    {
        QAbstractItemModel *grid = form.grid()->model();
        const int gridRow = form.model()->rowCount() + row;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            QVERIFY2(grid->setData(grid->index(gridRow, form.newRows()->column(it.key())), it.value()),
                     qPrintable(it.key()));
    }

    // Everything an insertion may write: stock, lines and headers.
    QStringList tables()
    {
        QStringList rows = stockRows(*m_db);
        for (const char *sql : {"SELECT \"Contor\", \"Contor_secundar\", \"Cod_articol\", \"Denumire\" FROM \"Item_in\"",
                                "SELECT \"Contor\", \"Data\", \"Tip\" FROM \"Doc_in\""}) {
            QSqlQuery q = m_db->run(QLatin1String(sql));
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i)
                    cells << q.value(i).toString();
                rows << cells.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu'), ('G2', 'Depozit')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.2', 3, 5), ('2', '2.1.3', 8, 12)"));
        m_db->run(QStringLiteral("INSERT INTO \"Client\" (\"Cod_client\", \"Nume_client\") VALUES ('B1', 'Buget local')"));
        InitialStock(*m_db, 0.00001).ensureDocument(QDate(2020, 1, 1));
        addAsset(QStringLiteral("G1"), QStringLiteral("2.1.3"), QStringLiteral("100"), QStringLiteral("Strung"), 1500, 1);
        addAsset(QStringLiteral("G1"), QStringLiteral("2.1.3"), QStringLiteral("100"), QStringLiteral("Strung"), 2500, 2);
        addAsset(QStringLiteral("G1"), QStringLiteral("1.1.1"), QStringLiteral("30"), QStringLiteral("Birou"), 700, 1);
        addAsset(QStringLiteral("G1"), QStringLiteral("3.2"), QStringLiteral("9"), QStringLiteral("autoturism"), 40000, 1);
        addAsset(QStringLiteral("G2"), QStringLiteral("2.1.3"), QStringLiteral("5"), QStringLiteral("Freza"), 900, 4);
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void viewsShowTheUnitsRows_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("articles");
        QTest::addColumn<QStringList>("quantities");
        QTest::newRow("G1 per price") << "G1" << int(View::ByPrice) << QStringList{"30", "100", "100", "9"}
                                      << QStringList{"1", "1", "2", "1"};
        QTest::newRow("G1 per article") << "G1" << int(View::ByArticle) << QStringList{"30", "100", "9"}
                                        << QStringList{"1", "3", "1"};
        QTest::newRow("G2 per price") << "G2" << int(View::ByPrice) << QStringList{"5"} << QStringList{"4"};
    }
    void viewsShowTheUnitsRows()
    {
        QFETCH(QString, unit);
        QFETCH(int, view);
        QFETCH(QStringList, articles);
        QFETCH(QStringList, quantities);
        QSettings(QStringLiteral("Brindell"), QStringLiteral("Tessaro")).setValue(TStocksForm::sortKey(), 0);
        TStocksForm form(*m_db, m_messages, m_env->workstation());
        form.setUnit(unit);
        form.setView(View(view));
        QCOMPARE(column(form, QStringLiteral("Cod_articol")), articles);
        QCOMPARE(column(form, QStringLiteral("Cantitate")), quantities);
        QCOMPARE(column(form, QStringLiteral("Denumire")).first().isEmpty(), false);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void sortOrdersAreRemembered_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("articles");
        QTest::newRow("Cod clasificare") << int(Order::Group) << QStringList{"30", "100", "100", "9"};
        QTest::newRow("Nr. inventar") << int(Order::Article) << QStringList{"100", "100", "30", "9"};
        QTest::newRow("Denumire") << int(Order::Name) << QStringList{"9", "30", "100", "100"};
    }
    void sortOrdersAreRemembered()
    {
        QFETCH(int, order);
        QFETCH(QStringList, articles);
        {
            TStocksForm form(*m_db, m_messages, m_env->workstation());
            form.setUnit(QStringLiteral("G1"));
            form.setOrder(Order(order));
            QCOMPARE(column(form, QStringLiteral("Cod_articol")), articles);
        }
        QCOMPARE(QSettings(QStringLiteral("Brindell"), QStringLiteral("Tessaro")).value(TStocksForm::sortKey()).toInt(),
                 order);
        TStocksForm again(*m_db, m_messages, m_env->workstation());
        QCOMPARE(int(again.order()), order);
    }

    // The orders read from a sorted copy of the unit's rows see a new row once refreshed.
    void sortedViewsSeeNewRowsOnRefresh_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("articles");
        QTest::newRow("per price, by name") << int(View::ByPrice) << int(Order::Name)
                                            << QStringList{"9", "30", "100", "100", "200"};
        QTest::newRow("per article, by code") << int(View::ByArticle) << int(Order::Group)
                                              << QStringList{"30", "100", "200", "9"};
    }
    void sortedViewsSeeNewRowsOnRefresh()
    {
        QFETCH(int, view);
        QFETCH(int, order);
        QFETCH(QStringList, articles);
        TStocksForm form(*m_db, m_messages, m_env->workstation());
        form.setUnit(QStringLiteral("G1"));
        form.setView(View(view));
        form.setOrder(Order(order));
        QCOMPARE(form.model()->query().reading(), PagedQuery::Reading::Sorted);
        const int before = form.model()->rowCount();
        addAsset(QStringLiteral("G1"), QStringLiteral("2.2"), QStringLiteral("200"), QStringLiteral("Ţesătorie"), 80, 1);
        QCOMPARE(form.model()->rowCount(), before);
        form.refreshData();
        QCOMPARE(column(form, QStringLiteral("Cod_articol")), articles);
        QVERIFY(m_messages.texts().isEmpty());
    }

    void searchLandsOnTheRow_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name, lower case") << int(Order::Name) << "st" << "Denumire" << "Strung";
        QTest::newRow("name between") << int(Order::Name) << "bz" << "Denumire" << "Strung";
        QTest::newRow("name past the end") << int(Order::Name) << "z" << "Denumire" << "Strung";
        QTest::newRow("group") << int(Order::Group) << "2" << "Cod_grupa" << "2.1.3";
        QTest::newRow("inventory number as text") << int(Order::Article) << "31" << "Cod_articol" << "9";
    }
    void searchLandsOnTheRow()
    {
        QFETCH(int, order);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        TStocksForm form(*m_db, m_messages, m_env->workstation());
        form.setUnit(QStringLiteral("G1"));
        form.setOrder(Order(order));
        form.findChild<QLineEdit *>(QStringLiteral("SearchEdit"))->setText(text);
        QCOMPARE(current(form, field), expected);
    }

    void nearestRow_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<int>("row");
        QTest::newRow("values as numbers") << QStringList{"9", "30", "100"} << "31" << true << 2;
        QTest::newRow("exact, any case") << QStringList{"ANA", "BOB", "DAN"} << "bob" << false << 1;
        QTest::newRow("before all") << QStringList{"ANA", "BOB"} << "A" << false << 0;
        QTest::newRow("after all: last") << QStringList{"ANA", "BOB"} << "ZZ" << false << 1;
        QTest::newRow("empty") << QStringList{} << "A" << false << -1;
    }
    void nearestRow()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(int, row);
        QCOMPARE(CurrentStockQuery::nearestRow(keys, text, numeric), row);
    }

    void priceSearchAndRepeat()
    {
        m_db->run(QStringLiteral("INSERT INTO \"Stoc\" (\"Cod_gestiune\", \"Cod_grupa\", \"Cod_articol\", "
                                 "\"Pret_achizitie\", \"Cantitate\") VALUES ('G1', '4', '50', 1500, 1)"));
        TStocksForm form(*m_db, m_messages, m_env->workstation());
        form.setUnit(QStringLiteral("G1"));
        form.setOrder(Order::Group);
        QVERIFY(form.searchPrice(QStringLiteral("1500"), false));
        QCOMPARE(current(form, QStringLiteral("Cod_articol")), QStringLiteral("100"));
        QVERIFY(form.searchPrice(QStringLiteral("1500,0"), true));
        QCOMPARE(current(form, QStringLiteral("Cod_articol")), QStringLiteral("50"));
        QVERIFY(!form.searchPrice(QStringLiteral("1500"), true));
        QVERIFY(!form.searchPrice(QStringLiteral("12a"), false));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("<12a> nu este o valoare corecta!")});
        QCOMPARE(current(form, QStringLiteral("Cod_articol")), QStringLiteral("50"));
    }

    void pickerReturnsTheChosenRow_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("quantity");
        QTest::newRow("given value") << 2500.0 << 2.0;
        QTest::newRow("any value: the first") << -1.0 << 1.0;
    }
    void pickerReturnsTheChosenRow()
    {
        QFETCH(double, price);
        QFETCH(double, quantity);
        StockPick pick;
        pick.unit = QStringLiteral("G1");
        pick.group = QStringLiteral("2.1.3");
        pick.article = QStringLiteral("100");
        pick.price = price;
        QString title;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            dialog->accept();
        });
        QVERIFY(TStocksForm::pickFromStock(nullptr, *m_db, m_messages, m_env->workstation(), pick));
        QCOMPARE(title, TStocksForm::pickerCaption());
        QCOMPARE(pick.unit, QStringLiteral("G1"));
        QCOMPARE(pick.article, QStringLiteral("100"));
        QCOMPARE(pick.price, price < 0 ? 1500.0 : price);
        QCOMPARE(pick.quantity, quantity);
        QCOMPARE(pick.lot, QStringLiteral("15.1.2020"));
    }

    void layoutsWrittenAndReadBack()
    {
        const QString pret = m_env->home() + QStringLiteral("PVL_PRIV/stocksPret.cfg");
        const QString articole = m_env->home() + QStringLiteral("PVL_PRIV/stocksArticole.cfg");
        {
            TStocksForm form(*m_db, m_messages, m_env->workstation());
            form.grid()->setColumnWidth(2, 321);
            form.setView(View::ByArticle); // leaving a view writes its layout
            QVERIFY(QFile::exists(pret));
            form.grid()->setColumnWidth(1, 123);
            form.close();
        }
        QVERIFY(QFile::exists(articole));
        TStocksForm form(*m_db, m_messages, m_env->workstation());
        QCOMPARE(form.grid()->columnWidth(2), 321);
        form.setView(View::ByArticle);
        QCOMPARE(form.grid()->columnWidth(1), 123);
    }

    void iniStockLineThroughTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saved");
        QTest::newRow("complete line") << "Strung" << true;
        QTest::newRow("without a name") << "" << false;
    }
    void iniStockLineThroughTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(bool, saved);
        const QStringList stockBefore = stockRows(*m_db);
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        QVERIFY(form.isOpen());
        form.setUnit(QStringLiteral("G2"));
        const int row = form.addLine();
        QCOMPARE(row, 1);
        IniStockLinesModel *lines = form.lines();
        const QStringList values{"2.2", "77", name, "3", "1200", "1.2.2019", "", "Privat", "60", "", ""};
        for (int column = 0; column < values.size(); ++column)
            QVERIFY(lines->setData(lines->index(row, column), values.at(column)));
        QVERIFY(lines->setData(lines->index(row, IniStockLinesModel::CalcDepreciation), Qt::Checked, Qt::CheckStateRole));
        form.grid()->setCurrentIndex(lines->index(0, 0)); // leaving the row saves it
        QCOMPARE(m_messages.texts().size(), saved ? 0 : 1);
        // Saving again moves nothing more; the refused line stays refused.
        QCOMPARE(form.postCurrent(), saved);
        const QString key = QStringLiteral("G2|2.2|77|1200|2019-02-01|-|3");
        QStringList expected = stockBefore;
        if (saved) {
            expected << key;
            expected.sort();
            QVERIFY(m_messages.texts().isEmpty());
        } else {
            QCOMPARE(m_messages.texts().first(), InitialStock::incompleteText());
            QCOMPARE(form.grid()->currentIndex().row(), row); // back on the refused line
        }
        QCOMPARE(stockRows(*m_db), expected);
        QSqlQuery count = m_db->run(QStringLiteral("SELECT count(*) FROM \"Item_in\""));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), saved ? 6 : 5);
        // A refused line keeps the window open.
        form.show();
        QCOMPARE(form.close(), saved);
        QCOMPARE(QFile::exists(m_env->home() + QStringLiteral("PVL_PRIV/iniStock.cfg")), saved);
        form.hide();
    }

    // A unit of many lines is read a page at a time; an edit, a deletion or a new line
    // far down keeps every other line where it was.
    void iniStockLinesPagedWhileEdited_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("articlesAfter"); // at rows row-1, row, row+1 afterwards
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("rename a line on the third page") << "rename" << 450 << QStringList{"A449", "A450", "A451"} << 700;
        QTest::newRow("delete a line on the second page") << "delete" << 250 << QStringList{"A249", "A251", "A252"} << 699;
        QTest::newRow("delete the first line") << "delete" << 0 << QStringList{"", "A1", "A2"} << 699;
        QTest::newRow("a new line after the stored ones") << "add" << 700 << QStringList{"A699", "NEW", ""} << 701;
    }
    void iniStockLinesPagedWhileEdited()
    {
        QFETCH(QString, action);
        QFETCH(int, row);
        QFETCH(QStringList, articlesAfter);
        QFETCH(int, rowsAfter);
        // 700 lines of G2 beside those of G1, numbered after the fixture's five.
        m_db->writeTransaction([this] {
            for (int i = 0; i < 700; ++i)
                m_db->run(QStringLiteral("INSERT INTO \"Item_in\" (\"Contor\", \"Contor_secundar\", \"Cod_gestiune\", "
                                         "\"Cod_grupa\", \"Cod_articol\", \"Lot\", \"Cantitate\", \"Pret_achizitie_lei\", "
                                         "\"DurataTotala\", \"Denumire\", \"Domeniu\", \"CalcAmortizare\") "
                                         "VALUES (-1, :n, 'G2', '2.2', :a, '2020-01-15', 1, 10, 48, 'Scaun', 'Privat', 1)"),
                         {{QStringLiteral(":n"), 100 + i}, {QStringLiteral(":a"), QStringLiteral("A%1").arg(i)}});
        });
        m_db->run(QStringLiteral("DELETE FROM \"Item_in\" WHERE \"Cod_gestiune\" = 'G2'  AND \"Cod_articol\" = '5'"));
        TIniStockForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.resize(800, 400);
        form.setUnit(QStringLiteral("G2"));
        IniStockLinesModel *lines = form.lines();
        QCOMPARE(lines->rowCount(), 700);
        QVERIFY2(lines->loadedRows() < 700, qPrintable(QString::number(lines->loadedRows())));
        // A line typed but not yet saved further down moves with its neighbours.
        QVERIFY(lines->setData(lines->index(600, IniStockLinesModel::Name), QStringLiteral("Dulap")));

        if (action == QLatin1String("rename")) {
            form.grid()->setCurrentIndex(lines->index(row, IniStockLinesModel::Name));
            QVERIFY(lines->setData(lines->index(row, IniStockLinesModel::Name), QStringLiteral("Masa")));
            QVERIFY(form.saveRow(row));
            QSqlQuery q = m_db->run(QStringLiteral("SELECT \"Denumire\" FROM \"Item_in\" WHERE \"Cod_articol\" = 'A450'"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("Masa"));
            QCOMPARE(lines->line(row).name, QStringLiteral("Masa"));
            QVERIFY(!lines->isDirty(row));
        } else if (action == QLatin1String("delete")) {
            form.grid()->setCurrentIndex(lines->index(row, IniStockLinesModel::Article));
            m_messages.answer(true);
            form.deleteCurrent();
            QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Stergeti înregistrarea curenta?")});
            m_messages.clear();
            QSqlQuery q = m_db->run(QStringLiteral("SELECT COUNT(*) FROM \"Item_in\" WHERE \"Cod_articol\" = :a"),
                                    {{QStringLiteral(":a"), QStringLiteral("A%1").arg(row)}});
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 0);
        } else {
            QCOMPARE(form.addLine(), row);
            for (const auto &[column, text] : {std::pair{int(IniStockLinesModel::Group), "2.2"},
                                               std::pair{int(IniStockLinesModel::Article), "NEW"},
                                               std::pair{int(IniStockLinesModel::Name), "Raft"},
                                               std::pair{int(IniStockLinesModel::Quantity), "1"},
                                               std::pair{int(IniStockLinesModel::Price), "99"},
                                               std::pair{int(IniStockLinesModel::Lot), "1.2.2019"},
                                               std::pair{int(IniStockLinesModel::Domain), "Privat"}})
                QVERIFY2(lines->setData(lines->index(row, column), QString::fromLatin1(text)), text);
            QVERIFY(form.saveRow(row));
        }
        QVERIFY2(m_messages.texts().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('\n'))));
        QCOMPARE(lines->rowCount(), rowsAfter);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lines->line(row - 1 + i).article, articlesAfter.at(i));
        const int typed = action == QLatin1String("delete") ? 599 : 600;
        QVERIFY(lines->isDirty(typed));
        QCOMPARE(lines->line(typed).name, QStringLiteral("Dulap"));
        QCOMPARE(lines->line(typed).article, QStringLiteral("A600"));
        QVERIFY(!lines->isDirty(typed + 1));
        // Read again from the table, the lines are those the model showed, saved ones included.
        QVERIFY(form.saveRow(typed));
        const QStringList shown{lines->line(row - 1).article, lines->line(row).article, lines->line(row).name};
        form.refreshData();
        QCOMPARE(lines->rowCount(), rowsAfter);
        QCOMPARE((QStringList{lines->line(row - 1).article, lines->line(row).article, lines->line(row).name}), shown);
        QCOMPARE(lines->line(typed).name, QStringLiteral("Dulap"));
    }

    void insertedRowsSurviveRecalculation_data()
    {
        QTest::addColumn<bool>("withoutInitialStock");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("lot");   // empty: the preset
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QString>("replaced"); // stock row the insertion changes; empty for a new key
        QTest::addColumn<QString>("added");
        QTest::addColumn<double>("totalLife");
        QTest::newRow("new key, preset date of the initial stock")
            << false << "2.2" << "500" << "1200" << "" << "" << "" << "G1|2.2|500|1200|2020-01-01|-|2" << 48.0;
        QTest::newRow("key of an existing row adds to it")
            << false << "2.1.3" << "100" << "1500" << "15.1.2020" << "" << "G1|2.1.3|100|1500|2020-01-15|-|1"
            << "G1|2.1.3|100|1500|2020-01-15|-|3" << 120.0;
        QTest::newRow("with a budget") << false << "2.2" << "501" << "80" << "3.4.2019" << "B1" << ""
                                       << "G1|2.2|501|80|2019-04-03|B1|2" << 48.0;
        QTest::newRow("no initial stock yet: made, dated today")
            << true << "2.2" << "502" << "10" << "" << "" << ""
            << QStringLiteral("G1|2.2|502|10|%1|-|2").arg(QDate::currentDate().toString(Qt::ISODate)) << 48.0;
    }
    void insertedRowsSurviveRecalculation()
    {
        QFETCH(bool, withoutInitialStock);
        QFETCH(QString, group);
        QFETCH(QString, article);
        QFETCH(QString, price);
        QFETCH(QString, lot);
        QFETCH(QString, agent);
        QFETCH(QString, replaced);
        QFETCH(QString, added);
        QFETCH(double, totalLife);
        if (withoutInitialStock) {
            for (const char *table : {"Stoc", "Item_in", "Doc_in"})
                m_db->run(QStringLiteral("DELETE FROM \"%1\"").arg(QLatin1String(table)));
        }
        QStringList expected = stockRows(*m_db);
        if (!replaced.isEmpty())
            QVERIFY(expected.removeOne(replaced));
        expected << added;
        expected.sort();

        TStocksForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        auto *editBtn = form.findChild<QPushButton *>(QStringLiteral("EditBtn"));
        QVERIFY(editBtn->isEnabled());
        editBtn->click();
        QVERIFY(form.isEditing());
        QMap<QString, QString> values{{"Cod_grupa", group}, {"Cod_articol", article}, {"Denumire", "Masina"},
                                      {"Pret_achizitie", price}, {"Cantitate", "2"}, {"Agent", agent}};
        if (!lot.isEmpty())
            values.insert(QStringLiteral("Lot"), lot);
        typeRow(form, 0, values);
        editBtn->click();
        QVERIFY2(m_messages.texts().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('\n'))));
        QVERIFY(!form.isEditing());
        QCOMPARE(form.newRows()->count(), 0);
        QVERIFY(column(form, QStringLiteral("Cod_articol")).contains(article));
        QCOMPARE(stockRows(*m_db), expected);

        // Written as an initial-stock line: the recalculation brings the same rows back.
        QSqlQuery line = m_db->run(QStringLiteral("SELECT \"Denumire\", \"DurataTotala\", \"DurataRamasa\", \"Domeniu\" "
                                                  "FROM \"Item_in\" i JOIN \"Doc_in\" d ON d.\"Contor\" = i.\"Contor\" "
                                                  "WHERE i.\"Contor\" = -1 AND i.\"Cod_articol\" = :a AND d.\"Tip\" = 'XXX' "
                                                  "ORDER BY i.\"Contor_secundar\" DESC"),
                                   {{QStringLiteral(":a"), article}});
        QVERIFY(line.next());
        QCOMPARE(line.value(0).toString(), QStringLiteral("Masina"));
        QCOMPARE(line.value(1).toDouble(), totalLife);
        QCOMPARE(line.value(2).toDouble(), totalLife);
        QCOMPARE(line.value(3).toString(), StockInsertion::defaultDomain());
        line.finish(); // the recalculation drops tables: no statement may stay open
        QCOMPARE(StockRecalculation(*m_db, m_params.epsilon).run(), StockRecalculation::Outcome::Done);
        QCOMPARE(stockRows(*m_db), expected);
    }

    void incompleteRowIsNotSaved_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("agent");
        QTest::addColumn<QString>("message");
        QTest::newRow("no classification code")
            << "" << "Masina" << "10" << "1" << "" << StockInsertion::incompleteText({QStringLiteral("Cod clasificare")});
        QTest::newRow("no name, no value") << "2.2" << "" << "" << "1" << ""
                                           << StockInsertion::incompleteText({QStringLiteral("Denumire"),
                                                                              QStringLiteral("Valoare unitara")});
        QTest::newRow("quantity left at 0")
            << "2.2" << "Masina" << "10" << "0" << "" << StockInsertion::incompleteText({QStringLiteral("Cantitate")});
        QTest::newRow("quantity within the tolerance")
            << "2.2" << "Masina" << "10" << "1e-6" << "" << StockInsertion::incompleteText({QStringLiteral("Cantitate")});
        QTest::newRow("negative quantity") << "2.2" << "Masina" << "10" << "-1" << "" << StockInsertion::negativeText();
        QTest::newRow("unknown classification code")
            << "9.9" << "Masina" << "10" << "1" << "" << EntryComputations::unknownGroupText(QStringLiteral("9.9"));
        QTest::newRow("unknown budget") << "2.2" << "Masina" << "10" << "1" << "ZZ" << StockInsertion::unknownBudgetText("ZZ");
    }
    void incompleteRowIsNotSaved()
    {
        QFETCH(QString, group);
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(QString, quantity);
        QFETCH(QString, agent);
        QFETCH(QString, message);
        const QStringList before = tables();
        TStocksForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        QVERIFY(form.setEditing(true));
        typeRow(form, 0, {{"Cod_grupa", group}, {"Cod_articol", "600"}, {"Denumire", name},
                          {"Pret_achizitie", price}, {"Cantitate", quantity}, {"Agent", agent}});
        QVERIFY(!form.setEditing(false));
        QCOMPARE(m_messages.texts(), QStringList{message});
        QVERIFY(form.isEditing());
        QVERIFY(form.findChild<QPushButton *>(QStringLiteral("EditBtn"))->isChecked());
        QCOMPARE(tables(), before);
        // The refused row keeps what was typed, and the window stays open with it.
        QCOMPARE(form.newRows()->count(), 1);
        QCOMPARE(form.newRows()->row(0).article, QStringLiteral("600"));
        QCOMPARE(form.newRows()->row(0).name, name);
        form.show();
        QVERIFY(!form.close());
        QCOMPARE(m_messages.texts().size(), 2);
        QCOMPARE(tables(), before);
    }

    void existingRowsStayReadOnly()
    {
        const QStringList before = tables();
        TStocksForm form(*m_db, m_messages, m_env->workstation(), m_params);
        form.setUnit(QStringLiteral("G1"));
        form.setView(View::ByArticle);
        form.show();
        QVERIFY(form.setEditing(true));
        QCOMPARE(form.view(), View::ByPrice); // editing works on stock rows
        QAbstractItemModel *grid = form.grid()->model();
        const int stock = form.model()->rowCount();
        QCOMPARE(grid->rowCount(), stock + 1);
        for (int row = 0; row < stock; ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QModelIndex index = grid->index(row, column);
                QVERIFY(!(grid->flags(index) & Qt::ItemIsEditable));
                QVERIFY(!grid->setData(index, QStringLiteral("X")));
            }
        }
        QVERIFY(grid->flags(grid->index(stock, form.newRows()->column(QStringLiteral("Denumire")))) & Qt::ItemIsEditable);
        QCOMPARE(grid->data(grid->index(stock, form.newRows()->column(QStringLiteral("Cantitate")))).toString(),
                 QStringLiteral("0")); // a new row starts with nothing in stock
        // Ctrl+Delete drops only rows not yet written.
        form.grid()->setCurrentIndex(grid->index(0, 0));
        QTest::keyClick(form.grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(grid->rowCount(), stock + 1);
        QTest::keyClick(form.grid(), Qt::Key_Insert);
        QCOMPARE(grid->rowCount(), stock + 2);
        QTest::keyClick(form.grid(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(grid->rowCount(), stock + 1);
        // An untouched new row is dropped without a word.
        QVERIFY(form.setEditing(false));
        QCOMPARE(grid->rowCount(), stock);
        QVERIFY(m_messages.texts().isEmpty());
        QCOMPARE(tables(), before);
        form.hide();
        // Without the parameters (and in the picker) the rows cannot be edited at all.
        TStocksForm plain(*m_db, m_messages, m_env->workstation());
        QVERIFY(!plain.findChild<QPushButton *>(QStringLiteral("EditBtn"))->isEnabled());
        QVERIFY(!plain.setEditing(true));
    }
};

TESSARO_TEST_MAIN(TestStockWindows)
#include "tst_stockwindows.moc"
