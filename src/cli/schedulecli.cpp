#include "schedulecli.h"

#include "calc/numbertext.h"

#include <QStringBuilder>

#include <algorithm>
#include <array>

namespace cli {
namespace {

std::optional<calc::Decimal> parseAmount(const QString &text)
{
    return calc::Decimal::fromText(QStringView(text).trimmed());
}

QString jsonString(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

// An exact decimal as a JSON number, with at least `minDecimals` places.
QString jsonNumber(const calc::Decimal &value, int minDecimals = 0)
{
    const calc::Decimal n = value.normalized();
    return n.withScale(std::max(n.scale(), minDecimals)).toFixedString(std::max(n.scale(), minDecimals));
}

QString money(const calc::Decimal &value)
{
    return jsonNumber(value, 2);
}

const std::array<QString, 6> kTitles = {QStringLiteral("Pmt"), QStringLiteral("Balance"),
                                        QStringLiteral("Payment"), QStringLiteral("Interest"),
                                        QStringLiteral("Principal"), QStringLiteral("New Balance")};

} // namespace

QString UsageText()
{
    return QStringLiteral(
        "Usage: orvanel-schedule [OPTION]...\n"
        "Print the month-by-month payoff schedule of a credit-card balance paid through\n"
        "its minimum payment, with the summary of the payoff.\n"
        "\n"
        "  --balance AMOUNT       balance owed, 0 to 50000 (default 2100)\n"
        "  --apr PERCENT          annual percentage rate, 0 to 36 (default 17.9)\n"
        "  --min-percent PERCENT  minimum payment as a percent of the balance, from the\n"
        "                         lowest admitted percent for the balance and rate up to\n"
        "                         100 (default 2.5)\n"
        "  --extra N              extra money every month: 0, 5, 10, 15, 20, 25, 50 or 100\n"
        "                         (default 0)\n"
        "  --constant             pay the first month's payment every month\n"
        "  --format FORMAT        table, csv or json (default table)\n"
        "  --locale NAME          number separators of this locale, such as de_DE\n"
        "                         (default: the system's)\n"
        "  --report FILE.pdf      also write the printed report to FILE.pdf\n"
        "  --help                 show this help and exit\n"
        "  --version              show the version and exit\n"
        "\n"
        "Numbers are written with \".\" as the decimal point and no grouping.\n"
        "Bad input is refused with one line on standard error and exit status 2.\n");
}

QString VersionText()
{
    return QStringLiteral("orvanel-schedule " ORVANEL_VERSION "\n");
}

ParseResult ParseArguments(const QStringList &arguments, const QLocale &systemLocale)
{
    Options o;
    o.locale = systemLocale;
    auto fail = [](const QString &message) { return ParseResult{std::nullopt, message}; };

    std::optional<QString> balanceText, aprText, percentText;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> inlineValue;
        if (name.startsWith(u"--")) {
            const qsizetype eq = name.indexOf(u'=');
            if (eq > 0) {
                inlineValue = name.mid(eq + 1);
                name = name.left(eq);
            }
        }
        auto value = [&]() -> std::optional<QString> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        auto takesNoValue = [&]() { return !inlineValue; };

        if (name == u"--help" && takesNoValue()) {
            o.help = true;
        } else if (name == u"--version" && takesNoValue()) {
            o.version = true;
        } else if (name == u"--constant" && takesNoValue()) {
            o.inputs.ConstantPayment = true;
        } else if (name == u"--balance" || name == u"--apr" || name == u"--min-percent"
                   || name == u"--extra" || name == u"--format" || name == u"--locale"
                   || name == u"--report") {
            const auto v = value();
            if (!v)
                return fail(QStringLiteral("The option %1 needs a value").arg(name));
            if (name == u"--balance")
                balanceText = *v;
            else if (name == u"--apr")
                aprText = *v;
            else if (name == u"--min-percent")
                percentText = *v;
            else if (name == u"--extra") {
                bool ok = false;
                const int extra = v->trimmed().toInt(&ok);
                if (!ok || std::find(std::begin(calc::ExtraMoneyChoices), std::end(calc::ExtraMoneyChoices), extra)
                               == std::end(calc::ExtraMoneyChoices))
                    return fail(QStringLiteral("The extra money \"%1\" is not one of 0, 5, 10, 15, 20, 25, 50 or 100").arg(*v));
                o.inputs.ExtraMoney = extra;
            } else if (name == u"--format") {
                if (*v == u"table")
                    o.format = Format::Table;
                else if (*v == u"csv")
                    o.format = Format::Csv;
                else if (*v == u"json")
                    o.format = Format::Json;
                else
                    return fail(QStringLiteral("The format \"%1\" is not one of table, csv or json").arg(*v));
            } else if (name == u"--locale") {
                const QLocale locale(*v);
                const bool isC = *v == u"C" || *v == u"POSIX" || v->startsWith(u"C.");
                if (v->isEmpty() || (locale.language() == QLocale::C && !isC))
                    return fail(QStringLiteral("The locale \"%1\" is not known").arg(*v));
                o.locale = isC ? QLocale::c() : locale;
            } else {
                if (v->isEmpty())
                    return fail(QStringLiteral("The option --report needs a file name"));
                o.reportPath = *v;
            }
        } else {
            return fail(QStringLiteral("Unknown option \"%1\" (see --help)").arg(arguments[i]));
        }
    }

