// orvanel-schedule: the payoff schedule and its summary for scripts.
#include "schedulecli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#ifdef ORVANEL_WITH_REPORT
#include "report/reportpdf.h"
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const cli::ParseResult parsed = cli::ParseArguments(app.arguments().mid(1), QLocale::system());
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

    const cli::Schedule schedule = cli::Compute(options.inputs);

    if (!options.reportPath.isEmpty()) {
#ifdef ORVANEL_WITH_REPORT
        QString error;
        if (!cli::WriteReport(options, schedule, &error)) {
            err << "orvanel-schedule: " << error << '\n';
            return 1;
        }
#else
        err << "orvanel-schedule: this build cannot write reports\n";
        return 1;
#endif
    }

    switch (options.format) {
    case cli::Format::Table: out << cli::RenderTable(options, schedule); break;
    case cli::Format::Csv: out << cli::RenderCsv(schedule); break;
    case cli::Format::Json: out << cli::RenderJson(options, schedule); break;
    }
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}
