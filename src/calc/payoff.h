#pragma once

// The payoff arithmetic of Orvanel.
//
// CalculatePayoff turns a balance, a rate, a minimum-payment percent, an extra
// amount and the constant-payment choice into the month-by-month schedule and
// its totals. All quantities are exact decimals (calc::Decimal); a quantity is
// rounded only at the named steps, half away from zero, which is what rounding
// through the 18-digit fixed text (RoundThroughText) gives. The month loop runs
// on integer cents.
//
// MinPmtPctFloor gives the lowest admitted minimum-payment percent; a
// calculation below it is refused up front, because its month loop might never
// end. The summary texts (SummaryTexts) turn a PayoffSummary into the five
// result texts of the window.

#include "decimal.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>

namespace calc {

// The smallest payment of any month but the last, in currency units.
inline const Decimal AbsoluteMinimumPayment{15};

// The amounts the extra-money choice offers, in whole currency units.
inline constexpr int ExtraMoneyChoices[] = {0, 5, 10, 15, 20, 25, 50, 100};

struct PayoffInputs
{
    Decimal Balance{2100};         // currency units
    Decimal APR = Decimal(179, 1); // annual percent
    Decimal MinPmtPct = Decimal(25, 1); // percent of the month's balance
    int ExtraMoney = 0;            // whole currency units
    bool ConstantPayment = false;
};

// One month. Every amount is at whole cents (scale 2).
struct ScheduleRow
{
    int Pmt = 0;
    Decimal Balance;
    Decimal Payment;
    Decimal Interest;
    Decimal Principal;
    Decimal NewBalance;
};

struct PayoffSummary
{
    std::optional<Decimal> MonthlyPayment; // Payment of row 1; none without rows
    Decimal TotalInterestPaid;             // sum of the rows' Interest
    Decimal TotalMoneyPaid;                // the input Balance, unrounded, plus TotalInterestPaid
    int NumberOfPayments = 0;
    int PayoffYears = 0;
    int PayoffMonths = 0;
};

// Raised by CalculatePayoff for inputs it refuses; what() is a one-line
// message for the user ("The Minimum Payment Percent is too low: ...").
class PayoffError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// The lowest admitted minimum-payment percent for a balance and a rate
// (a multiple of 0.1).
Decimal MinPmtPctFloor(const Decimal &balance, const Decimal &apr);

// Why CalculatePayoff would refuse these inputs, or std::nullopt when it runs:
// an APR outside 0 to 36, a balance above 50,000.00, a percent below the floor
// or above 10^9, an extra amount that is negative or above 100.
std::optional<QString> CheckPayoffInputs(const PayoffInputs &inputs,
                                         const Decimal &absoluteMinimumPayment = AbsoluteMinimumPayment);

using RowSink = std::function<void(const ScheduleRow &)>;

// Runs the schedule. Each row is handed to onRow as soon as it is complete,
// before the next month is computed. Throws PayoffError (before any row) for
// inputs that CheckPayoffInputs refuses.
PayoffSummary CalculatePayoff(const PayoffInputs &inputs,
                              const Decimal &absoluteMinimumPayment,
                              const RowSink &onRow);

// The five result texts of the window, under the locale's separators.
struct SummaryTexts
{
    QString MinPmtValue;            // empty when the summary has no MonthlyPayment
    QString TotalFinanceChargeValue;
    QString TotalMoneyPaidValue;
    QString NumberofPaymentsValue;
    QString PayoffLength;
};

SummaryTexts MakeSummaryTexts(const PayoffSummary &summary, const QLocale &locale);
// The payoff-length text alone: "15 Yrs 5 Mos", "1 Yr 0 Mos", "1 Mo", "0 Mos".
QString PayoffLengthText(int numberOfPayments, const QLocale &locale);

} // namespace calc
