#include "TestEnv.h"

#include "printing/PageSetup.h"
#include "printing/ReportEngine.h"
#include "printing/TestReport.h"
#include "printing/forms/ReportPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

namespace {

// A report of several hundred pages, built once for the whole test.
const ReportDocument &longReport()
{
    static const ReportDocument document =
        ReportEngine::build(TestReport::definition(QDate(2026, 11, 30)), TestReport::rows(6, 10, 600), PageSetup{});
    return document;
}

const ReportDocument &shortReport()
{
    static const ReportDocument document =
        ReportEngine::build(TestReport::definition(QDate(2026, 11, 30)), TestReport::rows(1, 1, 3), PageSetup{});
    return document;
}

QChar mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return text.at(i + 1).toUpper();
        }
    }
    return {};
}

void wheel(QWidget *target, int delta)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(longReport().pageCount() >= 500, qPrintable(QString::number(longReport().pageCount())));
    }

    // The page box: what is typed and confirmed with Enter is the page shown, kept
    // within the report.
    void pageBoxJumps_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown"); // 1-based, 0 = the last page
        QTest::newRow("page 250") << "250" << 250;
        QTest::newRow("page 2") << "2" << 2;
        QTest::newRow("the last page") << QString::number(longReport().pageCount()) << 0;
        QTest::newRow("past the end") << "99999" << 0;
    }
    void pageBoxJumps()
    {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        ReportPreview preview(longReport());
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto *box = preview.findChild<QSpinBox *>(QStringLiteral("PageBox"));
        QVERIFY(box);
        const int count = longReport().pageCount();
        const int expected = shown == 0 ? count : shown;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        // Typing alone does not turn the page; Enter does.
        QCOMPARE(preview.currentPage(), 0);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(preview.currentPage() + 1, expected);
        QCOMPARE(box->text(), QStringLiteral("Pagina %1 din %2").arg(expected).arg(count));
        QVERIFY(preview.isVisible()); // Enter pressed no button
    }

    // Page keys wherever the focus is: on the page or in the page box.
    void pageKeys_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("focusOnBox");
        QTest::addColumn<int>("expected"); // -1 = the last page
        QTest::newRow("PageDown") << 0 << int(Qt::Key_PageDown) << false << 1;
        QTest::newRow("PageDown in the box") << 10 << int(Qt::Key_PageDown) << true << 11;
        QTest::newRow("PageUp") << 10 << int(Qt::Key_PageUp) << false << 9;
        QTest::newRow("PageUp on the first page") << 0 << int(Qt::Key_PageUp) << false << 0;
        QTest::newRow("PageDown on the last page") << -1 << int(Qt::Key_PageDown) << false << -1;
        QTest::newRow("Home") << 300 << int(Qt::Key_Home) << false << 0;
        QTest::newRow("End") << 3 << int(Qt::Key_End) << false << -1;
    }
    void pageKeys()
    {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(bool, focusOnBox);
        QFETCH(int, expected);
        const int last = longReport().pageCount() - 1;
        ReportPreview preview(longReport());
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.showPage(start < 0 ? last : start);
        QWidget *target = focusOnBox ? static_cast<QWidget *>(preview.findChild<QSpinBox *>(QStringLiteral("PageBox")))
                                     : preview.findChild<QScrollArea *>(QStringLiteral("PreviewScroll"));
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(preview.currentPage(), expected < 0 ? last : expected);
    }

    void buttonsTurnPages()
    {
        ReportPreview preview(longReport());
        const int last = longReport().pageCount() - 1;
        auto click = [&preview](const char *name) {
            auto *b = preview.findChild<QPushButton *>(QLatin1String(name));
            QVERIFY(b);
            b->click();
        };
        QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("PrevBtn"))->isEnabled());
        click("NextBtn");
        QCOMPARE(preview.currentPage(), 1);
        click("LastBtn");
        QCOMPARE(preview.currentPage(), last);
        QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("NextBtn"))->isEnabled());
        click("PrevBtn");
        QCOMPARE(preview.currentPage(), last - 1);
        click("FirstBtn");
        QCOMPARE(preview.currentPage(), 0);
    }

    // With the whole page in view the wheel turns pages; zoomed in, it scrolls the page
    // first and turns only past its bottom.
    void mouseWheel()
    {
        ReportPreview preview(longReport());
        preview.resize(1000, 800);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto *scroll = preview.findChild<QScrollArea *>(QStringLiteral("PreviewScroll"));
        preview.setFit(ReportPreview::Fit::WholePage);
        wheel(scroll->viewport(), -120);
        QCOMPARE(preview.currentPage(), 1);
        wheel(scroll->viewport(), -120);
        QCOMPARE(preview.currentPage(), 2);
        wheel(scroll->viewport(), 120);
        QCOMPARE(preview.currentPage(), 1);

        preview.setZoomPercent(200);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        wheel(scroll->viewport(), -120);
        QCOMPARE(preview.currentPage(), 1); // scrolled within the page
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        wheel(scroll->viewport(), -120);
        QCOMPARE(preview.currentPage(), 2);
        QCOMPARE(scroll->verticalScrollBar()->value(), 0); // the next page from its top
    }

    void zoomFits()
    {
        ReportPreview preview(longReport());
        preview.resize(1000, 700);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto *scroll = preview.findChild<QScrollArea *>(QStringLiteral("PreviewScroll"));
        auto *page = preview.findChild<QLabel *>(QStringLiteral("PreviewPage"));
        const int viewWidth = scroll->maximumViewportSize().width();

        preview.setFit(ReportPreview::Fit::PageWidth);
        QVERIFY2(page->width() <= viewWidth && page->width() > viewWidth * 9 / 10,
                 qPrintable(QStringLiteral("%1 in %2").arg(page->width()).arg(viewWidth)));

        preview.setFit(ReportPreview::Fit::WholePage);
        QVERIFY(page->height() <= scroll->maximumViewportSize().height());
        QVERIFY(page->width() <= viewWidth);
        const int wholeWidth = page->width();

        // A fitted page follows the window's size.
        preview.resize(1400, 1000);
        QTRY_VERIFY(page->width() > wholeWidth);

        preview.setZoomPercent(100);
        QCOMPARE(preview.fit(), ReportPreview::Fit::Fixed);
        QCOMPARE(page->width(), qRound(longReport().sheetMm.width() * 96.0 / 25.4));
    }

    // Every button and label of the preview has its own Alt letter.
    void distinctAltLetters()
    {
        ReportPreview preview(shortReport());
        QSet<QChar> letters;
        QStringList texts;
        for (QPushButton *b : preview.findChildren<QPushButton *>())
            texts << b->text();
        for (QLabel *l : preview.findChildren<QLabel *>())
            if (l->buddy())
                texts << l->text();
        QVERIFY(texts.size() >= 9);
        for (const QString &text : texts) {
            const QChar letter = mnemonic(text);
            QVERIFY2(!letter.isNull(), qPrintable(text));
            QVERIFY2(!letters.contains(letter), qPrintable(text));
            letters.insert(letter);
        }
    }

    void printAndPdfButtons()
    {
        {
            ReportPreview preview(shortReport());
            QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("PrintBtn"))->isEnabled());
            QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("PdfBtn"))->isEnabled());
        }
        QStringList calls;
        ReportPreview::Actions actions;
        actions.print = [&calls](QWidget *owner) { calls << QStringLiteral("print ") + owner->objectName(); };
        actions.savePdf = [&calls](QWidget *owner) { calls << QStringLiteral("pdf ") + owner->objectName(); };
        ReportPreview preview(shortReport(), actions);
        preview.findChild<QPushButton *>(QStringLiteral("PrintBtn"))->click();
        preview.findChild<QPushButton *>(QStringLiteral("PdfBtn"))->click();
        QCOMPARE(calls, (QStringList{QStringLiteral("print ReportPreview"), QStringLiteral("pdf ReportPreview")}));
    }
};

TESSARO_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
