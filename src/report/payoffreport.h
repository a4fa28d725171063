#pragma once

// The printed payoff report.
//
// PayoffReport is the report a window owns for the whole run: the template
// (Report1), the pie series, the before-print handlers that adjust them while
// a report is generated, and the printer setup whose choices (printer, paper,
// orientation, margins) stay for later prints. generate() paints the whole
// report onto any paged device (a QPrinter, the preview's printer, a
// QPdfWriter) within the margins that device has in effect:
//
//   page 1       the title band, then the footer with the notice alone;
//   pages 2..n   header, as many detail lines as fit, footer with the date,
//                the notice and the page number;
//   no rows      one blank page.
//
// RenderReport and WriteReportPdf are the window-free entry points (the
// command-line tool writes its PDF through WriteReportPdf).

#include "report/piechart.h"
#include "report/printermetrics.h"
#include "report/reportfields.h"
#include "report/reporttemplate.h"

#include "calc/payoff.h"

#include <QDate>
#include <QImage>
#include <QLocale>
#include <QString>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace report {

struct GenerateOptions
{
    QLocale locale;      // separators of the printed numbers, the short date
    QDate date = QDate::currentDate(); // the footer's date
};

// What one generation reads: the single record and the schedule rows.
struct ReportInput
{
    FieldProvider fields;
    const std::vector<calc::ScheduleRow> *rows = nullptr;
    GenerateOptions options;
};

// Registers the bundled Tahoma-compatible fonts when the system has no
// "Tahoma" family (Debian keeps them outside fontconfig's folders). Needs a
// QGuiApplication; safe to call more than once.
void EnsureReportFonts();

class PayoffReport
{
public:
    explicit PayoffReport(const QString &copyrightNotice = DefaultCopyrightNotice());
    ~PayoffReport();
    PayoffReport(const PayoffReport &) = delete;
    PayoffReport &operator=(const PayoffReport &) = delete;

    ReportTemplate &layout() { return m_template; }
    const ReportTemplate &layout() const { return m_template; }
    const PieSeries &series() const { return m_series; }

    // Paints the report onto the device, starting at its first page. Returns
    // false with a message when the device cannot be painted on.
    bool generate(QPagedPaintDevice &device, const ReportInput &input, QString *error = nullptr);
    // Pages of the last generation.
    int pageCount() const { return m_pageCount; }

    // Discards what the last generation left (page count); the template keeps
    // its settings.
    void reset() { m_pageCount = 0; }

    // Before the title band: swatch colours, the title page's own copyright
    // line hidden, the pie refilled with exactly the balance and the interest.
    void ppTitleBand2BeforePrint(const FieldProvider &fields, const QLocale &locale);
    // Before each footer: the date and the page number show on every page but
    // the first.
    void ppFooterBand1BeforePrint(int absolutePageNumber);

    // The report's printer setup, created on first use: the default printer
    // (or PDF output when there is none), US Letter portrait, the template's
    // margins. Choices made in the print dialog stay here for the run.
    QPrinter &printer();
    bool hasPrinter() const { return m_printer != nullptr; }

    // The template's own margins in inches (left, top, right, bottom).
    QMarginsF templateMarginsInch() const;

private:
    void paintBand(QPainter &painter, const ReportBand &band, double topMm, double bandWidthMm,
                   const ReportInput &input, const calc::ScheduleRow *row, int pageNumber);

    ReportTemplate m_template;
    PieSeries m_series;
    QImage m_logo;
    int m_pageCount = 0;
    double m_pxPerMmX = 1;
    double m_pxPerMmY = 1;
    std::unique_ptr<QPrinter> m_printer;
};

// The whole report onto a paged device with the margins it has in effect.
bool RenderReport(QPagedPaintDevice &device, const FieldProvider &fields, const std::vector<calc::ScheduleRow> &rows,
                  const GenerateOptions &options = {}, QString *error = nullptr);

// The margins a report written without a window uses: the default printer's
// unprintable margins when there is a printer, the template's otherwise
// (left, top, right, bottom, in inches).
QMarginsF DefaultReportMarginsInch(const PrinterReader *reader = nullptr);

// Writes the report as a PDF file (US Letter portrait, fonts embedded as
// subsets) with DefaultReportMarginsInch(). The file is replaced only when the
// whole report was written; on failure *error says why and an existing file
// is left as it was.
bool WriteReportPdf(const QString &path, const FieldProvider &fields, const std::vector<calc::ScheduleRow> &rows,
                    QString *error, const GenerateOptions &options = {});

// Writes the report as PDF with the given page layout (the preview's export).
bool WriteReportPdf(const QString &path, PayoffReport &report, const ReportInput &input, const QPageLayout &layout,
                    QString *error);

} // namespace report
