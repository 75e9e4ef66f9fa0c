#include "TestEnv.h"

#include "app/NationalFormats.h"
#include "app/NumberFormat.h"

class TestFormats : public QObject
{
    Q_OBJECT

private:
    static NationalFormats withDecimal(QChar decimal)
    {
        NationalFormats f;
        f.setSeparators(decimal);
        return f;
    }

private Q_SLOTS:
    void masks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("comma");  // decimal ',' thousands '.'
        QTest::addColumn<QString>("period"); // decimal '.' thousands ','

        QTest::newRow("money") << 12345.67 << "#,##0.00" << "12.345,67" << "12,345.67";
        QTest::newRow("money millions") << -1234567.891 << "#,##0.00" << "-1.234.567,89"
                                        << "-1,234,567.89";
        QTest::newRow("half up") << 2.675 << "#,##0.00" << "2,68" << "2.68";
        QTest::newRow("half up small") << 0.005 << "#,##0.00" << "0,01" << "0.01";
        QTest::newRow("half away from zero") << -2.5 << "#,##0" << "-3" << "-3";
        QTest::newRow("no minus zero") << -0.004 << "#,##0.00" << "0,00" << "0.00";
        QTest::newRow("carry into thousands") << 999.996 << "#,##0.00" << "1.000,00" << "1,000.00";
        QTest::newRow("point without places") << 1234567.891 << "#,##0." << "1.234.568" << "1,234,568";
        QTest::newRow("integer") << 999.5 << "#,##0" << "1.000" << "1,000";
        QTest::newRow("epsilon") << 0.00001 << "0.###########" << "0,00001" << "0.00001";
        QTest::newRow("smallest epsilon") << 1e-10 << "0.###########" << "0,0000000001"
                                          << "0.0000000001";
        QTest::newRow("integral, no separator") << 19.0 << "0.###########" << "19" << "19";
        QTest::newRow("five places") << 1234.1234567 << "#,##0.#####" << "1.234,12346"
                                     << "1,234.12346";
        QTest::newRow("literal suffix") << 19.0 << "0' %'" << "19 %" << "19 %";
        QTest::newRow("general") << 0.1 << "" << "0,1" << "0.1";
        QTest::newRow("general, exponent") << -1.5e-7 << "" << "-1,5E-7" << "-1.5E-7";
    }

    void masks()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, comma);
        QFETCH(QString, period);
        QCOMPARE(formatNumber(value, mask, withDecimal(QLatin1Char(','))), comma);
        QCOMPARE(formatNumber(value, mask, withDecimal(QLatin1Char('.'))), period);
    }

    void currentFormatsFollowSeparators()
    {
        NationalFormats::current().setSeparators(QLatin1Char('.'));
        QCOMPARE(formatNumber(12345.67, QStringLiteral("#,##0.00")), QStringLiteral("12,345.67"));
        NationalFormats::setNational();
        QCOMPARE(formatNumber(12345.67, QStringLiteral("#,##0.00")), QStringLiteral("12.345,67"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");

        QTest::newRow("comma") << "12,5" << QChar(',') << true << 12.5;
        QTest::newRow("blanks, sign") << "  -0,00001 " << QChar(',') << true << -0.00001;
        QTest::newRow("exponent") << "1,5E3" << QChar(',') << true << 1500.0;
        QTest::newRow("other separator") << "12.5" << QChar(',') << false << 0.0;
        QTest::newRow("thousands") << "1.234,5" << QChar(',') << false << 0.0;
        QTest::newRow("text") << "abc" << QChar('.') << false << 0.0;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QChar, decimal);
        QFETCH(bool, ok);
        QFETCH(double, value);
        bool parsed = !ok;
        QCOMPARE(parseNumber(text, &parsed, withDecimal(decimal)), value);
        QCOMPARE(parsed, ok);
    }

    void nationalNames()
    {
        const NationalFormats f;
        QCOMPARE(f.shortMonthNames(),
                 QStringList({"IAN", "Feb", "Mar", "Apr", "MAI", "IUN", "IUL", "Aug", "Sep",
                              "Oct", "Nov", "Dec"}));
        // 7 March 2024 was a Thursday, 10 March a Sunday.
        QCOMPARE(f.shortDayName(QDate(2024, 3, 7).dayOfWeek()), QStringLiteral("Joi"));
        QCOMPARE(f.longDayName(QDate(2024, 3, 10).dayOfWeek()), QStringLiteral("Duminica"));
        QCOMPARE(f.shortDayName(QDate(2024, 3, 9).dayOfWeek()), QStringLiteral("Sîm"));
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");

        QTest::newRow("short") << "5.3.2024" << QDate(2024, 3, 5);
        QTest::newRow("long") << "05.03.2024" << QDate(2024, 3, 5);
        QTest::newRow("no such day") << "29.2.2023" << QDate();
        QTest::newRow("other separator") << "5/3/2024" << QDate();
        QTest::newRow("two-digit year") << "5.3.24" << QDate();
    }

    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const NationalFormats f;
        QCOMPARE(f.parseDate(text), date);
        QCOMPARE(f.formatDate(QDate(2024, 3, 5)), QStringLiteral("5.3.2024"));
        QCOMPARE(f.formatLongDate(QDate(2024, 3, 5)), QStringLiteral("05.03.2024"));
    }
};

TESSARO_TEST_MAIN(TestFormats)
#include "tst_formats.moc"
