#include "TestEnv.h"

#include "LedgerFixture.h"
#include "app/Parameters.h"
#include "app/ScriptedMessages.h"
#include "db/TVTables.h"
#include "documents/EntryComputations.h"
#include "documents/forms/DocInLinesModel.h"
#include "documents/forms/TDocInForm.h"

using namespace ledger_test;

// The entry window inserting a multiple selection of catalogue articles: every article
// becomes a line, or, when one of them is refused, none does and the grid shows none.
class TestSelectionInsert : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Database> m_db;
    Parameters m_params;
    ScriptedMessages m_messages;

private Q_SLOTS:
    void init()
    {
        openLedger(m_env, m_db);
        m_messages.clear();
        m_params = Parameters();
        m_db->run(QStringLiteral("INSERT INTO \"Gest\" (\"Cod\", \"Denumire\") VALUES ('G1', 'Sediu')"));
        m_db->run(QStringLiteral("INSERT INTO \"Grup\" (\"Cod_material\", \"Cod_grupa\", \"DurataMin\", \"DurataMax\") "
                                 "VALUES ('1', '2.1', 2, 4), ('1', '3.3', 5, 7)"));
    }
    void cleanup()
    {
        closeLedger(m_env, m_db);
    }

    void insertedAllOrNothing_data()
    {
        QTest::addColumn<QStringList>("articles");
        QTest::addColumn<QString>("refusal"); // empty: inserted
        QTest::newRow("three inserted") << QStringList{"2.1|C-1", "3.3|C-2", "2.1|C-3"} << QString();
        QTest::newRow("second of three refused")
            << QStringList{"2.1|C-1", "9.9|C-2", "2.1|C-3"} << EntryComputations::unknownGroupText("9.9");
        QTest::newRow("last of three refused")
            << QStringList{"2.1|C-1", "3.3|C-2", "7.7|C-3"} << EntryComputations::unknownGroupText("7.7");
    }
    void insertedAllOrNothing()
    {
        QFETCH(QStringList, articles);
        QFETCH(QString, refusal);
        TDocInForm form(*m_db, m_params, m_messages, m_env->workstation());
        form.show();
        // An empty register opens on a new document, whose header is already written.
        QCOMPARE(form.headerState(), TDocInForm::HeaderState::Insert);
        const QStringList before = everyTable(*m_db);
        QList<QPair<QString, QString>> chosen;
        for (const QString &a : std::as_const(articles))
            chosen.append({a.section(QLatin1Char('|'), 0, 0), a.section(QLatin1Char('|'), 1, 1)});
        form.insertSelection(chosen);
        if (!refusal.isEmpty()) {
            QCOMPARE(m_messages.texts(), QStringList{refusal});
            QCOMPARE(everyTable(*m_db), before);
            QCOMPARE(form.lines()->rowCount(), 0);
            return;
        }
        QCOMPARE(m_messages.texts(), QStringList{});
        QCOMPARE(form.lines()->rowCount(), 3);
        QCOMPARE(form.lines()->line(1).article, QStringLiteral("C-2"));
        QCOMPARE(form.lines()->line(1).contorSecundar, std::optional<double>(2));
        QCOMPARE(stockRows(*m_db), (QStringList{"G1|2.1|C-1|0|-|-|1", "G1|2.1|C-3|0|-|-|1", "G1|3.3|C-2|0|-|-|1"}));
    }
};

TESSARO_TEST_MAIN(TestSelectionInsert)
#include "tst_selectioninsert.moc"
