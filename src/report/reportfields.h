#pragma once

// The report's single-record fields and the turning of field values into
// printed text.
//
// The title page and the page header print values that are not schedule rows:
// the title, the five inputs and the summary of the last calculation. The
// window answers them by name at generation time (FieldValue over a
// FieldSource filled from its controls); the report asks through a
// FieldProvider and never stores them. FieldText turns a value into the text
// an element prints, by the field's declared type and the element's display
// format. Pure code: no widgets, every locale passed in.

#include "calc/payoff.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

namespace report {

// A field's value: null, text, double, 32-bit integer or Boolean.
using ReportValue = std::variant<std::monostate, QString, double, qint32, bool>;

// The declared type of a field; it decides how a value prints.
enum class FieldType { Text, Float, Integer, Boolean };

// What the window shows at the moment the report is generated.
struct FieldSource
{
    QString title;                 // caption of txtTitle
    long double balance = 0;       // edtBalance
    long double apr = 0;           // edtAPR, in percent
    long double minPmtPct = 0;     // edtMinPmtPct, in percent
    QString minPmtText;            // txtMinPmtValue
    QString extraMoneyText;        // selected item of rgpExtraMoney
    bool constantPayment = false;  // cbxConstantPayment
    QString totalInterestText;     // txtTotalFinanceChargeValue
    QString totalMoneyText;        // txtTotalMoneyPaidValue
    QString numberOfPaymentsText;  // txtNumberofPaymentsValue
    QString payoffLengthText;      // txtPayoffLength
    QLocale locale;                // the locale that wrote the texts
};

// The eleven single-record fields in their declared order.
struct FieldDefinition
{
    const char *name;
    FieldType type;
};
inline constexpr FieldDefinition SingleRecordFields[] = {
    {"Title", FieldType::Text},
    {"Balance", FieldType::Float},
    {"APR", FieldType::Float},
    {"MinPmtPct", FieldType::Float},
    {"MinPmt", FieldType::Float},
    {"ExtraMoney", FieldType::Integer},
    {"ConstantPayment", FieldType::Boolean},
    {"TotalInterestPaid", FieldType::Float},
    {"TotalMoneyPaid", FieldType::Float},
    {"NumberOfPayments", FieldType::Integer},
    {"LengthOfPayoffTime", FieldType::Text},
};

// The value of one single-record field; the name matches case-sensitively and
// any other name gives null. MinPmt is the only summary text turned into a
// number here: it is read by the locale that wrote it, and a text that is no
// number (an empty label) gives null.
ReportValue FieldValue(const QString &name, const FieldSource &source);

// The declared type of a single-record field (Text for an unknown name).
FieldType SingleRecordFieldType(const QString &name);

using FieldProvider = std::function<ReportValue(const QString &name)>;

// The field source a window would show for these inputs after a calculation
// with this summary (the title "Orvanel", the summary texts under the
// locale): what a report written without a window prints.
FieldSource MakeFieldSource(const calc::PayoffInputs &inputs, const calc::PayoffSummary &summary,
                            const QLocale &locale);

// The printed text of a field value.
//  - null prints blank;
//  - a Boolean field with a format "Yes;No" prints the part before the first
//    ";" for true and the part after it for false;
//  - a numeric field converts a text value to the number it shows (a text
//    that is no number prints blank), then applies the display format, or,
//    without one, prints up to 15 significant digits without grouping;
//  - a text field prints the value as text.
QString FieldText(const ReportValue &value, FieldType type, const QString &format, const QLocale &locale);

// A schedule row's field (Pmt, Balance, Payment, Interest, Principal,
// NewBalance) as the report reads it: Pmt as integer, the amounts as double.
ReportValue RowFieldValue(const calc::ScheduleRow &row, const QString &name);
FieldType RowFieldType(const QString &name);

} // namespace report
