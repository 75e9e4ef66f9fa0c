#include "TestEnv.h"

#include "app/DateParsing.h"
#include "app/ScriptedMessages.h"
#include "app/forms/DateField.h"
#include "app/forms/TIntervalDlg.h"
#include "app/forms/TSelDateDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void intervalLooks()
    {
        ScriptedMessages messages;
        TIntervalDlg dialog(messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Setati intervalul dorit:"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("FromLabel"))->text(), QStringLiteral("&De la data de :"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("ToLabel"))->text(), QStringLiteral("&pana în data:"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("OkBtn"))->text(), QStringLiteral("&Deschide"));
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("CancelBtn"))->text(), QStringLiteral("&Inchide"));
        dialog.setDates(QDate(2024, 3, 5), QDate(2024, 12, 31));
        QCOMPARE(dialog.findChild<DateField *>(QStringLiteral("FromDate"))->text(), QStringLiteral("05.03.2024"));
    }

    void intervalAnswer_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("warning");
        QTest::newRow("valid") << QDate(2024, 1, 1) << QDate(2024, 1, 31) << "OkBtn" << true << QString();
        QTest::newRow("one day") << QDate(2024, 2, 29) << QDate(2024, 2, 29) << "OkBtn" << true << QString();
        QTest::newRow("start after end") << QDate(2024, 3, 5) << QDate(2024, 2, 1) << "OkBtn" << false
                                         << "Intervalul de timp nu este corect! 01.02.2024 < 05.03.2024";
        QTest::newRow("cancel") << QDate(2024, 1, 1) << QDate(2024, 1, 31) << "CancelBtn" << false << QString();
    }

    // The user changes both dates to the row's values, then presses the button.
    void intervalAnswer()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, button);
        QFETCH(bool, accepted);
        QFETCH(QString, warning);
        ScriptedMessages messages;
        const QDate oldStart(2020, 6, 1), oldEnd(2020, 6, 30);
        QDate s = oldStart, e = oldEnd;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<TIntervalDlg *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->startDate(), oldStart);
            dialog->setDates(start, end);
            dialog->findChild<QPushButton *>(button)->click();
            // A refused period keeps the dialog open; close it to end the test.
            if (dialog->isVisible())
                dialog->reject();
        });
        QCOMPARE(TIntervalDlg::execute(s, e, messages), accepted);
        QCOMPARE(s, accepted ? start : oldStart);
        QCOMPARE(e, accepted ? end : oldEnd);
        QCOMPARE(messages.texts(ScriptedMessages::Kind::Warning),
                 warning.isEmpty() ? QStringList() : QStringList{warning});
    }

    void intervalEnterKeys()
    {
        ScriptedMessages messages;
        TIntervalDlg dialog(messages);
        dialog.setDates(QDate(2024, 1, 1), QDate(2024, 1, 31));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto *from = dialog.findChild<DateField *>(QStringLiteral("FromDate"));
        auto *to = dialog.findChild<DateField *>(QStringLiteral("ToDate"));
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Return);
        QVERIFY(to->hasFocus());
        QVERIFY(dialog.isVisible());
        QTest::keyClick(to, Qt::Key_Enter);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());

        // Enter in the end field with a wrong period warns and stays.
        dialog.setDates(QDate(2024, 2, 1), QDate(2024, 1, 1));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(to, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(messages.texts().size(), 1);
    }

    // Both dates typed as people type them, each taken with Enter.
    void intervalTyped_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("short and digits") << "1.1.26" << "31012026" << true << QDate(2026, 1, 1) << QDate(2026, 1, 31)
                                          << QStringList{};
        // Kept in the start field, where the next date typed replaces the refused text.
        QTest::newRow("no such day in the start") << "32.1.2026" << "31012026" << false << QDate(2026, 1, 31)
                                                  << QDate(2020, 6, 30) << QStringList{notADateText("32.1.2026")};
        QTest::newRow("end before start") << "1.2.2026" << "1.1.2026" << false << QDate(2026, 2, 1)
                                          << QDate(2026, 1, 1)
                                          << QStringList{"Intervalul de timp nu este corect! 01.01.2026 < 01.02.2026"};
    }
    void intervalTyped()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, accepted);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QStringList, warnings);
        ScriptedMessages messages;
        TIntervalDlg dialog(messages);
        dialog.setDates(QDate(2020, 6, 1), QDate(2020, 6, 30));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<DateField *>(QStringLiteral("FromDate"))->setFocus(Qt::TabFocusReason);
        for (const QString &typed : {from, to}) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(dialog.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(messages.texts(), warnings);
        QCOMPARE(dialog.startDate(), start);
        QCOMPARE(dialog.endDate(), end);
    }

    void selectDate_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("open") << "OkBtn" << true;
        QTest::newRow("close") << "CancelBtn" << false;
    }

    void selectDate()
    {
        QFETCH(QString, button);
        QFETCH(bool, accepted);
        QDate date(2024, 5, 17);
        QTimer::singleShot(0, [button] {
            auto *dialog = qobject_cast<TSelDateDlg *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Selectie"));
            QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("DateLabel"))->text(),
                     QStringLiteral("&Specificati data:"));
            QCOMPARE(dialog->date(), QDate(2024, 5, 17));
            dialog->setDate(QDate(2023, 12, 31));
            dialog->findChild<QPushButton *>(button)->click();
        });
        QCOMPARE(TSelDateDlg::execute(date), accepted);
        QCOMPARE(date, accepted ? QDate(2023, 12, 31) : QDate(2024, 5, 17));
    }
};

TESSARO_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
