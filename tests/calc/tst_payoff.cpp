// The payoff schedule: known answers in exact cents, the percent floor, the
// summary texts, the invariants over many generated inputs, and a cross-check
// against the same steps carried in extended precision.
#include "calc/numbertext.h"
#include "calc/payoff.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using calc::Decimal;

namespace {

struct Inputs
{
    QString balance, apr, pct;
    int extra = 0;
    bool constant = false;

    calc::PayoffInputs toPayoff() const
    {
        calc::PayoffInputs in;
        in.Balance = *Decimal::fromText(balance);
        in.APR = *Decimal::fromText(apr);
        in.MinPmtPct = *Decimal::fromText(pct);
        in.ExtraMoney = extra;
        in.ConstantPayment = constant;
        return in;
    }
};

// "Pmt Balance Payment Interest Principal NewBalance" in plain decimals.
using RowText = QString;

QString rowText(const calc::ScheduleRow &r)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(r.Pmt)
        .arg(r.Balance.toFixedString(2), r.Payment.toFixedString(2), r.Interest.toFixedString(2),
             r.Principal.toFixedString(2), r.NewBalance.toFixedString(2));
}

struct Run
{
    std::vector<calc::ScheduleRow> rows;
    calc::PayoffSummary summary;
};

Run run(const calc::PayoffInputs &in)
{
    Run r;
    r.summary = calc::CalculatePayoff(in, calc::AbsoluteMinimumPayment,
                                      [&](const calc::ScheduleRow &row) { r.rows.push_back(row); });
    return r;
}

