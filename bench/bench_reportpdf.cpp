// ReportPdf/HighRate: the whole report of the 50,000.00 / 36 % / 3.2 %
// schedule (2,452 rows, 63 pages) written as PDF. Goal: under 1.5 s.
#include "reportfixture.h"

#include "report/payoffreport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void ReportPdf_HighRate(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const auto s = reporttest::MakeScenario(calc::Decimal(50000), calc::Decimal(36), calc::Decimal(32, 1), 0, false,
                                            locale);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Report.pdf"));
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.07, 0.25, 0.6),
                             QPageLayout::Inch);
    report::PayoffReport report;
    const report::ReportInput input{s.fields(), &s.rows, {locale, QDate(2026, 3, 4)}};
    for (auto _ : state) {
        QString error;
        if (!report::WriteReportPdf(path, report, input, layout, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["pages"] = report.pageCount();
    state.counters["rows"] = double(s.rows.size());
}
BENCHMARK(ReportPdf_HighRate)->Name("ReportPdf/HighRate")->Unit(benchmark::kMillisecond);
