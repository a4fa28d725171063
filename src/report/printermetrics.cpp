#include "report/printermetrics.h"

#include "calc/numbertext.h"

#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace report {

std::optional<PrinterReadings> QPrinterReader::read() const
{
    if (!m_printer.isValid() || m_printer.outputFormat() != QPrinter::NativeFormat
        || m_printer.printerName().isEmpty())
        return std::nullopt;
    const int resolution = m_printer.resolution();
    if (resolution <= 0)
        return std::nullopt;

    // The printable area is the paper less the printer's own minimum margins;
    // Qt's default margins are a layout choice, not the device's.
    QPageLayout layout = m_printer.pageLayout();
    layout.setOrientation(QPageLayout::Portrait);
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    const QRect printable = layout.paintRectPixels(resolution);

    PrinterReadings readings;
    readings.logPixelsX = resolution;
    readings.logPixelsY = resolution;
    readings.horzRes = printable.width();
    readings.vertRes = printable.height();
    readings.physicalOffsetY = printable.top();
    readings.physicalOffsetX = printable.left();
    return readings;
}

std::optional<PrinterMetrics> ComputePrinterMetrics(const PrinterReadings &readings)
{
    if (readings.logPixelsX <= 0 || readings.logPixelsY <= 0)
        return std::nullopt;
    PrinterMetrics m;
    m.PPInchX = readings.logPixelsX;
    m.PPInchY = readings.logPixelsY;
    m.ASpaceX = readings.horzRes;
    m.ASpaceY = readings.vertRes;
    m.MarginT = readings.physicalOffsetY;
    m.MarginL = readings.physicalOffsetX;
    m.MarginR = m.PPInchX * 8.5L - m.MarginL - m.ASpaceX;
    m.MarginB = m.PPInchY * 11.0L - m.MarginT - m.ASpaceY;
    m.MTInch = calc::RoundThroughText(m.MarginT / m.PPInchY, 2);
    m.MBInch = calc::RoundThroughText(m.MarginB / m.PPInchY, 2);
    m.MLInch = calc::RoundThroughText(m.MarginL / m.PPInchX, 2);
    m.MRInch = calc::RoundThroughText(m.MarginR / m.PPInchX, 2);
    return m;
}

std::optional<PrinterMetrics> ReadPrinterMetrics(const PrinterReader &reader)
{
    const auto readings = reader.read();
    if (!readings)
        return std::nullopt;
    return ComputePrinterMetrics(*readings);
}

ReportMargins MarginsFor(const PrinterMetrics &metrics, QPageLayout::Orientation orientation)
{
    ReportMargins margins;
    if (orientation == QPageLayout::Landscape) {
        margins.top = float(metrics.MLInch);
        margins.bottom = float(metrics.MRInch);
        margins.left = float(metrics.MTInch);
        margins.right = float(metrics.MBInch);
    } else {
        margins.top = float(metrics.MTInch);
        margins.bottom = float(metrics.MBInch);
        margins.left = float(metrics.MLInch);
        margins.right = float(metrics.MRInch);
    }
    return margins;
}

QMarginsF ApplyMargins(const QMarginsF &previous, const ReportMargins &margins)
{
    auto pick = [](float value, qreal old) { return value < 0 || !std::isfinite(value) ? old : qreal(value); };
    return QMarginsF(pick(margins.left, previous.left()), pick(margins.top, previous.top()),
                     pick(margins.right, previous.right()), pick(margins.bottom, previous.bottom()));
}

QPageLayout WithMargins(QPageLayout layout, const ReportMargins &margins)
{
    layout.setUnits(QPageLayout::Inch);
    const QMarginsF wanted = ApplyMargins(layout.margins(), margins);
    if (!layout.setMargins(wanted)) {
        const QMarginsF least = layout.minimumMargins();
        const QMarginsF raised(std::max(wanted.left(), least.left()), std::max(wanted.top(), least.top()),
                               std::max(wanted.right(), least.right()),
                               std::max(wanted.bottom(), least.bottom()));
        layout.setMargins(raised);
    }
    return layout;
}

} // namespace report