// The same steps carried in extended precision, every rounding through the
// 18-digit text: the arithmetic the design of the schedule was first written in.
std::vector<calc::ScheduleRow> extendedSchedule(const calc::PayoffInputs &in)
{
    auto rtt = [](long double v, int n) { return calc::RoundThroughText(v, n); };
    const long double balance = in.Balance.toLongDouble();
    const long double f = rtt(in.MinPmtPct.toLongDouble() / 100, 7);
    const long double r = rtt(in.APR.toLongDouble() / 1200, 7);
    const long double m = rtt(balance * f, 0);
    std::vector<calc::ScheduleRow> rows;
    long double b = balance;
    int k = 0;
    auto dec = [](long double v) { return Decimal::fromLongDouble(v)->rounded(2).withScale(2); };
    while (b > 0 && k < 10000) {
        ++k;
        b = rtt(b, 2);
        const long double i = rtt(b * r, 2);
        long double p = rtt(b * f, 0);
        if (in.ConstantPayment)
            p = m;
        if (in.ExtraMoney > 0)
            p += in.ExtraMoney;
        if (p < 15.0L)
            p = 15.0L;
        if (p > b + i)
            p = b + i;
        const long double q = rtt(p - i, 2);
        const long double b1 = b + i - p;
        rows.push_back({k, dec(b), dec(p), dec(i), dec(q), dec(b1)});
        b = b1;
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(Inputs)

class TestPayoff : public QObject
{
    Q_OBJECT

private slots:
    void knownSchedules_data();
    void knownSchedules();
    void floor_data();
    void floor();
    void summaryTexts_data();
    void summaryTexts();
    void payoffLength_data();
    void payoffLength();
    void germanSeparators();
    void zeroBalanceKeepsNoPayment();
    void refusesBelowFloor_data();
    void refusesBelowFloor();
    void invariantsOverGeneratedInputs();
};

void TestPayoff::knownSchedules_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QStringList>("rows"); // rows to check, "Pmt Balance Payment Interest Principal NewBalance"
    QTest::addColumn<QString>("monthlyPayment");
    QTest::addColumn<QString>("totalInterest");
    QTest::addColumn<QString>("totalMoney");

    QTest::newRow("defaults") << Inputs{"2100", "17.9", "2.5"} << 185
                              << QStringList{"1 2100.00 53.00 31.33 21.67 2078.33", "2 2078.33 52.00 31.00 21.00 2057.33",
                                             "3 2057.33 51.00 30.69 20.31 2037.02", "184 28.40 15.00 0.42 14.58 13.82",
                                             "185 13.82 14.03 0.21 13.82 0.00"}
                              << "53" << "2539.03" << "4639.03";
    QTest::newRow("constant payment") << Inputs{"2100", "17.9", "2.5", 0, true} << 61
                                      << QStringList{"60 72.25 53.00 1.08 51.92 20.33", "61 20.33 20.63 0.30 20.33 0.00"}
                                      << "53" << "1100.63" << "3200.63";
    QTest::newRow("extra 50") << Inputs{"2100", "17.9", "2.5", 50} << 35
                              << QStringList{"1 2100.00 103.00 31.33 71.67 2028.33", "2 2028.33 101.00 30.26 70.74 1957.59"}
                              << "103" << "529.3" << "2629.3";
    QTest::newRow("zero rate, fifteen percent") << Inputs{"100", "0", "15.0"} << 7
                                                << QStringList{"6 25.00 15.00 0.00 15.00 10.00", "7 10.00 10.00 0.00 10.00 0.00"}
                                                << "15" << "0" << "100";
    QTest::newRow("balance below the floor payment") << Inputs{"10", "17.9", "150.0"} << 1
                                                     << QStringList{"1 10.00 10.15 0.15 10.00 0.00"}
                                                     << "10.15" << "0.15" << "10.15";
    QTest::newRow("zero rate at the payment floor") << Inputs{"50000", "0", "0.0"} << 3334
                                                    << QStringList{"1 50000.00 15.00 0.00 15.00 49985.00",
                                                                   "3334 5.00 5.00 0.00 5.00 0.00"}
                                                    << "15" << "0" << "50000";
    QTest::newRow("highest balance and rate") << Inputs{"50000", "36", "3.2"} << 2452
                                              << QStringList{"1 50000.00 1600.00 1500.00 100.00 49900.00"}
                                              << "1600" << "744404.41" << "794404.41";
    QTest::newRow("balance with three decimals") << Inputs{"2100.555", "17.9", "2.5"} << 186
                                                 << QStringList{"1 2100.56 53.00 31.33 21.67 2078.89"}
                                                 << "53" << "2544.73" << "4645.285";
    // A minimum of 1 plus the extra 5 pays the floor, 15.00, not 20.00.
    QTest::newRow("extra counts toward the floor") << Inputs{"2100", "17.9", "2.5", 5} << 140
                                                   << QStringList{"138 33.14 15.00 0.49 14.51 18.63",
                                                                  "140 3.91 3.97 0.06 3.91 0.00"}
                                                   << "58" << "1851.97" << "3951.97";
}

void TestPayoff::knownSchedules()
{
    QFETCH(Inputs, inputs);
    QFETCH(int, rowCount);
    QFETCH(QStringList, rows);
    QFETCH(QString, monthlyPayment);
    QFETCH(QString, totalInterest);
    QFETCH(QString, totalMoney);

    const Run r = run(inputs.toPayoff());
    QCOMPARE(int(r.rows.size()), rowCount);
    QCOMPARE(r.summary.NumberOfPayments, rowCount);
    QCOMPARE(r.summary.PayoffYears, rowCount / 12);
    QCOMPARE(r.summary.PayoffMonths, rowCount % 12);
    for (const QString &expected : rows) {
        const int pmt = expected.section(' ', 0, 0).toInt();
        QCOMPARE(rowText(r.rows.at(std::size_t(pmt - 1))), expected);
    }
    QVERIFY(r.summary.MonthlyPayment.has_value());
    QCOMPARE(r.summary.MonthlyPayment->toPlainString(), monthlyPayment);
    QCOMPARE(r.summary.TotalInterestPaid.toPlainString(), totalInterest);
    QCOMPARE(r.summary.TotalMoneyPaid.toPlainString(), totalMoney);
}

void TestPayoff::floor_data()
{
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("apr");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults") << "2100" << "17.9" << "1.7";
    QTest::newRow("raised to 15.00") << "500" << "17.9" << "3.0";
    QTest::newRow("just under 15.00") << "886" << "17.9" << "1.7";
    QTest::newRow("zero rate") << "2100" << "0" << "0.7";
    QTest::newRow("zero rate, half up") << "2000" << "0" << "0.8";
    QTest::newRow("zero rate, small half up") << "30000" << "0" << "0.1";
    QTest::newRow("zero rate, highest balance") << "50000" << "0" << "0.0";
    QTest::newRow("highest balance and rate") << "50000" << "36" << "3.2";
    QTest::newRow("rate half up") << "1000" << "24.9" << "2.3";
    QTest::newRow("at the upper bound") << "15" << "0" << "100.0";
    QTest::newRow("above the upper bound") << "10" << "17.9" << "150.0";
    QTest::newRow("zero balance") << "0" << "17.9" << "0.0";
}

void TestPayoff::floor()
{
    QFETCH(QString, balance);
    QFETCH(QString, apr);
    QFETCH(QString, expected);
    QCOMPARE(calc::MinPmtPctFloor(*Decimal::fromText(balance), *Decimal::fromText(apr)).toFixedString(1), expected);
}

void TestPayoff::summaryTexts_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("defaults") << Inputs{"2100", "17.9", "2.5"}
                              << QStringList{"53.00", "2,539.03", "4,639.03", "185", "15 Yrs 5 Mos"};
    QTest::newRow("constant") << Inputs{"2100", "17.9", "2.5", 0, true}
                              << QStringList{"53.00", "1,100.63", "3,200.63", "61", "5 Yrs 1 Mo"};
    QTest::newRow("extra 50") << Inputs{"2100", "17.9", "2.5", 50}
                              << QStringList{"103.00", "529.30", "2,629.30", "35", "2 Yrs 11 Mos"};
    QTest::newRow("seven months") << Inputs{"100", "0", "15.0"}
                                  << QStringList{"15.00", "0.00", "100.00", "7", "7 Mos"};
    QTest::newRow("one month") << Inputs{"10", "17.9", "150.0"}
                               << QStringList{"10.15", "0.15", "10.15", "1", "1 Mo"};
    QTest::newRow("grouped count") << Inputs{"50000", "0", "0.0"}
                                   << QStringList{"15.00", "0.00", "50,000.00", "3,334", "277 Yrs 10 Mos"};
    QTest::newRow("largest") << Inputs{"50000", "36", "3.2"}
                             << QStringList{"1,600.00", "744,404.41", "794,404.41", "2,452", "204 Yrs 4 Mos"};
    QTest::newRow("three decimals shown rounded") << Inputs{"2100.555", "17.9", "2.5"}
                                                  << QStringList{"53.00", "2,544.73", "4,645.29", "186", "15 Yrs 6 Mos"};
    QTest::newRow("zero balance") << Inputs{"0", "17.9", "2.5"}
                                  << QStringList{"", "0.00", "0.00", "0", "0 Mos"};
}

