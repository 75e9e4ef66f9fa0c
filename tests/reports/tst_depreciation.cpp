#include "TestEnv.h"

#include "reports/DepreciationRule.h"

#include <cmath>
#include <limits>

using DepreciationRule::Variant;

Q_DECLARE_METATYPE(DepreciationRule::Input)
Q_DECLARE_METATYPE(DepreciationRule::Variant)

namespace {

const QDate march2020(2020, 3, 15);

// One asset of 1000 lei, 36 months remaining, nothing depreciated at entry.
DepreciationRule::Input asset(QDate lot, QDate reportDate)
{
    DepreciationRule::Input in;
    in.QIn = 1;
    in.Pret_achizitie = 1000;
    in.Lot = lot;
    in.Data = lot;
    in.Contor = 12;
    in.DurataRamasa = 36;
    in.reportDate = reportDate;
    return in;
}

DepreciationRule::Input with(DepreciationRule::Input in, auto change)
{
    change(in);
    return in;
}

} // namespace

class TestDepreciation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<DepreciationRule::Input>("input");
        QTest::addColumn<Variant>("variant");
        // Cantitate, Valoare, DurataRamasaActualizata, AmortizareLunara,
        // AmortizareCalculata, ValoareRamasa
        QTest::addColumn<QList<double>>("expected");

        const auto R = Variant::Report;
        const auto notDepreciated = [](auto &in) {
            in.CalcAmortizare = false;
            in.ValoareAmortizata = 200;
        };
        const auto noDuration = [](auto &in) {
            in.DurataRamasa = 0;
            in.ValoareAmortizata = 200;
        };

        QTest::newRow("month of use, after August 2019")
            << asset(march2020, {2020, 3, 31}) << R << QList<double>{1, 1000, 36, 0, 0, 1000};
        QTest::newRow("month of use, before September 2019")
            << asset({2019, 3, 15}, {2019, 3, 31}) << R << QList<double>{1, 1000, 36, 27.78, 0, 1000};
        QTest::newRow("month of use, 31 August 2019")
            << asset({2019, 8, 1}, {2019, 8, 31}) << R << QList<double>{1, 1000, 36, 27.78, 0, 1000};
        // Around the first month without depreciation in the month of use, September 2019.
        QTest::newRow("month of use, 1 August 2019")
            << asset({2019, 8, 20}, {2019, 8, 1}) << R << QList<double>{1, 1000, 36, 27.78, 0, 1000};
        QTest::newRow("month of use, 1 September 2019")
            << asset({2019, 9, 1}, {2019, 9, 1}) << R << QList<double>{1, 1000, 36, 0, 0, 1000};
        QTest::newRow("month of use, 30 September 2019")
            << asset({2019, 9, 30}, {2019, 9, 30}) << R << QList<double>{1, 1000, 36, 0, 0, 1000};
        QTest::newRow("month of use, October 2019")
            << asset({2019, 10, 1}, {2019, 10, 31}) << R << QList<double>{1, 1000, 36, 0, 0, 1000};
        QTest::newRow("put into use 31 August 2019, reported 1 September")
            << asset({2019, 8, 31}, {2019, 9, 1}) << R << QList<double>{1, 1000, 35, 27.78, 27.78, 972.22};
        QTest::newRow("initial stock of September 2019, its own month")
            << with(asset({2019, 9, 10}, {2019, 9, 30}), [](auto &in) { in.Contor = -1; })
            << R << QList<double>{1, 1000, 35, 27.78, 27.78, 972.22};
        QTest::newRow("card, month of use September 2019")
            << asset({2019, 9, 15}, {2019, 9, 30}) << Variant::Card << QList<double>{1, 1000, 36, 27.78, 0, 1000};
        QTest::newRow("one month later")
            << asset(march2020, {2020, 4, 30}) << R << QList<double>{1, 1000, 35, 27.78, 27.78, 972.22};
        QTest::newRow("month before the last")
            << asset(march2020, {2023, 2, 28}) << R << QList<double>{1, 1000, 1, 27.78, 972.30, 27.70};
        QTest::newRow("last month takes the difference")
            << asset(march2020, {2023, 3, 31}) << R << QList<double>{1, 1000, 0, 27.70, 1000, 0};
        QTest::newRow("after the duration")
            << asset(march2020, {2023, 4, 1}) << R << QList<double>{1, 1000, 0, 0, 1000, 0};
        // The month of the initial-stock date counts and has no month-of-use exception.
        QTest::newRow("initial stock, its own month")
            << with(asset({2020, 1, 5}, {2020, 1, 31}), [](auto &in) {
                   in.Contor = -1;
                   in.Data = QDate(2020, 1, 10);
               })
            << R << QList<double>{1, 1000, 35, 27.78, 27.78, 972.22};
        QTest::newRow("initial stock, months from the document not from Lot")
            << with(asset({2015, 1, 5}, {2020, 3, 31}), [](auto &in) {
                   in.Contor = -1;
                   in.Data = QDate(2020, 1, 10);
               })
            << R << QList<double>{1, 1000, 33, 27.78, 83.34, 916.66};
        // B = 850 over 36 months: 23.61 a month, 23.65 in the last. The initial-stock
        // month counts, so the 36th month is December 2022.
        const auto initialWithDepreciation = [](auto &in) {
            in.Contor = -1;
            in.Data = QDate(2020, 1, 10);
            in.ValoareAmortizata = 150;
        };
        QTest::newRow("initial stock, month before the last")
            << with(asset({2015, 1, 5}, {2022, 11, 30}), initialWithDepreciation)
            << R << QList<double>{1, 1000, 1, 23.61, 976.35, 23.65};
        QTest::newRow("initial stock, last month")
            << with(asset({2015, 1, 5}, {2022, 12, 1}), initialWithDepreciation)
            << R << QList<double>{1, 1000, 0, 23.65, 1000, 0};
        QTest::newRow("initial stock, month after the last")
            << with(asset({2015, 1, 5}, {2023, 1, 31}), initialWithDepreciation)
            << R << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("not depreciated, month before the last")
            << with(asset(march2020, {2023, 2, 28}), notDepreciated) << R
            << QList<double>{1, 1000, 1, 22.22, 200, 800};
        QTest::newRow("not depreciated, within the duration")
            << with(asset(march2020, {2021, 3, 31}), notDepreciated) << R
            << QList<double>{1, 1000, 24, 22.22, 200, 800};
        QTest::newRow("not depreciated, last month")
            << with(asset(march2020, {2023, 3, 31}), notDepreciated) << R
            << QList<double>{1, 1000, 0, 22.30, 0, 1000};
        QTest::newRow("not depreciated, after the duration")
            << with(asset(march2020, {2024, 1, 31}), notDepreciated) << R
            << QList<double>{1, 1000, 0, 0, 0, 1000};
        QTest::newRow("zero quantity")
            << with(asset(march2020, {2020, 4, 30}), [](auto &in) {
                   in.QIn = 2;
                   in.QOut = 2;
               })
            << R << QList<double>{0, 0, 35, 0, 0, 0};
        QTest::newRow("card, month of use")
            << asset(march2020, {2020, 3, 31}) << Variant::Card
            << QList<double>{1, 1000, 36, 27.78, 0, 1000};
        QTest::newRow("card ignores CalcAmortizare")
            << with(asset(march2020, {2023, 4, 30}), notDepreciated) << Variant::Card
            << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("no Lot")
            << asset(QDate(), {2020, 4, 30}) << R << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("no Lot, not depreciated")
            << with(asset(QDate(), {2020, 4, 30}), notDepreciated) << R
            << QList<double>{1, 1000, 0, 0, 0, 1000};
        // n = -3: three monthly amounts of 25 below the initial 100.
        QTest::newRow("negative month count")
            << with(asset({2020, 6, 15}, {2020, 3, 31}), [](auto &in) { in.ValoareAmortizata = 100; })
            << R << QList<double>{1, 1000, 39, 25, 25, 975};
        // No duration left at entry: the whole remainder goes in the reference month.
        QTest::newRow("no duration, month of use before September 2019")
            << with(asset({2019, 3, 15}, {2019, 3, 31}), noDuration) << R
            << QList<double>{1, 1000, 0, 800, 1000, 0};
        QTest::newRow("no duration, month of use after August 2019")
            << with(asset(march2020, {2020, 3, 31}), noDuration) << R
            << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("no duration, card")
            << with(asset(march2020, {2020, 3, 31}), noDuration) << Variant::Card
            << QList<double>{1, 1000, 0, 800, 1000, 0};
        QTest::newRow("no duration, later")
            << with(asset({2019, 3, 15}, {2019, 5, 31}), noDuration) << R
            << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("no duration, before use")
            << with(asset({2019, 3, 15}, {2019, 1, 31}), noDuration) << R
            << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("negative duration, before use")
            << with(asset({2019, 3, 15}, {2018, 1, 31}), [](auto &in) { in.DurataRamasa = -5; })
            << R << QList<double>{1, 1000, 0, 0, 1000, 0};
        QTest::newRow("NaN price, infinite duration")
            << with(asset(march2020, {2020, 4, 30}), [](auto &in) {
                   in.Pret_achizitie = std::numeric_limits<double>::quiet_NaN();
                   in.DurataRamasa = std::numeric_limits<double>::infinity();
                   in.ValoareAmortizata = std::numeric_limits<double>::quiet_NaN();
               })
            << R << QList<double>{1, 0, 0, 0, 0, 0};
        QTest::newRow("value overflows")
            << with(asset(march2020, {2020, 4, 30}), [](auto &in) {
                   in.QIn = 1e300;
                   in.Pret_achizitie = 1e300;
               })
            << R << QList<double>{1e300, 0, 35, 0, 0, 0};
    }

    void rule()
    {
        QFETCH(DepreciationRule::Input, input);
        QFETCH(Variant, variant);
        QFETCH(QList<double>, expected);

        const auto r = DepreciationRule::compute(input, variant);
        const QList<double> actual{r.Cantitate, r.Valoare, r.DurataRamasaActualizata,
                                   r.AmortizareLunara, r.AmortizareCalculata, r.ValoareRamasa};
        for (qsizetype i = 0; i < actual.size(); ++i) {
            QVERIFY2(std::abs(actual[i] - expected[i]) < 1e-9 * std::max(1.0, std::abs(expected[i])),
                     qPrintable(QStringLiteral("value %1: %2, expected %3")
                                    .arg(i).arg(actual[i], 0, 'g', 17).arg(expected[i])));
        }
    }

    // Monthly amount M = B / D to the ban, halves going to the even neighbour; also
    // checks that the monthly amounts over the whole duration add up to B exactly.
    void monthlyAmounts_data()
    {
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("d");
        QTest::addColumn<double>("m");

        QTest::newRow("0.125 down to even") << 1.5 << 12.0 << 0.12;
        QTest::newRow("0.375 up to even") << 4.5 << 12.0 << 0.38;
        QTest::newRow("0.625 down to even") << 7.5 << 12.0 << 0.62;
        QTest::newRow("-0.125 to even") << -1.5 << 12.0 << -0.12;
        QTest::newRow("1000 over 36") << 1000.0 << 36.0 << 27.78;
        QTest::newRow("1 over 3") << 1.0 << 3.0 << 0.33;
        QTest::newRow("below a ban a month") << 0.05 << 12.0 << 0.0;
        QTest::newRow("odd amount") << 1234.56 << 7.0 << 176.37;
        QTest::newRow("ten years") << 99999.99 << 120.0 << 833.33;
        QTest::newRow("one month") << 250.4 << 1.0 << 250.4;
    }

    void monthlyAmounts()
    {
        QFETCH(double, b);
        QFETCH(double, d);
        QFETCH(double, m);

        auto in = asset(march2020, march2020);
        in.Pret_achizitie = b;
        in.DurataRamasa = d;

        long double sum = 0;
        for (int n = 1; n <= int(d); ++n) {
            in.reportDate = march2020.addMonths(n);
            const auto r = DepreciationRule::compute(in);
            if (n < int(d))
                QCOMPARE(r.AmortizareLunara, m);
            sum += r.AmortizareLunara;
        }
        QVERIFY2(std::abs(double(sum) - b) < 1e-9,
                 qPrintable(QStringLiteral("sum %1, B %2").arg(double(sum), 0, 'g', 17).arg(b)));

        in.reportDate = march2020.addMonths(int(d));
        QCOMPARE(DepreciationRule::compute(in).ValoareRamasa, 0.0);
    }
};

TESSARO_TEST_MAIN(TestDepreciation)
#include "tst_depreciation.moc"
