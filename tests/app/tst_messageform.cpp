#include "TestEnv.h"

#include "app/forms/ScreenWorkMessage.h"
#include "app/forms/StatusTargets.h"
#include "app/forms/TMessageForm.h"

#include <QLabel>
#include <QScreen>
#include <QStatusBar>

class TestMessageForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void widening_data()
    {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("width");
        // icon 39, panel 286
        QTest::newRow("fits") << 200 << 1024 << 325;
        QTest::newRow("wider") << 400 << 1024 << 400 + 39 + 18;
        QTest::newRow("capped by the screen") << 2000 << 1024 << 1024;
    }

    void widening()
    {
        QFETCH(int, textWidth);
        QFETCH(int, screenWidth);
        QFETCH(int, width);
        QCOMPARE(TMessageForm::widthFor(textWidth, 39, 286, screenWidth), width);
    }

    void showReplaceHide()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        ScreenWorkMessage work;
        QVERIFY(!work.window());

        work.show(QStringLiteral("Asteptati..."));
        QPointer<TMessageForm> form = work.window();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->size(), QSize(325, 39));
        QCOMPARE(form->geometry().center().x(), screen.center().x());
        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);

        // A text too wide for the panel widens and re-centres the same window.
        const QString longText = QStringLiteral("Se calculeaza amortizarea pentru toate gestiunile "
                                                "selectate, va rugam asteptati");
        work.show(longText);
        QCOMPARE(work.window(), form.data());
        QCOMPARE(form->message(), longText);
        const auto *panel = form->findChild<QLabel *>(QStringLiteral("MessagePanel"));
        const auto *icon = form->findChild<QLabel *>(QStringLiteral("Icon"));
        QVERIFY(panel && icon);
        const int expected = qMin(panel->fontMetrics().horizontalAdvance(longText) + icon->width() + 18,
                                  screen.width());
        QVERIFY(expected > 325);
        QCOMPARE(form->width(), expected);
        QVERIFY(qAbs(form->geometry().center().x() - screen.center().x()) <= 1);
        QCOMPARE(form->height(), 39);

        work.hide();
        QVERIFY(!work.window());
        QVERIFY(form.isNull()); // destroyed, not just hidden
        work.hide();            // twice is harmless
    }

    void statusBarTarget()
    {
        QStatusBar bar;
        StatusBarStatusTarget target(&bar);
        target.setStatusText(QStringLiteral("Listez..."));
        QCOMPARE(bar.currentMessage(), QStringLiteral("Listez...")); // no panels: simple text
        auto *first = new QLabel;
        bar.addWidget(first);
        bar.addPermanentWidget(new QLabel(QStringLiteral("second")));
        target.setStatusText(QStringLiteral("Gata"));
        QCOMPARE(first->text(), QStringLiteral("Gata"));
        QVERIFY(bar.currentMessage().isEmpty());
    }
};

TESSARO_TEST_MAIN(TestMessageForm)
#include "tst_messageform.moc"
