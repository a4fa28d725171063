#include "report/piechart.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace report {

namespace {

QPointF OnEllipse(const QRectF &rect, double degrees)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    return {rect.center().x() + rect.width() / 2 * std::cos(radians),
            rect.center().y() - rect.height() / 2 * std::sin(radians)};
}

// The visible part of the side wall between two angles of the lower half.
QPainterPath WallPath(const QRectF &top, double depth, double from, double to)
{
    const QRectF bottom = top.translated(0, depth);
    QPainterPath path(OnEllipse(top, from));
    path.lineTo(OnEllipse(bottom, from));
    path.arcTo(bottom, from, to - from);
    path.lineTo(OnEllipse(top, to));
    path.arcTo(top, to, from - to);
    path.closeSubpath();
    return path;
}

} // namespace

void PaintPie(QPainter &painter, const QRectF &box, const std::vector<PieSlice> &slices, const PieSettings &settings)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(box, settings.background);

    double total = 0;
    for (const PieSlice &slice : slices) {
        if (std::isfinite(slice.value) && slice.value > 0)
            total += slice.value;
    }
    if (!(total > 0) || !std::isfinite(total)) {
        painter.restore();
        return;
    }

    // The pie fills the box less a small inset; the tilt flattens the top
    // into an ellipse and the depth becomes the visible wall below it.
    const QRectF area = box.adjusted(box.width() * 0.04, box.height() * 0.06, -box.width() * 0.04,
                                     -box.height() * 0.06);
    const double tilt = std::abs(std::sin((360.0 - settings.elevationDeg) * std::numbers::pi / 180.0));
    double width = area.width();
    double depth = area.height() * 0.30 * settings.depthPercent / 100.0 * (tilt > 0 ? 1.0 : 0.0);
    double height = area.height() - depth;
    if (settings.circled) {
        const double diameter = std::min(width, height / std::max(tilt, 0.1));
        width = diameter;
        height = diameter * std::max(tilt, 0.1);
        depth = std::min(depth, area.height() - height);
    }
    const QRectF top(area.center().x() - width / 2, area.top() + (area.height() - height - depth) / 2, width,
                     height);

    QPen pen(settings.outline);
    pen.setWidthF(std::max(box.width() / 500.0, 0.5));
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);

    struct Span
    {
        double start;
        double sweep;
        QColor colour;
    };
    std::vector<Span> spans;
    double start = settings.rotationDeg;
    for (const PieSlice &slice : slices) {
        if (!(std::isfinite(slice.value) && slice.value > 0))
            continue;
        const double sweep = 360.0 * slice.value / total;
        spans.push_back({std::fmod(start, 360.0), sweep, slice.colour});
        start += sweep;
    }

    // Side walls first: only the front half (180 to 360 degrees) is seen.
    if (depth > 0) {
        for (const Span &span : spans) {
            const double from = span.start;
            const double to = span.start + span.sweep;
            for (double lower : {180.0, 540.0}) {
                const double a = std::max(from, lower);
                const double b = std::min(to, lower + 180.0);
                if (b > a) {
                    painter.setBrush(span.colour.darker(140));
                    painter.drawPath(WallPath(top, depth, a, b));
                }
            }
        }
    }
    for (const Span &span : spans) {
        painter.setBrush(span.colour);
        if (span.sweep >= 360.0)
            painter.drawEllipse(top);
        else
            painter.drawPie(top, qRound(span.start * 16), qRound(span.sweep * 16));
    }
    painter.restore();
}

} // namespace report
