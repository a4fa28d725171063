#pragma once

// Page margins taken from the printer.
//
// Before a report is previewed, the printer's resolution, printable area and
// unprintable offsets are read (PrinterReader; QPrinterReader reads a QPrinter,
// tests supply their own readings) and turned into the four unprintable
// margins in inches, rounded to 2 decimals (PrinterMetrics). Those become the
// report's page margins, mapped by the report's orientation (ReportMargins).
// The paper is taken as US Letter portrait, 8.5 x 11 inches, whatever the
// printer holds.

#include <QMarginsF>
#include <QPageLayout>

#include <optional>

class QPrinter;

namespace report {

// The raw device readings, in pixels and pixels per inch.
struct PrinterReadings
{
    int logPixelsX = 0;      // horizontal resolution
    int logPixelsY = 0;      // vertical resolution
    int horzRes = 0;         // printable width
    int vertRes = 0;         // printable height
    int physicalOffsetY = 0; // top unprintable offset
    int physicalOffsetX = 0; // left unprintable offset
};

struct PrinterMetrics
{
    long double PPInchX = 0;
    long double PPInchY = 0;
    long double ASpaceX = 0;
    long double ASpaceY = 0;
    long double MarginT = 0;
    long double MarginL = 0;
    long double MarginR = 0; // PPInchX * 8.5 - MarginL - ASpaceX
    long double MarginB = 0; // PPInchY * 11 - MarginT - ASpaceY
    long double MTInch = 0;  // the margins in inches, rounded to 2 decimals
    long double MBInch = 0;
    long double MLInch = 0;
    long double MRInch = 0;
};

// The reading interface; tests replace it with fixed readings.
class PrinterReader
{
public:
    virtual ~PrinterReader() = default;
    // std::nullopt when there is no printer to read (no print service, or
    // output goes to a PDF file rather than a device).
    virtual std::optional<PrinterReadings> read() const = 0;
};

// Reads a QPrinter as configured: its resolution, and the printable area and
// offsets from the printer's own minimum margins on its paper in portrait
// (the report maps portrait readings to its own orientation itself).
class QPrinterReader : public PrinterReader
{
public:
    explicit QPrinterReader(const QPrinter &printer) : m_printer(printer) {}
    std::optional<PrinterReadings> read() const override;

private:
    const QPrinter &m_printer;
};

// A fixed reading, for tests and for callers that already hold one.
class FixedPrinterReader : public PrinterReader
{
public:
    explicit FixedPrinterReader(std::optional<PrinterReadings> readings) : m_readings(readings) {}
    std::optional<PrinterReadings> read() const override { return m_readings; }

private:
    std::optional<PrinterReadings> m_readings;
};

// The derived values; std::nullopt when a resolution is not positive.
std::optional<PrinterMetrics> ComputePrinterMetrics(const PrinterReadings &readings);
std::optional<PrinterMetrics> ReadPrinterMetrics(const PrinterReader &reader);

// The report's four margins in inches, in single precision as the page setup
// takes them.
struct ReportMargins
{
    float top = 0;
    float bottom = 0;
    float left = 0;
    float right = 0;
};

// Portrait: top, bottom, left, right = MT, MB, ML, MR.
// Landscape: top, bottom, left, right = ML, MR, MT, MB.
ReportMargins MarginsFor(const PrinterMetrics &metrics, QPageLayout::Orientation orientation);

// The margins (left, top, right, bottom, in inches) after setting `margins`
// over `previous`: a negative margin is ignored and keeps its previous value.
QMarginsF ApplyMargins(const QMarginsF &previous, const ReportMargins &margins);

// Sets the margins on a page layout (in inches), ignoring negative ones. A
// margin that rounding put a hair below the device's minimum is raised to the
// minimum, which the layout would otherwise refuse.
QPageLayout WithMargins(QPageLayout layout, const ReportMargins &margins);

} // namespace report
