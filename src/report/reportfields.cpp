#include "report/reportfields.h"

#include "calc/numbertext.h"

namespace report {

namespace {

// General number format: up to 15 significant digits, no grouping, the
// locale's decimal separator.
QString GeneralNumber(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
}

QString GeneralNumber(qint32 value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value);
}

} // namespace

ReportValue FieldValue(const QString &name, const FieldSource &source)
{
    if (name == QLatin1String("Title"))
        return source.title;
    if (name == QLatin1String("Balance"))
        return static_cast<double>(source.balance);
    if (name == QLatin1String("APR"))
        return static_cast<double>(source.apr);
    if (name == QLatin1String("MinPmtPct"))
        return static_cast<double>(source.minPmtPct);
    if (name == QLatin1String("MinPmt")) {
        // Read by the locale that wrote the label, so "1.234,56" under a
        // decimal-comma locale is the number it shows, not 1.23456.
        if (const auto number = calc::ParseNumberText(source.minPmtText, source.locale))
            return number->toDouble();
        return {};
    }
    if (name == QLatin1String("ExtraMoney")) {
        bool ok = false;
        const int value = source.extraMoneyText.trimmed().toInt(&ok);
        if (ok)
            return qint32(value);
        return {};
    }
    if (name == QLatin1String("ConstantPayment"))
        return source.constantPayment;
    if (name == QLatin1String("TotalInterestPaid"))
        return source.totalInterestText;
    if (name == QLatin1String("TotalMoneyPaid"))
        return source.totalMoneyText;
    if (name == QLatin1String("NumberOfPayments"))
        return source.numberOfPaymentsText;
    if (name == QLatin1String("LengthOfPayoffTime"))
        return source.payoffLengthText;
    return {};
}

FieldSource MakeFieldSource(const calc::PayoffInputs &inputs, const calc::PayoffSummary &summary,
                            const QLocale &locale)
{
    const calc::SummaryTexts texts = calc::MakeSummaryTexts(summary, locale);
    FieldSource source;
    source.title = QStringLiteral("Orvanel");
    source.balance = inputs.Balance.toLongDouble();
    source.apr = inputs.APR.toLongDouble();
    source.minPmtPct = inputs.MinPmtPct.toLongDouble();
    source.minPmtText = texts.MinPmtValue;
    source.extraMoneyText = QString::number(inputs.ExtraMoney);
    source.constantPayment = inputs.ConstantPayment;
    source.totalInterestText = texts.TotalFinanceChargeValue;
    source.totalMoneyText = texts.TotalMoneyPaidValue;
    source.numberOfPaymentsText = texts.NumberofPaymentsValue;
    source.payoffLengthText = texts.PayoffLength;
    source.locale = locale;
    return source;
}

FieldType SingleRecordFieldType(const QString &name)
{
    for (const FieldDefinition &field : SingleRecordFields) {
        if (name == QLatin1String(field.name))
            return field.type;
    }
    return FieldType::Text;
}

QString FieldText(const ReportValue &value, FieldType type, const QString &format, const QLocale &locale)
{
    if (std::holds_alternative<std::monostate>(value))
        return {};

    if (type == FieldType::Boolean && !format.isEmpty()) {
        if (const bool *flag = std::get_if<bool>(&value)) {
            const qsizetype split = format.indexOf(QLatin1Char(';'));
            if (split < 0)
                return *flag ? format : QString();
            return *flag ? format.left(split) : format.mid(split + 1);
        }
    }

    if (type == FieldType::Float || type == FieldType::Integer) {
        std::optional<calc::Decimal> exact;
        std::optional<double> binary;
        if (const QString *text = std::get_if<QString>(&value)) {
            exact = calc::ParseNumberText(*text, locale);
            if (!exact)
                return {}; // a text that is no number prints blank
        } else if (const qint32 *whole = std::get_if<qint32>(&value)) {
            exact = calc::Decimal(*whole);
        } else if (const double *real = std::get_if<double>(&value)) {
            binary = *real;
        } else if (const bool *flag = std::get_if<bool>(&value)) {
            exact = calc::Decimal(*flag ? 1 : 0);
        }
        if (!format.isEmpty()) {
            if (exact)
                return calc::FormatPattern(*exact, format, locale);
            return calc::FormatPattern(static_cast<long double>(*binary), format, locale);
        }
        if (binary)
            return GeneralNumber(*binary, locale);
        return GeneralNumber(exact->toDouble(), locale);
    }

    // A text field (or a Boolean without a format) prints the value as text.
    if (const QString *text = std::get_if<QString>(&value))
        return *text;
    if (const double *real = std::get_if<double>(&value))
        return GeneralNumber(*real, locale);
    if (const qint32 *whole = std::get_if<qint32>(&value))
        return GeneralNumber(*whole, locale);
    if (const bool *flag = std::get_if<bool>(&value))
        return *flag ? QStringLiteral("True") : QStringLiteral("False");
    return {};
}

ReportValue RowFieldValue(const calc::ScheduleRow &row, const QString &name)
{
    if (name == QLatin1String("Pmt"))
        return qint32(row.Pmt);
    if (name == QLatin1String("Balance"))
        return row.Balance.toDouble();
    if (name == QLatin1String("Payment"))
        return row.Payment.toDouble();
    if (name == QLatin1String("Interest"))
        return row.Interest.toDouble();
    if (name == QLatin1String("Principal"))
        return row.Principal.toDouble();
    if (name == QLatin1String("NewBalance"))
        return row.NewBalance.toDouble();
    return {};
}

FieldType RowFieldType(const QString &name)
{
    return name == QLatin1String("Pmt") ? FieldType::Integer : FieldType::Float;
}

} // namespace report
