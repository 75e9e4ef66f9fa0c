#include "TestEnv.h"

#include "db/forms/TBrowseFolder.h"

#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include <functional>

class TestBrowseFolder : public QObject
{
    Q_OBJECT

private:
    // Runs action on the browser's dialog once it is up, then lets execute() return.
    static bool executeWith(TBrowseFolder &browser, const std::function<void(QDialog *)> &action)
    {
        bool acted = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || acted)
                return;
            acted = true;
            action(dialog);
        });
        poll.start();
        const bool result = browser.execute();
        poll.stop();
        return result;
    }

    static QString current(QDialog *dialog)
    {
        auto *tree = dialog->findChild<QTreeView *>(QStringLiteral("FolderTree"));
        const QModelIndex index = tree->currentIndex();
        return index.data(QFileSystemModel::FilePathRole).toString();
    }

    static void press(QDialog *dialog, const char *name)
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    }

private slots:
    void shortenPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        const QString exactly35 = QStringLiteral("C:\\Date\\Tessaro\\Buget_2024\\Martie_1");
        QTest::newRow("35 characters") << exactly35 << exactly35;
        QTest::newRow("drive and last folder kept")
            << "C:\\Program Files\\Brindell\\Tessaro\\Date\\Buget 2024" << "C:\\...\\Tessaro\\Date\\Buget 2024";
        QTest::newRow("unix path") << "/home/contabil/documente/tessaro/date/2024/buget"
                                   << "/.../tessaro/date/2024/buget";
        QTest::newRow("only the ends left")
            << "C:\\Date\\Un nume de director foarte lung, peste limita"
            << "C:\\...\\Un nume de director foarte lung, peste limita";
        QTest::newRow("nothing to drop") << "/Un-nume-de-director-mult-prea-lung-aici"
                                         << "/Un-nume-de-director-mult-prea-lung-aici";
    }
    void shortenPath()
    {
        QFETCH(QString, path);
        QTEST(TBrowseFolder::shortenPath(path), "shown");
    }

    void trailingSeparatorPreselectsAndConfirms()
    {
        TestEnv env;
        const QString folder = env.path(QStringLiteral("date/buget"));
        QVERIFY(QDir().mkpath(folder));
        TBrowseFolder browser;
        browser.setTitle(QStringLiteral("Select database directory"));
        browser.setShowPathInStatusArea(true);
        browser.setDirectory(folder + QLatin1Char('/'));
        QString preselected, status, title;
        const bool confirmed = executeWith(browser, [&](QDialog *dialog) {
            preselected = current(dialog);
            status = dialog->findChild<QLabel *>(QStringLiteral("StatusLabel"))->text();
            title = dialog->findChild<QLabel *>(QStringLiteral("TitleLabel"))->text();
            press(dialog, "OkBtn");
        });
        QVERIFY(confirmed);
        QCOMPARE(preselected, folder);
        QCOMPARE(status, TBrowseFolder::shortenPath(QDir::toNativeSeparators(folder)));
        QCOMPARE(title, QStringLiteral("Select database directory"));
        QCOMPARE(browser.directory(), QDir::toNativeSeparators(folder));
    }

    void cancelLeavesDirectory()
    {
        TestEnv env;
        QVERIFY(QDir().mkpath(env.path(QStringLiteral("a"))));
        TBrowseFolder browser;
        const QString before = env.path(QStringLiteral("a/"));
        browser.setDirectory(before);
        QVERIFY(!executeWith(browser, [](QDialog *dialog) { press(dialog, "CancelBtn"); }));
        QCOMPARE(browser.directory(), before);
    }

    // The extra button's handler reads the selection and closes the dialog with a folder
    // of its own, as "New directory" does.
    void customButtonConfirmsItsFolder()
    {
        TestEnv env;
        const QString parent = env.path(QStringLiteral("date"));
        QVERIFY(QDir().mkpath(parent));
        TBrowseFolder browser;
        browser.setDirectory(parent);
        browser.setCustomButtonVisible(true);
        browser.setCustomButtonCaption(QStringLiteral("New directory"));
        browser.setCustomButtonWidth(0);
        QString seen;
        browser.setOnCustomButtonClick([&](TBrowseFolder &b, QDialog *) {
            seen = b.selectedFolder();
            const QString made = seen + QStringLiteral("/nou");
            QDir().mkpath(made);
            b.confirm(made);
        });
        int width = 0;
        QVERIFY(executeWith(browser, [&](QDialog *dialog) {
            auto *button = dialog->findChild<QPushButton *>(QStringLiteral("CustomBtn"));
            width = button->width();
            QCOMPARE(button->text(), QStringLiteral("New directory"));
            press(dialog, "CustomBtn");
        }));
        QCOMPARE(width, TBrowseFolder::DefaultButtonWidth);
        QCOMPARE(seen, parent);
        QCOMPARE(browser.directory(), QDir::toNativeSeparators(parent + QStringLiteral("/nou")));
    }
};

TESSARO_TEST_MAIN(TestBrowseFolder)
#include "tst_browsefolder.moc"
