#pragma once

// Painting of the sliders' scale: the value labels above the groove and the
// light green sunken groove. Free functions the window's draw-tick and
// draw-track handlers call for each TrackBar.

#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringView>

class QPainter;

namespace sliderscale {

// The groove's fill colour.
inline constexpr QRgb GrooveFill = 0xFFC0DCC0; // RGB(192, 220, 192)

// The label box for a tick at `location`: 24 pixels wide centred on it, from
// 4 pixels above it down to the groove's top edge (trackOffset below the
// slider's top).
QRect tickLabelRect(QPoint location, int trackOffset);

// Draws `text` on one line, centred both ways in tickLabelRect() and clipped
// to it, at 7 points in the canvas's face and colour, without background.
void drawTickLabel(QPainter &canvas, QPoint location, int trackOffset, const QString &text);

// A one-pixel sunken frame on the edges of `bounds` (left and top in the
// palette's Dark, right and bottom, on the last column and row inside, in its
// Light), the inside filled with GrooveFill.
void drawGroove(QPainter &canvas, const QRect &bounds, const QPalette &palette);

// index / divisor (integer division) in plain digits, then the suffix:
// "50k", "36%", "12%".
QString tickLabelText(int index, int divisor, QStringView suffix);

} // namespace sliderscale