    struct Number { const std::optional<QString> &text; calc::Decimal &target; const char *caption; };
    const Number numbers[] = {{balanceText, o.inputs.Balance, "balance"},
                              {aprText, o.inputs.APR, "annual percentage rate"},
                              {percentText, o.inputs.MinPmtPct, "minimum payment percent"}};
    for (const Number &n : numbers) {
        if (!n.text)
            continue;
        const auto parsed = parseAmount(*n.text);
        if (!parsed)
            return fail(QStringLiteral("The %1 \"%2\" is not a number").arg(QLatin1String(n.caption), *n.text));
        n.target = *parsed;
    }

    // The same bounds as the window's fields, checked in the window's order.
    const calc::Decimal percentMax = std::max(calc::Decimal(100), calc::MinPmtPctFloor(o.inputs.Balance, o.inputs.APR));
    if (auto problem = calc::CheckPayoffInputs(o.inputs))
        return fail(*problem);
    if (o.inputs.MinPmtPct > percentMax)
        return fail(QStringLiteral("The Minimum Payment Percent is too high (at most %1)").arg(percentMax.toFixedString(1)));
    return ParseResult{o, {}};
}

Schedule Compute(const calc::PayoffInputs &inputs)
{
    Schedule s;
    s.summary = calc::CalculatePayoff(inputs, calc::AbsoluteMinimumPayment,
                                      [&](const calc::ScheduleRow &row) { s.rows.push_back(row); });
    return s;
}

QString RenderTable(const Options &options, const Schedule &schedule)
{
    const QLocale &locale = options.locale;
    const calc::SummaryTexts t = calc::MakeSummaryTexts(schedule.summary, locale);
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("Minimum Payment"), t.MinPmtValue},
        {QStringLiteral("Total Interest Paid"), t.TotalFinanceChargeValue},
        {QStringLiteral("Total Money Paid"), t.TotalMoneyPaidValue},
        {QStringLiteral("Number of Payments"), t.NumberofPaymentsValue},
        {QStringLiteral("Length of Payoff Time"), t.PayoffLength},
    };
    QString out;
    for (const auto &[caption, text] : lines)
        out += caption.leftJustified(23) + text + u'\n';
    if (schedule.rows.empty())
        return out;

    std::vector<std::array<QString, 6>> cells;
    cells.reserve(schedule.rows.size());
    std::array<qsizetype, 6> width{};
    for (std::size_t c = 0; c < kTitles.size(); ++c)
        width[c] = kTitles[c].size();
    const QString amount = QStringLiteral("#,###,##0.00");
    for (const calc::ScheduleRow &r : schedule.rows) {
        std::array<QString, 6> row = {calc::FormatPattern(calc::Decimal(r.Pmt), u"#,##0", locale),
                                      calc::FormatPattern(r.Balance, amount, locale),
                                      calc::FormatPattern(r.Payment, amount, locale),
                                      calc::FormatPattern(r.Interest, amount, locale),
                                      calc::FormatPattern(r.Principal, amount, locale),
                                      calc::FormatPattern(r.NewBalance, amount, locale)};
        for (std::size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
        cells.push_back(std::move(row));
    }
    auto line = [&](const std::array<QString, 6> &row) {
        QString l;
        for (std::size_t c = 0; c < row.size(); ++c)
            l += (c ? QStringLiteral("  ") : QString()) + row[c].rightJustified(width[c]);
        return l + u'\n';
    };
    out += u'\n';
    out += line(kTitles);
    for (const auto &row : cells)
        out += line(row);
    return out;
}

