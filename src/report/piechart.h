#pragma once

// The title page's balance/interest pie: a three-dimensional pie (a tilted
// ellipse with a side wall) drawn with QPainter into the chart element's box.
// PieSeries holds the slices; the title band's before-print handler empties it
// and adds the two slices on every generation.

#include <QColor>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace report {

struct PieSlice
{
    QString label;
    double value = 0;
    QColor colour;
};

struct PieSettings
{
    double rotationDeg = 130;    // where the first slice starts, counter-clockwise from three o'clock
    double elevationDeg = 315;   // view tilt: 315 looks down on the pie at 45 degrees
    double depthPercent = 50;    // thickness of the side wall, as a share of the tilted height
    QColor outline{231, 231, 231};
    QColor background = Qt::white;
    bool circled = false;        // false: the pie fills the chart's rectangle
};

class PieSeries
{
public:
    void clear() { m_slices.clear(); }
    void add(double value, const QString &label, const QColor &colour) { m_slices.push_back({label, value, colour}); }
    const std::vector<PieSlice> &slices() const { return m_slices; }

private:
    std::vector<PieSlice> m_slices;
};

// Draws the background and the pie into box (device coordinates). Slices that
// are not positive, or not numbers, take no room; with nothing positive only
// the background is drawn.
void PaintPie(QPainter &painter, const QRectF &box, const std::vector<PieSlice> &slices,
              const PieSettings &settings = {});

} // namespace report
