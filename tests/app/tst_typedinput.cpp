#include "TestEnv.h"

#include "app/AmountParsing.h"
#include "app/DateParsing.h"
#include "app/NationalFormats.h"

#include <optional>

// Amounts and dates as people type them, whatever the separators of the parameters.
class TestTypedInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        NationalFormats::setNational();
    }

    void amountsWhateverTheSeparator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal comma") << "1234,56" << true << 1234.56;
        QTest::newRow("decimal point") << "1234.56" << true << 1234.56;
        QTest::newRow("grouped, decimal comma") << "1.234,56" << true << 1234.56;
        QTest::newRow("grouped, decimal point") << "1,234.56" << true << 1234.56;
        QTest::newRow("grouped by blanks") << "1 234,56" << true << 1234.56;
        QTest::newRow("millions grouped, no decimals") << "1.439.660" << true << 1439660.0;
        QTest::newRow("millions grouped with decimals") << "1.439.660,45" << true << 1439660.45;
        QTest::newRow("one separator is the decimal point") << "1.234" << true << 1.234;
        QTest::newRow("sign and blanks") << "  -12,5 " << true << -12.5;
        QTest::newRow("plus sign") << "+7" << true << 7.0;
        QTest::newRow("no integer part") << ",5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("whole number") << "4850" << true << 4850.0;
        QTest::newRow("letters") << "12a" << false << 0.0;
        QTest::newRow("two decimal points") << "1.234,56.7" << false << 0.0;
        QTest::newRow("badly grouped") << "12,34,56" << false << 0.0;
        QTest::newRow("short group") << "1.23.456" << false << 0.0;
        QTest::newRow("empty group") << "1..2" << false << 0.0;
        QTest::newRow("grouping after the point") << "1,5.000" << false << 0.0;
        QTest::newRow("only a separator") << "," << false << 0.0;
        QTest::newRow("sign only") << "-" << false << 0.0;
        QTest::newRow("two signs") << "--5" << false << 0.0;
        QTest::newRow("exponent") << "1e5" << true << 100000.0;
        QTest::newRow("negative exponent, decimal comma") << "1,5E-6" << true << 0.0000015;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("exponent alone") << "e5" << false << 0.0;
        QTest::newRow("blanks and points group together") << "1 234.567,5" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void amountsWhateverTheSeparator()
    {
        QFETCH(QString, typed);
        QFETCH(bool, readable);
        QFETCH(double, value);
        for (const QChar decimal : {QLatin1Char(','), QLatin1Char('.')}) {
            NationalFormats::current().setSeparators(decimal);
            const std::optional<double> read = parseAmount(typed);
            QCOMPARE(read.has_value(), readable);
            if (readable)
                QCOMPARE(*read, value);
        }
    }

    void optionalAmountKeepsTargetWhenUnreadable_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<double>("value");
        QTest::newRow("blank clears") << "  " << true << true << 0.0;
        QTest::newRow("amount sets") << "2.500,5" << true << false << 2500.5;
        QTest::newRow("text keeps the old value") << "abc" << false << false << 99.0;
    }
    void optionalAmountKeepsTargetWhenUnreadable()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(bool, empty);
        QFETCH(double, value);
        std::optional<double> target = 99.0;
        QCOMPARE(parseOptionalAmount(typed, target), accepted);
        QCOMPARE(!target.has_value(), empty);
        if (!empty)
            QCOMPARE(*target, value);
    }

    void typedDates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        QTest::newRow("full") << "15.11.2026" << QDate(2026, 11, 15);
        QTest::newRow("digits only") << "15112026" << QDate(2026, 11, 15);
        QTest::newRow("two-digit year") << "15.11.26" << QDate(2026, 11, 15);
        QTest::newRow("one-digit day and month") << "1.2.2026" << QDate(2026, 2, 1);
        QTest::newRow("slashes") << "1/2/2026" << QDate(2026, 2, 1);
        QTest::newRow("dashes, short year") << "1-2-26" << QDate(2026, 2, 1);
        QTest::newRow("six digits") << "151126" << QDate(2026, 11, 15);
        QTest::newRow("four digits: this year") << "1511" << QDate(2026, 11, 15);
        QTest::newRow("no year: this year") << "3.4" << QDate(2026, 4, 3);
        QTest::newRow("trailing separator") << "3.4." << QDate(2026, 4, 3);
        QTest::newRow("blanks around") << " 15.11.2026 " << QDate(2026, 11, 15);
        QTest::newRow("twenty years ahead") << "1.1.46" << QDate(2046, 1, 1);
        QTest::newRow("beyond: last century") << "1.1.47" << QDate(1947, 1, 1);
        QTest::newRow("leap day") << "29.02.2024" << QDate(2024, 2, 29);
        QTest::newRow("no such day") << "31.02.2026" << QDate();
        QTest::newRow("not a leap year") << "29.2.2026" << QDate();
        QTest::newRow("month 13") << "1.13.2026" << QDate();
        QTest::newRow("three-digit year") << "15.11.202" << QDate();
        QTest::newRow("five digits") << "15112" << QDate();
        QTest::newRow("empty part") << "15..11.2026" << QDate();
        QTest::newRow("day of three digits") << "151.1.2026" << QDate();
        QTest::newRow("letters") << "15 nov 2026" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void typedDates()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        const QDate today(2026, 6, 1);
        QCOMPARE(parseTypedDate(typed, today), date);
    }
};

TESSARO_TEST_MAIN(TestTypedInput)
#include "tst_typedinput.moc"
