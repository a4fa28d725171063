#pragma once

// orvanel-schedule: the payoff schedule for scripts. The option parsing and the
// three output formats live here, apart from main(), so that tests can run
// them on strings.

#include "calc/payoff.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace cli {

enum class Format { Table, Csv, Json };

struct Options
{
    calc::PayoffInputs inputs;
    Format format = Format::Table;
    QLocale locale;
    QString reportPath; // --report FILE.pdf
    bool help = false;
    bool version = false;
};

struct ParseResult
{
    std::optional<Options> options;
    QString error; // one line, when options is empty
};

// Parses the arguments (without the program name). The locale is the one used
// when no --locale is given.
ParseResult ParseArguments(const QStringList &arguments, const QLocale &systemLocale);

QString UsageText();
QString VersionText();

struct Schedule
{
    std::vector<calc::ScheduleRow> rows;
    calc::PayoffSummary summary;
};

Schedule Compute(const calc::PayoffInputs &inputs);

QString RenderTable(const Options &options, const Schedule &schedule);
QString RenderCsv(const Schedule &schedule);
QString RenderJson(const Options &options, const Schedule &schedule);

} // namespace cli
