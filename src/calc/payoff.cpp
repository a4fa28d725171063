#include "payoff.h"

#include "numbertext.h"

#include <algorithm>
#include <cstdint>

namespace calc {
namespace {

using std::int64_t;

const Decimal kBalanceMax{50000};
const Decimal kAprMax{36};
const Decimal kPercentCeiling{1000000000};

// a × b / divisor, rounded half away from zero; divisor > 0. The product is
// taken in 128 bits; the division stays in 64 bits whenever the product fits,
// which it does for every admitted input.
inline int64_t mulDivRound(int64_t a, int64_t b, int64_t divisor)
{
    int64_t p;
    if (!__builtin_mul_overflow(a, b, &p)) {
        int64_t q = p / divisor;
        const int64_t r = p % divisor;
        if ((r < 0 ? -r : r) * 2 >= divisor)
            q += p < 0 ? -1 : 1;
        return q;
    }
    const __int128 wide = static_cast<__int128>(a) * b;
    __int128 q = wide / divisor;
    const __int128 r = wide % divisor;
    if ((r < 0 ? -r : r) * 2 >= divisor)
        q += wide < 0 ? -1 : 1;
    return static_cast<int64_t>(q);
}

QString boundText(const Decimal &bound, int decimals)
{
    return bound.toFixedString(decimals);
}

} // namespace

Decimal MinPmtPctFloor(const Decimal &balance, const Decimal &apr)
{
    if (balance.isZero())
        return Decimal(0, 1);
    const Decimal floorPayment{15};
    if (apr.isZero())
        return Decimal::divideRounded(floorPayment * Decimal(100), balance, 1);
    const Decimal r = Decimal::divideRounded(apr, Decimal(1200), 7);
    Decimal a = (balance * (r + Decimal(2, 3))).rounded(7);
    if (a < floorPayment)
        a = floorPayment;
    return Decimal::divideRounded(a * Decimal(100), balance, 1);
}

std::optional<QString> CheckPayoffInputs(const PayoffInputs &in, const Decimal &absoluteMinimumPayment)
{
    if (in.Balance > kBalanceMax)
        return QStringLiteral("The Balance is too high (at most %1)").arg(boundText(kBalanceMax, 2));
    if (in.Balance < Decimal(0))
        return QStringLiteral("The Balance is too low (at least %1)").arg(boundText(Decimal(0), 2));
    if (in.APR > kAprMax)
        return QStringLiteral("The Annual Percentage Rate is too high (at most %1)").arg(boundText(kAprMax, 2));
    if (in.APR < Decimal(0))
        return QStringLiteral("The Annual Percentage Rate is too low (at least %1)").arg(boundText(Decimal(0), 2));
    const Decimal floor = MinPmtPctFloor(in.Balance, in.APR);
    if (in.MinPmtPct < floor)
        return QStringLiteral("The Minimum Payment Percent is too low (at least %1)").arg(boundText(floor, 1));
    if (in.MinPmtPct > kPercentCeiling)
        return QStringLiteral("The Minimum Payment Percent is too high (at most %1)").arg(boundText(kPercentCeiling, 1));
    if (std::find(std::begin(ExtraMoneyChoices), std::end(ExtraMoneyChoices), in.ExtraMoney)
        == std::end(ExtraMoneyChoices))
        return QStringLiteral("The extra money must be one of 0, 5, 10, 15, 20, 25, 50 or 100");
    if (absoluteMinimumPayment <= Decimal(0) || absoluteMinimumPayment > kBalanceMax)
        return QStringLiteral("The smallest payment must lie above 0 and at most %1").arg(boundText(kBalanceMax, 2));
    return std::nullopt;
}

PayoffSummary CalculatePayoff(const PayoffInputs &in, const Decimal &absoluteMinimumPayment, const RowSink &onRow)
{
    if (auto problem = CheckPayoffInputs(in, absoluteMinimumPayment))
        throw PayoffError(problem->toStdString());

    // f and r in units of 10^-7, amounts in cents.
    const int64_t f = static_cast<int64_t>(Decimal::divideRounded(in.MinPmtPct, Decimal(100), 7).units());
    const int64_t r = static_cast<int64_t>(Decimal::divideRounded(in.APR, Decimal(1200), 7).units());
    // The first month's minimum comes from the starting balance itself, before
    // it is rounded to cents.
    const int64_t firstMinimum = static_cast<int64_t>((in.Balance * Decimal(f, 7)).roundedUnits(0)) * 100;
    const int64_t extra = int64_t(in.ExtraMoney) * 100;
    const int64_t floorPayment = static_cast<int64_t>(absoluteMinimumPayment.roundedUnits(2));

    PayoffSummary summary;
    int64_t interestSum = 0;
    int k = 0;
    if (in.Balance > Decimal(0)) {
        int64_t b = static_cast<int64_t>(in.Balance.roundedUnits(2));
        ScheduleRow row;
        do {
            ++k;
            const int64_t interest = mulDivRound(b, r, 10'000'000);   // cents × 10^-7 → cents
            int64_t payment = mulDivRound(b, f, 1'000'000'000) * 100; // whole currency units
            if (in.ConstantPayment)
                payment = firstMinimum;
            if (in.ExtraMoney > 0)
                payment += extra;
            if (payment < floorPayment)
                payment = floorPayment;
            if (payment > b + interest)
                payment = b + interest;
            const int64_t newBalance = b + interest - payment;
            if (k == 1)
                summary.MonthlyPayment = Decimal::fromCents(payment);

            row.Pmt = k;
            row.Balance = Decimal::fromCents(b);
            row.Payment = Decimal::fromCents(payment);
            row.Interest = Decimal::fromCents(interest);
            row.Principal = Decimal::fromCents(payment - interest);
            row.NewBalance = Decimal::fromCents(newBalance);
            if (onRow)
                onRow(row);

            interestSum += interest;
            // Admitted inputs always lower the balance; anything else would loop forever.
            if (newBalance >= b && newBalance > 0)
                throw PayoffError("The payment does not reduce the balance; the calculation was stopped");
            b = newBalance;
        } while (b > 0);
    }

    summary.NumberOfPayments = k;
    summary.TotalInterestPaid = Decimal::fromCents(interestSum);
    summary.TotalMoneyPaid = in.Balance + summary.TotalInterestPaid;
    summary.PayoffYears = k / 12;
    summary.PayoffMonths = k % 12;
    return summary;
}

QString PayoffLengthText(int numberOfPayments, const QLocale &locale)
{
    const int years = numberOfPayments / 12;
    const int months = numberOfPayments % 12;
    QString text;
    if (years == 1)
        text = QStringLiteral("1 Yr ");
    else if (years > 1)
        text = FormatNumber(Decimal(years), 0, locale) + QStringLiteral(" Yrs ");
    if (months == 0)
        text += QStringLiteral("0 Mos");
    else if (months == 1)
        text += QStringLiteral("1 Mo");
    else
        text += QString::number(months) + QStringLiteral(" Mos");
    return text;
}

SummaryTexts MakeSummaryTexts(const PayoffSummary &summary, const QLocale &locale)
{
    SummaryTexts t;
    if (summary.MonthlyPayment)
        t.MinPmtValue = FormatNumber(*summary.MonthlyPayment, 2, locale);
    t.TotalFinanceChargeValue = FormatNumber(summary.TotalInterestPaid, 2, locale);
    t.TotalMoneyPaidValue = FormatNumber(summary.TotalMoneyPaid, 2, locale);
    t.NumberofPaymentsValue = FormatNumber(Decimal(summary.NumberOfPayments), 0, locale);
    t.PayoffLength = PayoffLengthText(summary.NumberOfPayments, locale);
    return t;
}

} // namespace calc
