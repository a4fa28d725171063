// orvanel-schedule: the payoff schedule and its summary for scripts.
#include "schedulecli.h"

#include "report/reportpdf.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdlib>
#include <memory>

namespace {

// Writes the printed report of this schedule as PDF, as the window's Print
// command would show it for the same inputs.
bool writeReport(const cli::Options &options, const cli::Schedule &schedule, QString *error)
{
    const report::FieldSource source = report::MakeFieldSource(options.inputs, schedule.summary, options.locale);
    report::GenerateOptions generate;
    generate.locale = options.locale; // the separators the summary texts were written with
    return report::WriteReportPdf(
        options.reportPath, [&](const QString &name) { return report::FieldValue(name, source); }, schedule.rows,
        error, generate);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The locale is read before any application object exists, as Qt reads it.
    const cli::ParseResult parsed = cli::ParseArguments(arguments, QLocale::system());

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parsed.options) {
        err << "orvanel-schedule: " << parsed.error << '\n';
        return 2;
    }
    const cli::Options &options = *parsed.options;
    if (options.help) {
        out << cli::UsageText();
        return 0;
    }
    if (options.version) {
        out << cli::VersionText();
        return 0;
    }

    // Fonts and the printer list need a GUI application; without a display it
    // runs on the off-screen platform.
    std::unique_ptr<QCoreApplication> app;
    if (!options.reportPath.isEmpty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    const cli::Schedule schedule = cli::Compute(options.inputs);
    if (!options.reportPath.isEmpty()) {
        QString error;
        if (!writeReport(options, schedule, &error)) {
            err << "orvanel-schedule: " << error << '\n';
            return 1;
        }
    }

    switch (options.format) {
    case cli::Format::Table: out << cli::RenderTable(options, schedule); break;
    case cli::Format::Csv: out << cli::RenderCsv(schedule); break;
    case cli::Format::Json: out << cli::RenderJson(options, schedule); break;
    }
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}
