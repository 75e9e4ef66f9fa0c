#include "TestEnv.h"

#include "FakePrintDevice.h"
#include "app/ScriptedMessages.h"
#include "printing/PaperSizes.h"
#include "printing/PrintContext.h"
#include "printing/ReportEngine.h"
#include "printing/TestReport.h"
#include "printing/forms/ReportPrinterOutput.h"
#include "printing/forms/TQRPrnDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

Q_DECLARE_METATYPE(DeviceMetrics)

class TestPrintSettings : public QObject
{
    Q_OBJECT

    static std::unique_ptr<PrintContext> context(FakePrintDevice **device = nullptr)
    {
        auto d = std::make_unique<FakePrintDevice>();
        if (device)
            *device = d.get();
        return std::make_unique<PrintContext>(std::move(d));
    }
    template<typename T>
    static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("missing %s", name);
        return c;
    }

private Q_SLOTS:
    // Whatever margins Tessaro.INI holds, the report stays on the paper and takes no
    // more pages than with the usual margins.
    void marginsKeptOnPaper_data()
    {
        QTest::addColumn<QString>("margins"); // top, left, bottom, right
        QTest::newRow("huge top") << "2000000000,5,5,5";
        QTest::newRow("huge bottom") << "5,5,2000000000,5";
        QTest::newRow("negative") << "-50,-50,-50,-50";
        QTest::newRow("wider than the page") << "5,200,5,200";
        QTest::newRow("pair as high as the page") << "150,5,147,5";
    }
    void marginsKeptOnPaper()
    {
        QFETCH(QString, margins);
        TestEnv env;
        const QStringList m = margins.split(QLatin1Char(','));
        QFile ini(env.home() + QStringLiteral("Tessaro.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[PrinterSettings]\nTopMargin=%1\nLeftMargin=%2\nBottomMargin=%3\nRightMargin=%4\n")
                      .arg(m[0], m[1], m[2], m[3])
                      .toUtf8());
        ini.close();
        PrintSettings settings;
        settings.load(ini.fileName());
        settings.applyPreset(PrintSettings::Portrait);
        const ReportDefinition def = TestReport::definition(QDate(2024, 1, 1));
        const QVector<ReportRow> rows = TestReport::rows(2, 2, 20);
        const PageSetup page = PageSetup::fromSettings(settings);
        const ReportDocument doc = ReportEngine::build(def, rows, page);
        PrintSettings usualSettings;
        usualSettings.applyPreset(PrintSettings::Portrait);
        const ReportDocument usual = ReportEngine::build(def, rows, PageSetup::fromSettings(usualSettings));
        QVERIFY2(doc.pageCount() <= usual.pageCount(), qPrintable(QString::number(doc.pageCount())));
        const QRectF sheet(QPointF(0, 0), page.sheetMm());
        for (const ReportPage &p : doc.pages)
            for (const ReportText &t : p.texts)
                QVERIFY2(sheet.contains(t.cell), qPrintable(t.text));
        QVERIFY(page.margins.top + page.margins.bottom < sheet.height());
        QVERIFY(page.margins.left + page.margins.right < sheet.width());
    }

    void geometry_data()
    {
        QTest::addColumn<DeviceMetrics>("m");
        QTest::addColumn<QList<int>>("expected"); // minLeft, minTop, minRight, minBottom, width, height
        // A4 at 600 dpi: 4960 x 7016 dots.
        QTest::newRow("no border") << DeviceMetrics{600, 600, 4960, 7016, 0, 0, 4960, 7016}
                                   << QList<int>{0, 0, 0, 0, 210, 297};
        // 0.25 inch = 6.35 mm, +0.5 rounds up to 7.
        QTest::newRow("quarter inch") << DeviceMetrics{600, 600, 4960, 7016, 150, 150, 4660, 6716}
                                      << QList<int>{7, 7, 7, 7, 210, 297};
        // Uneven border, 300 x 600 dpi: left 1.5 mm -> 2 (halves to even), right 4.0 -> 4 (4.5 to even).
        QTest::newRow("uneven") << DeviceMetrics{300, 600, 2480, 7016, 17.716535, 0, 2415.039371, 6900}
                                << QList<int>{2, 0, 4, 5, 210, 297};
    }
    void geometry()
    {
        QFETCH(DeviceMetrics, m);
        QFETCH(QList<int>, expected);
        const PrinterGeometry g = PrinterGeometry::fromMetrics(m);
        QCOMPARE((QList<int>{g.minLeft, g.minTop, g.minRight, g.minBottom, g.pageWidth, g.pageHeight}), expected);
    }

    void paperList()
    {
        QCOMPARE(PaperSizes::Count, 33);
        QCOMPARE(PaperSizes::pageSizeId(9), QPageSize::A4);
        QCOMPARE(PaperSizes::pageSizeId(0), QPageSize::Custom);
        QCOMPARE(PaperSizes::indexOf(QPageSize::A4), 9);
        QCOMPARE(PaperSizes::indexOf(QPageSize::A3), 8);
        QCOMPARE(PaperSizes::indexOf(QPageSize::B0), 0); // not in the list
    }

    void iniRoundTripAndUnknownPrinter_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("current");
        QTest::newRow("listed printer") << "Matricial" << "Matricial";
        QTest::newRow("printer gone") << "Imprimanta veche" << "Laser birou";
    }
    void iniRoundTripAndUnknownPrinter()
    {
        QFETCH(QString, saved);
        QFETCH(QString, current);
        TestEnv env;
        const QString ini = env.workstation().iniPath();
        PrintSettings s;
        s.applyPreset(PrintSettings::Landscape);
        s.margins = {12, 13, 14, 15};
        s.printerName = saved;
        s.save(ini);

        FakePrintDevice *device = nullptr;
        auto ctx = context(&device);
        ctx->readSettings(ini);
        QCOMPARE(device->printerName(), current);
        QCOMPARE(ctx->settings().fontName, QStringLiteral("Arial"));
        QCOMPARE(ctx->settings().fontSize, 8);
        QCOMPARE(ctx->settings().paperIndex, 9);
        QCOMPARE(ctx->settings().orientation, int(PrintSettings::Landscape));
        QCOMPARE(ctx->settings().margins, (Margins{12, 13, 14, 15}));
        ctx->writeSettings(ini);
        QSettings check(ini, QSettings::IniFormat);
        QCOMPARE(check.value(QStringLiteral("PrinterSettings/Printer")).toString(), current);
    }

    // No INI: the 17 cpi device font at size 10, portrait, margins 5 raised to the minimums.
    void firstDialogDefaults()
    {
        TestEnv env;
        auto ctx = context();
        ctx->readSettings(env.workstation().iniPath());
        ScriptedMessages msgs;
        TQRPrnDlg dlg(*ctx, msgs);
        QVERIFY(dlg.prepare());
        QCOMPARE(child<QLabel>(dlg, "FontLabel")->text(), QStringLiteral("Liberation Mono 17cpi   10"));
        QCOMPARE(child<QLabel>(dlg, "PrinterLabel")->text(), QStringLiteral("Laser birou"));
        QVERIFY(child<QRadioButton>(dlg, "PortraitRB")->isChecked());
        QVERIFY(!child<QSpinBox>(dlg, "FirstPageEdit")->isEnabled());
        for (const char *name : {"TopEdit", "BottomEdit", "LeftEdit", "RightEdit"})
            QCOMPARE(child<QSpinBox>(dlg, name)->value(), 7);
        child<QPushButton>(dlg, "PrintBtn")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(msgs.isEmpty());
        const PrintSettings &s = ctx->settings();
        QCOMPARE(s.fontName, QStringLiteral("Liberation Mono 17cpi"));
        QCOMPARE(s.fontSize, 10);
        QCOMPARE(s.fontPitch, int(PrintSettings::FixedPitch));
        QCOMPARE(s.margins, (Margins{7, 7, 7, 7}));
        QCOMPARE(s.paperIndex, 9);
        QVERIFY(s.wholeReport());
        // The chosen face really prints about 17 characters per inch.
        const double cpi = ReportFonts::charactersPerInch(ReportFonts::resolve(s.fontName, 10, s.fontPitch));
        QVERIFY2(cpi > 16.5 && cpi < 17.5, qPrintable(QString::number(cpi)));
    }

    void opposingMargins_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("firstValue");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("secondValue");
        QTest::addColumn<int>("expectedSecond");
        QTest::newRow("top then bottom") << "TopEdit" << 200 << "BottomEdit" << 150 << 97;
        QTest::newRow("bottom then top") << "BottomEdit" << 150 << "TopEdit" << 200 << 147;
        QTest::newRow("left then right") << "LeftEdit" << 150 << "RightEdit" << 100 << 60;
        QTest::newRow("pair fits") << "TopEdit" << 100 << "BottomEdit" << 100 << 100;
    }
    void opposingMargins()
    {
        QFETCH(QString, first);
        QFETCH(int, firstValue);
        QFETCH(QString, second);
        QFETCH(int, secondValue);
        QFETCH(int, expectedSecond);
        auto ctx = context();
        ScriptedMessages msgs;
        TQRPrnDlg dlg(*ctx, msgs);
        QVERIFY(dlg.prepare());
        auto *a = child<QSpinBox>(dlg, qPrintable(first));
        auto *b = child<QSpinBox>(dlg, qPrintable(second));
        a->setValue(firstValue);
        b->setValue(secondValue);
        QCOMPARE(a->value(), firstValue); // the earlier field keeps its value
        QCOMPARE(b->value(), expectedSecond);
    }

    void tooSmallMargins_data()
    {
        QTest::addColumn<bool>("adjust");
        QTest::newRow("No keeps the margins") << false;
        QTest::newRow("Yes raises them") << true;
    }
    void tooSmallMargins()
    {
        QFETCH(bool, adjust);
        auto ctx = context();
        ScriptedMessages msgs;
        msgs.answer(adjust);
        TQRPrnDlg dlg(*ctx, msgs);
        QVERIFY(dlg.prepare());
        child<QSpinBox>(dlg, "TopEdit")->setValue(2);
        child<QSpinBox>(dlg, "RightEdit")->setValue(3);
        child<QPushButton>(dlg, "PrintBtn")->click();
        QCOMPARE(msgs.texts(ScriptedMessages::Kind::YesNo), QStringList{TQRPrnDlg::marginQuestion()});
        if (adjust) {
            QCOMPARE(dlg.result(), 0); // still open
            QCOMPARE(child<QSpinBox>(dlg, "TopEdit")->value(), 7);
            QCOMPARE(child<QSpinBox>(dlg, "RightEdit")->value(), 7);
            QCOMPARE(child<QTabWidget>(dlg, "PageControl")->currentIndex(), 1);
            return;
        }
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(ctx->settings().margins, (Margins{2, 7, 7, 3}));
        const OutputSetup out = ctx->prepareOutput();
        QCOMPARE(out.page.margins, (Margins{7, 7, 7, 7}));
    }

    // A report after a preset whose dialog is cancelled: no output, the preset stays.
    void presetThenCancel()
    {
        FakePrintDevice *device = nullptr;
        auto ctx = context(&device);
        ScriptedMessages msgs;
        QCOMPARE(ctx->settings().applyPreset(PrintSettings::Landscape),
                 QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Peisaj"));
        QTimer::singleShot(0, [] {
            auto *dlg = qobject_cast<TQRPrnDlg *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->findChild<QRadioButton *>(QStringLiteral("PortraitRB"))->click();
            dlg->findChild<QSpinBox *>(QStringLiteral("CopiesEdit"))->setValue(4);
            dlg->findChild<QPushButton *>(QStringLiteral("CancelBtn"))->click();
        });
        bool built = false;
        const bool printed = ReportPrinterOutput::run(nullptr, *ctx, msgs, [&built](const PageSetup &) {
            built = true;
            return ReportDocument();
        });
        QVERIFY(!printed);
        QVERIFY(!built);
        const PrintSettings &s = ctx->settings();
        QCOMPARE(s.fontName, QStringLiteral("Arial"));
        QCOMPARE(s.fontSize, 8);
        QCOMPARE(s.paperIndex, 9);
        QCOMPARE(s.orientation, int(PrintSettings::Landscape));
        QCOMPARE(s.copies, 1);
        QCOMPARE(device->orientation(), int(PrintSettings::Landscape));
    }

    void partialListing()
    {
        auto ctx = context();
        ScriptedMessages msgs;
        TQRPrnDlg dlg(*ctx, msgs);
        QVERIFY(dlg.prepare());
        child<QRadioButton>(dlg, "PartialRB")->click();
        auto *first = child<QSpinBox>(dlg, "FirstPageEdit");
        auto *last = child<QSpinBox>(dlg, "LastPageEdit");
        QVERIFY(first->isEnabled() && last->isEnabled());
        first->setValue(5);
        QCOMPARE(last->value(), 5); // raised with the first page
        last->setValue(3);
        QCOMPARE(last->value(), 5); // cannot go below it
        last->setValue(8);
        child<QSpinBox>(dlg, "CopiesEdit")->setValue(2);
        child<QPushButton>(dlg, "PrintBtn")->click();
        QCOMPARE(ctx->settings().firstPage, 5);
        QCOMPARE(ctx->settings().lastPage, 8);
        QCOMPARE(ctx->settings().copies, 2);
    }
};

TESSARO_TEST_MAIN(TestPrintSettings)
#include "tst_printsettings.moc"
