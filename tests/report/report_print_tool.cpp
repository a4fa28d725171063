// Test driver for real printing: computes a schedule and sends the report to
// the default printer through Qt, as the preview's print does, or writes it as
// PDF. Also reports the margins read from the default printer.
//
//   report_print_tool print   [BALANCE APR PERCENT]
//   report_print_tool pdf OUT [BALANCE APR PERCENT]
//   report_print_tool margins
//   report_print_tool preview [BALANCE APR PERCENT]   (the modal preview, for a look)
#include "reportfixture.h"

#include "report/payoffreport.h"
#include "report/reportpreview.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    QString pdfPath;
    if (mode == QLatin1String("pdf"))
        pdfPath = args.value(1);
    const int first = mode == QLatin1String("pdf") ? 2 : 1;
    auto number = [&](int i, const char *fallback) {
        const auto value = calc::Decimal::fromText(args.value(first + i, QString::fromLatin1(fallback)));
        return value ? *value : calc::Decimal(0);
    };
    const QLocale locale(QLocale::English, QLocale::UnitedStates);

    report::PayoffReport report;
    QPrinter &printer = report.printer();
    const auto metrics = report::ReadPrinterMetrics(report::QPrinterReader(printer));
    if (metrics)
        printer.setPageLayout(
            report::WithMargins(printer.pageLayout(), report::MarginsFor(*metrics, QPageLayout::Portrait)));
    const QMarginsF inch = printer.pageLayout().margins(QPageLayout::Inch);

    if (mode == QLatin1String("margins")) {
        out << "printer " << printer.printerName() << '\n';
        if (metrics) {
            out << "resolution " << double(metrics->PPInchX) << '\n';
            out << "readings " << double(metrics->ASpaceX) << ' ' << double(metrics->ASpaceY) << ' '
                << double(metrics->MarginT) << ' ' << double(metrics->MarginL) << '\n';
        } else {
            out << "no readings\n";
        }
        out << "margins " << inch.top() << ' ' << inch.bottom() << ' ' << inch.left() << ' ' << inch.right() << '\n';
        return metrics ? 0 : 3;
    }

    reporttest::Scenario s;
    try {
        s = reporttest::MakeScenario(number(0, "2100"), number(1, "17.9"), number(2, "2.5"), 0, false, locale);
    } catch (const std::exception &e) {
        err << e.what() << '\n';
        return 2;
    }
    const report::ReportInput input{s.fields(), &s.rows, {locale, QDate::currentDate()}};
    QString error;
    if (mode == QLatin1String("pdf")) {
        if (!report::WriteReportPdf(pdfPath, report, input, printer.pageLayout(), &error)) {
            err << error << '\n';
            return 1;
        }
        return 0;
    }
    if (mode == QLatin1String("preview")) {
        report::PreviewReport(report, input, nullptr, QStringLiteral("Orvanel"));
        return 0;
    }
    if (mode == QLatin1String("print")) {
        if (QPrinterInfo::defaultPrinter().isNull() || printer.outputFormat() != QPrinter::NativeFormat) {
            err << "no printer\n";
            return 3;
        }
        if (!report.generate(printer, input, &error)) {
            err << error << '\n';
            return 1;
        }
        out << "printed " << report.pageCount() << " pages on " << printer.printerName() << '\n';
        return 0;
    }
    err << "usage: report_print_tool print|pdf OUT|margins|preview [BALANCE APR PERCENT]\n";
    return 2;
}