void TestPayoff::summaryTexts()
{
    QFETCH(Inputs, inputs);
    QFETCH(QStringList, texts);
    const calc::SummaryTexts t = calc::MakeSummaryTexts(run(inputs.toPayoff()).summary, QLocale::c());
    QCOMPARE((QStringList{t.MinPmtValue, t.TotalFinanceChargeValue, t.TotalMoneyPaidValue, t.NumberofPaymentsValue,
                          t.PayoffLength}),
             texts);
}

void TestPayoff::payoffLength_data()
{
    QTest::addColumn<int>("payments");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << "0 Mos";
    QTest::newRow("one month") << 1 << "1 Mo";
    QTest::newRow("eleven") << 11 << "11 Mos";
    QTest::newRow("a year") << 12 << "1 Yr 0 Mos";
    QTest::newRow("a year and a month") << 13 << "1 Yr 1 Mo";
    QTest::newRow("two years") << 24 << "2 Yrs 0 Mos";
    QTest::newRow("two years and a month") << 25 << "2 Yrs 1 Mo";
    QTest::newRow("grouped years") << 12 * 1234 + 5 << "1,234 Yrs 5 Mos";
}

void TestPayoff::payoffLength()
{
    QFETCH(int, payments);
    QFETCH(QString, text);
    QCOMPARE(calc::PayoffLengthText(payments, QLocale::c()), text);
}

