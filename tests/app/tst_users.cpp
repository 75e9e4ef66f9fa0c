#include "TestEnv.h"

#include "app/ApplicationErrors.h"
#include "app/Initials.h"
#include "app/ScriptedMessages.h"
#include "app/UsersModel.h"
#include "app/forms/TUserForm.h"
#include "db/Database.h"
#include "db/SchemaWriter.h"
#include "db/TVTables.h"

#include <QTableView>

namespace {

void createTables(Database &db, const QStringList &tables)
{
    for (const QString &name : tables)
        SchemaWriter(db).createTable(*TVTables::find(name), QString::fromLatin1(Database::dataSchema));
}

QStringList savedUsers(Database &db)
{
    QSqlQuery query = db.run(QStringLiteral("SELECT Init, Name FROM User ORDER BY Init"));
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString() + QLatin1Char('=') + query.value(1).toString();
    return rows;
}

void setName(UsersModel *model, int row, const QString &name)
{
    QVERIFY(model->setData(model->index(row, model->nameColumn()), name));
}

} // namespace

class TestUsers : public QObject
{
    Q_OBJECT

private slots:
    void initials_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initials");
        QTest::newRow("two words") << "Alpha Beta" << "AB";
        QTest::newRow("comma and blank") << "Alpha, Beta Gamma" << "ABG";
        QTest::newRow("three at most") << "Alpha Beta Gamma Delta" << "ABG";
        QTest::newRow("leading blanks, periods") << "  alpha ..beta" << "ab";
        QTest::newRow("semicolons") << "Ion;Pop;;Vasile" << "IPV";
        QTest::newRow("case kept") << "ion Pop" << "iP";
        QTest::newRow("romanian letters") << "Ștefan Țurcanu" << "ȘȚ";
        QTest::newRow("separators only") << " ,.; " << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("other punctuation is a letter") << "Pop-Ion -Vasile" << "P-";
    }
    void initials()
    {
        QFETCH(QString, name);
        QFETCH(QString, initials);
        QCOMPARE(Initials::fromName(name), initials);
    }

    // Editing the name through the grid's model sets the key; an emptied name cannot
    // be saved and changes nothing.
    void nameSetsInitialsAndEmptyNameRefused()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User"), QStringLiteral("Acces")});
        db.run(QStringLiteral("INSERT INTO User (Init, Name) VALUES ('AB', 'Alpha Beta')"));

        ScriptedMessages messages;
        TUserForm form(db, messages);
        QVERIFY(form.FormCreate());
        UsersModel *model = form.model();
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(!(model->flags(model->index(0, model->initColumn())) & Qt::ItemIsEditable));

        setName(model, 0, QStringLiteral("Alpha, Beta Gamma"));
        QCOMPARE(model->index(0, model->initColumn()).data().toString(), QStringLiteral("ABG"));
        QVERIFY(form.postPending());
        QCOMPARE(savedUsers(db), QStringList{QStringLiteral("ABG=Alpha, Beta Gamma")});

        setName(model, 0, QString());
        QVERIFY(model->index(0, model->initColumn()).data().toString().isEmpty());
        QVERIFY(!form.postPending());
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                 QStringList{UsersModel::missingNameText()});
        QVERIFY(model->hasPendingEdits());
        QCOMPARE(savedUsers(db), QStringList{QStringLiteral("ABG=Alpha, Beta Gamma")});
    }

    // Two names with the same initials: the second save meets the key, gets the
    // application's duplicate-key warning and stays in edit; reordering the words saves.
    void duplicateInitials()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User"), QStringLiteral("Acces")});

        ScriptedMessages messages;
        TUserForm form(db, messages);
        QVERIFY(form.FormCreate());
        UsersModel *model = form.model();
        form.appendRow();
        setName(model, 0, QStringLiteral("Alpha Beta"));
        QVERIFY(form.postPending());

        form.appendRow();
        const int row = model->rowCount() - 1;
        setName(model, row, QStringLiteral("Anca Bucur"));
        QVERIFY(!form.postPending());
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                 QStringList{ApplicationErrors::duplicateKeyText()});
        QVERIFY(model->hasPendingEdits());
        QCOMPARE(savedUsers(db), QStringList{QStringLiteral("AB=Alpha Beta")});

        setName(model, row, QStringLiteral("Bucur Anca"));
        QVERIFY(form.postPending());
        QCOMPARE(savedUsers(db), (QStringList{QStringLiteral("AB=Alpha Beta"),
                                              QStringLiteral("BA=Bucur Anca")}));
    }

    // Leaving a changed row saves it; a refused save brings the user back to the row.
    void leavingRowSaves()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User"), QStringLiteral("Acces")});
        db.run(QStringLiteral("INSERT INTO User (Init, Name) VALUES ('AB', 'Alpha Beta'), ('CD', 'Cris Dan')"));

        ScriptedMessages messages;
        TUserForm form(db, messages);
        QVERIFY(form.FormCreate());
        UsersModel *model = form.model();
        auto *grid = form.findChild<QTableView *>(QStringLiteral("UsersGrid"));
        const int name = model->nameColumn();
        grid->setCurrentIndex(model->index(0, name));

        setName(model, 0, QStringLiteral("Alina Barbu"));
        grid->setCurrentIndex(model->index(1, name));
        QTRY_COMPARE(savedUsers(db), (QStringList{"AB=Alina Barbu", "CD=Cris Dan"}));
        QTRY_COMPARE(grid->currentIndex().row(), model->rowOf(QStringLiteral("CD")));

        setName(model, 1, QStringLiteral("Ana Bran"));
        grid->setCurrentIndex(model->index(0, name));
        QTRY_COMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                     QStringList{ApplicationErrors::duplicateKeyText()});
        QTRY_COMPARE(grid->currentIndex().row(), 1);
        QVERIFY(model->hasPendingEdits());
        QCOMPARE(savedUsers(db), (QStringList{"AB=Alina Barbu", "CD=Cris Dan"}));

        // Esc drops the pending edit instead of closing.
        form.reject();
        QVERIFY(!model->hasPendingEdits());
        QCOMPARE(model->index(1, name).data().toString(), QStringLiteral("Cris Dan"));
    }

    void accessPickListInKeyOrder()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User"), QStringLiteral("Acces")});
        for (int level : {2, 0, 1})
            db.run(QStringLiteral("INSERT INTO Acces (Niv_acces) VALUES (:L)"), {{QStringLiteral(":L"), level}});

        ScriptedMessages messages;
        TUserForm form(db, messages);
        QVERIFY(form.FormCreate());
        QCOMPARE(form.accessPickList(), (QStringList{"0", "1", "2"}));
        auto *grid = form.findChild<QTableView *>(QStringLiteral("UsersGrid"));
        QVERIFY(grid->isColumnHidden(form.model()->accessColumn()));
        QVERIFY(grid->isColumnHidden(form.model()->passwordColumn()));
        QVERIFY(!grid->isColumnHidden(form.model()->nameColumn()));
    }

    void deletionAsksFirst()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User"), QStringLiteral("Acces")});
        db.run(QStringLiteral("INSERT INTO User (Init, Name) VALUES ('AB', 'Alpha Beta'), ('CD', 'Cris Dan')"));

        ScriptedMessages messages;
        TUserForm form(db, messages);
        QVERIFY(form.FormCreate());
        auto *grid = form.findChild<QTableView *>(QStringLiteral("UsersGrid"));
        grid->setCurrentIndex(form.model()->index(1, form.model()->nameColumn()));

        messages.answer(false);
        form.deleteCurrentRow();
        QCOMPARE(messages.texts(ScriptedMessages::Kind::OkCancel), QStringList{TUserForm::deleteQuestion()});
        QCOMPARE(savedUsers(db).size(), 2);

        messages.answer(true);
        form.deleteCurrentRow();
        QCOMPARE(savedUsers(db), QStringList{QStringLiteral("AB=Alpha Beta")});
    }

    // Without its table the window reports the engine's error and is not shown.
    void openingFailure()
    {
        TestEnv env;
        Database db(env.dataDir(), env.workstation());
        db.open();
        createTables(db, {QStringLiteral("User")}); // no Acces

        ScriptedMessages messages;
        QVERIFY(!TUserForm::execute(db, messages, nullptr));
        const QStringList errors = messages.texts(ScriptedMessages::Kind::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("Eroare de acces la baza de date :\n<")),
                 qPrintable(errors.first()));
        QVERIFY(errors.first().endsWith(QStringLiteral("> !")));
        QVERIFY(errors.first().contains(QStringLiteral("Acces")));
    }
};

TESSARO_TEST_MAIN(TestUsers)
#include "tst_users.moc"