QString RenderCsv(const Schedule &schedule)
{
    QString out = QStringLiteral("Pmt,Balance,Payment,Interest,Principal,NewBalance\n");
    for (const calc::ScheduleRow &r : schedule.rows) {
        out += QString::number(r.Pmt) % u',' % r.Balance.toFixedString(2) % u',' % r.Payment.toFixedString(2)
             % u',' % r.Interest.toFixedString(2) % u',' % r.Principal.toFixedString(2) % u','
             % r.NewBalance.toFixedString(2) % u'\n';
    }
    return out;
}

QString RenderJson(const Options &options, const Schedule &schedule)
{
    const calc::PayoffInputs &in = options.inputs;
    const calc::PayoffSummary &s = schedule.summary;
    const calc::SummaryTexts t = calc::MakeSummaryTexts(s, options.locale);
    QString out;
    out += QStringLiteral("{\n  \"inputs\": {\"balance\": ") % jsonNumber(in.Balance)
         % QStringLiteral(", \"apr\": ") % jsonNumber(in.APR) % QStringLiteral(", \"minPmtPct\": ")
         % jsonNumber(in.MinPmtPct) % QStringLiteral(", \"extraMoney\": ") % QString::number(in.ExtraMoney)
         % QStringLiteral(", \"constantPayment\": ") % (in.ConstantPayment ? u"true" : u"false") % u"},\n";
    out += QStringLiteral("  \"minPmtPctFloor\": ") % jsonNumber(calc::MinPmtPctFloor(in.Balance, in.APR), 1)
         % u",\n";
    out += QStringLiteral("  \"summary\": {\"minimumPayment\": ")
         % (s.MonthlyPayment ? money(*s.MonthlyPayment) : QStringLiteral("null"))
         % QStringLiteral(", \"totalInterestPaid\": ") % money(s.TotalInterestPaid)
         % QStringLiteral(", \"totalMoneyPaid\": ") % money(s.TotalMoneyPaid)
         % QStringLiteral(", \"numberOfPayments\": ") % QString::number(s.NumberOfPayments)
         % QStringLiteral(", \"payoffYears\": ") % QString::number(s.PayoffYears)
         % QStringLiteral(", \"payoffMonths\": ") % QString::number(s.PayoffMonths)
         % QStringLiteral(",\n    \"texts\": {\"txtMinPmtValue\": ") % jsonString(t.MinPmtValue)
         % QStringLiteral(", \"txtTotalFinanceChargeValue\": ") % jsonString(t.TotalFinanceChargeValue)
         % QStringLiteral(", \"txtTotalMoneyPaidValue\": ") % jsonString(t.TotalMoneyPaidValue)
         % QStringLiteral(", \"txtNumberofPaymentsValue\": ") % jsonString(t.NumberofPaymentsValue)
         % QStringLiteral(", \"txtPayoffLength\": ") % jsonString(t.PayoffLength) % u"}},\n";
    out += QStringLiteral("  \"rows\": [");
    bool first = true;
    for (const calc::ScheduleRow &r : schedule.rows) {
        out += (first ? QStringLiteral("\n    ") : QStringLiteral(",\n    "));
        first = false;
        out += QStringLiteral("{\"Pmt\": ") % QString::number(r.Pmt) % QStringLiteral(", \"Balance\": ")
             % money(r.Balance) % QStringLiteral(", \"Payment\": ") % money(r.Payment)
             % QStringLiteral(", \"Interest\": ") % money(r.Interest) % QStringLiteral(", \"Principal\": ")
             % money(r.Principal) % QStringLiteral(", \"NewBalance\": ") % money(r.NewBalance) % u'}';
    }
    out += first ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return out;
}

} // namespace cli