void TestPayoff::germanSeparators()
{
    const calc::SummaryTexts t =
        calc::MakeSummaryTexts(run(calc::PayoffInputs{}).summary, QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(t.TotalFinanceChargeValue, QStringLiteral("2.539,03"));
    QCOMPARE(t.TotalMoneyPaidValue, QStringLiteral("4.639,03"));
    QCOMPARE(t.MinPmtValue, QStringLiteral("53,00"));
}

void TestPayoff::zeroBalanceKeepsNoPayment()
{
    calc::PayoffInputs in;
    in.Balance = Decimal(0);
    const Run r = run(in);
    QVERIFY(r.rows.empty());
    QVERIFY(!r.summary.MonthlyPayment.has_value());
    QCOMPARE(r.summary.NumberOfPayments, 0);
    QVERIFY(r.summary.TotalInterestPaid.isZero());
    QVERIFY(r.summary.TotalMoneyPaid.isZero());
}

void TestPayoff::refusesBelowFloor_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QString>("message");
    QTest::newRow("percent below the floor") << Inputs{"2100", "17.9", "1.6"}
                                             << "The Minimum Payment Percent is too low (at least 1.7)";
    QTest::newRow("zero percent at a rate") << Inputs{"50000", "36", "0"}
                                            << "The Minimum Payment Percent is too low (at least 3.2)";
    QTest::newRow("rate too high") << Inputs{"2100", "36.01", "5"} << "The Annual Percentage Rate is too high (at most 36.00)";
    QTest::newRow("balance too high") << Inputs{"50000.01", "17.9", "5"} << "The Balance is too high (at most 50000.00)";
    QTest::newRow("extra not offered") << Inputs{"2100", "17.9", "2.5", 7} << "The extra money must be one of 0, 5, 10, 15, 20, 25, 50 or 100";
}

void TestPayoff::refusesBelowFloor()
{
    QFETCH(Inputs, inputs);
    QFETCH(QString, message);
    QCOMPARE(calc::CheckPayoffInputs(inputs.toPayoff()).value_or(QString()), message);
    int rows = 0;
    try {
        calc::CalculatePayoff(inputs.toPayoff(), calc::AbsoluteMinimumPayment, [&](const calc::ScheduleRow &) { ++rows; });
        QFAIL("the calculation ran");
    } catch (const calc::PayoffError &e) {
        QCOMPARE(QString::fromStdString(e.what()), message);
    }
    QCOMPARE(rows, 0);
}

void TestPayoff::invariantsOverGeneratedInputs()
{
    QRandomGenerator random(20261211);
    const Decimal floorPayment(15);
    for (int n = 0; n < 3000; ++n) {
        calc::PayoffInputs in;
        in.Balance = Decimal(random.bounded(5000001), 2);
        in.APR = Decimal(random.bounded(3601), 2);
        const Decimal floor = calc::MinPmtPctFloor(in.Balance, in.APR);
        in.MinPmtPct = floor + Decimal(random.bounded(150), 1);
        in.ExtraMoney = calc::ExtraMoneyChoices[random.bounded(8)];
        in.ConstantPayment = random.bounded(2) == 1;
        const QString label = QStringLiteral("balance %1 apr %2 pct %3 extra %4 constant %5")
                                  .arg(in.Balance.toPlainString(), in.APR.toPlainString(), in.MinPmtPct.toPlainString())
                                  .arg(in.ExtraMoney)
                                  .arg(in.ConstantPayment);

        const Run r = run(in);
        Decimal interest;
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            const calc::ScheduleRow &row = r.rows[i];
            const bool last = i + 1 == r.rows.size();
            if (row.Pmt != int(i) + 1 || row.Payment != row.Interest + row.Principal
                || row.NewBalance != row.Balance + row.Interest - row.Payment
                || (i > 0 && row.Balance != r.rows[i - 1].NewBalance)
                || (last ? !row.NewBalance.isZero() : row.NewBalance < Decimal(1, 2))
                || (last ? row.Payment != row.Balance + row.Interest
                         : (row.Payment.rounded(0) != row.Payment || row.Payment < floorPayment)))
                QFAIL(qPrintable(label + QStringLiteral(": row ") + rowText(row)));
            interest += row.Interest;
        }
        QCOMPARE(r.summary.NumberOfPayments, int(r.rows.size()));
        QCOMPARE(r.summary.TotalInterestPaid, interest);
        QCOMPARE(r.summary.TotalMoneyPaid, in.Balance + interest);

        // The extended-precision evaluation of the same steps gives the same rows.
        if (n % 10 == 0) {
            const auto extended = extendedSchedule(in);
            QVERIFY2(extended.size() == r.rows.size(), qPrintable(label));
            for (std::size_t i = 0; i < extended.size(); ++i)
                QVERIFY2(rowText(extended[i]) == rowText(r.rows[i]), qPrintable(label + QStringLiteral(": row %1").arg(i + 1)));
        }
    }
}

QTEST_APPLESS_MAIN(TestPayoff)
#include "tst_payoff.moc"
