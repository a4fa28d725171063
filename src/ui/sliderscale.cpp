#include "sliderscale.h"

#include <QPainter>

namespace sliderscale {

QRect tickLabelRect(QPoint location, int trackOffset)
{
    // Left x - 12 to right x + 12 and top y - 4 to bottom y + trackOffset, the
    // right and bottom edges exclusive.
    return QRect(QPoint(location.x() - 12, location.y() - 4),
                 QPoint(location.x() + 11, location.y() + trackOffset - 1));
}

void drawTickLabel(QPainter &canvas, QPoint location, int trackOffset, const QString &text)
{
    QFont font = canvas.font();
    font.setPointSize(7);
    canvas.setFont(font);
    canvas.setBrush(Qt::NoBrush);
    canvas.setBackgroundMode(Qt::TransparentMode);
    // Without Qt::TextDontClip the text is clipped to the box.
    canvas.drawText(tickLabelRect(location, trackOffset),
                    Qt::AlignCenter | Qt::TextSingleLine, text);
}

void drawGroove(QPainter &canvas, const QRect &bounds, const QPalette &palette)
{
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor highlight = palette.color(QPalette::Light);
    const int l = bounds.left(), t = bounds.top(), r = bounds.right(), b = bounds.bottom();
    // Light right column and bottom row first, then the dark left column and
    // top row: the top-right corner stays light, the bottom-left one dark.
    canvas.fillRect(QRect(QPoint(r, t), QPoint(r, b)), highlight);
    canvas.fillRect(QRect(QPoint(l, b), QPoint(r, b)), highlight);
    canvas.fillRect(QRect(QPoint(l, t), QPoint(l, b)), shadow);
    if (r > l)
        canvas.fillRect(QRect(QPoint(l, t), QPoint(r - 1, t)), shadow);
    const QRect inside = bounds.adjusted(1, 1, -1, -1);
    if (inside.isValid())
        canvas.fillRect(inside, QColor::fromRgb(GrooveFill));
}

QString tickLabelText(int index, int divisor, QStringView suffix)
{
    const int quotient = divisor != 0 ? index / divisor : index;
    return QString::number(quotient).append(suffix);
}

} // namespace sliderscale
