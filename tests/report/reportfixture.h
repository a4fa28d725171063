#pragma once

// Small helpers shared by the report tests: a calculated scenario with the
// texts the window would show, and poppler's view of a generated PDF.

#include "calc/payoff.h"
#include "report/reportfields.h"

#include <QLocale>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <vector>

namespace reporttest {

struct Scenario
{
    std::vector<calc::ScheduleRow> rows;
    report::FieldSource source;
    report::FieldProvider fields() const
    {
        const report::FieldSource copy = source;
        return [copy](const QString &name) { return report::FieldValue(name, copy); };
    }
};

// Runs the calculation as the window does and fills the field source from
// the summary texts it would show.
inline Scenario MakeScenario(const calc::Decimal &balance, const calc::Decimal &apr, const calc::Decimal &pct,
                             int extra, bool constant, const QLocale &locale)
{
    Scenario s;
    calc::PayoffInputs in;
    in.Balance = balance;
    in.APR = apr;
    in.MinPmtPct = pct;
    in.ExtraMoney = extra;
    in.ConstantPayment = constant;
    const calc::PayoffSummary summary = calc::CalculatePayoff(
        in, calc::AbsoluteMinimumPayment, [&](const calc::ScheduleRow &row) { s.rows.push_back(row); });
    s.source = report::MakeFieldSource(in, summary, locale);
    return s;
}

inline QString Run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString &path)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {path});
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// The text of one page (pdftotext -layout), with the "ff" ligature of
// fallback fonts undone.
inline QString PdfPageText(const QString &path, int page)
{
    QString text = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"),
                                                      QString::number(page), QStringLiteral("-l"),
                                                      QString::number(page), path, QStringLiteral("-")});
    text.replace(QChar(0xFB00), QLatin1String("ff"));
    return text;
}

} // namespace reporttest
