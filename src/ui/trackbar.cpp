#include "trackbar.h"

#include "sliderscale.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <cmath>

TrackBar::TrackBar(QWidget *parent)
    : QSlider(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setTickPosition(QSlider::NoTicks);
    m_paintedValue = value();
}

void TrackBar::setPosition(int p)
{
    setValue(p); // QAbstractSlider clamps and notifies only on an actual change
}

void TrackBar::setTickStep(int step)
{
    step = qMax(1, step);
    if (step == m_tickStep)
        return;
    m_tickStep = step;
    invalidateBackground();
}

void TrackBar::setTrackOffset(int px)
{
    if (px == m_trackOffset)
        return;
    m_trackOffset = px;
    invalidateBackground();
}

void TrackBar::setDrawTickHandler(DrawTickHandler h)
{
    m_tickHandler = std::move(h);
    invalidateBackground();
}

void TrackBar::setDrawTrackHandler(DrawTrackHandler h)
{
    m_trackHandler = std::move(h);
    invalidateBackground();
}

int TrackBar::travel() const
{
    return qMax(0, width() - ThumbWidth - 2 * Margin);
}

int TrackBar::tickX(int v) const
{
    const qint64 span = qint64(maximum()) - minimum();
    const int start = Margin + ThumbWidth / 2;
    if (span <= 0)
        return start;
    const qint64 offset = qBound<qint64>(0, qint64(v) - minimum(), span);
    return start + int(offset * travel() / span); // truncated, as the scale labels expect
}

int TrackBar::valueAtX(qreal x) const
{
    const qint64 span = qint64(maximum()) - minimum();
    const int t = travel();
    if (span <= 0 || t <= 0)
        return minimum();
    const double share = (x - Margin - ThumbWidth / 2) / t;
    const double v = double(minimum()) + share * double(span);
    return int(qBound<double>(minimum(), std::round(v), maximum()));
}

QRect TrackBar::trackRect() const
{
    return QRect(Margin, m_trackOffset, qMax(0, width() - 2 * Margin), GrooveHeight);
}

QRect TrackBar::thumbRectAt(int v) const
{
    // From 6 pixels above the groove to 1 pixel below it.
    return QRect(tickX(v) - ThumbWidth / 2, m_trackOffset - 6, ThumbWidth, GrooveHeight + 9);
}

QSize TrackBar::sizeHint() const
{
    return QSize(200, m_trackOffset + GrooveHeight + 3);
}

QSize TrackBar::minimumSizeHint() const
{
    return QSize(ThumbWidth + 2 * Margin + 1, m_trackOffset + GrooveHeight + 3);
}

void TrackBar::invalidateBackground()
{
    m_backgroundValid = false;
    update();
}

void TrackBar::rebuildBackground()
{
    const qreal dpr = devicePixelRatioF();
    QPixmap pixmap((QSizeF(size()) * dpr).toSize());
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter canvas(&pixmap);
        canvas.setFont(font());
        canvas.setPen(palette().color(foregroundRole()));

        canvas.save();
        if (m_trackHandler)
            m_trackHandler(*this, canvas, trackRect());
        else
            sliderscale::drawGroove(canvas, trackRect(), palette());
        canvas.restore();

        if (m_tickHandler) {
            const qint64 step = m_tickStep;
            qint64 v = qint64(std::ceil(double(minimum()) / double(step))) * step;
            for (; v <= maximum(); v += step) {
                canvas.save();
                m_tickHandler(*this, canvas, QPoint(tickX(int(v)), 0), int(v));
                canvas.restore();
            }
        }
    }
    m_background = pixmap;
    m_backgroundSize = size();
    m_backgroundValid = true;
}

void TrackBar::paintThumb(QPainter &painter, const QRect &r) const
{
    // A button-coloured pentagon pointing up at the scale: a dark outline, a
    // light inner edge on the left and top, a shadow inside the right and
    // bottom. Darker while focused or held, so the keyboard's target shows.
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    const int cx = l + ThumbWidth / 2;
    const int shoulder = t + ThumbWidth / 2;
    const QPolygon outline({QPoint(l, shoulder), QPoint(cx, t), QPoint(rt, shoulder),
                            QPoint(rt, b), QPoint(l, b)});
    const QPalette &pal = palette();
    QColor face = pal.color(QPalette::Button);
    if (hasFocus())
        face = face.darker(110);
    if (m_dragging)
        face = face.darker(110);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pal.color(QPalette::Shadow));
    painter.setBrush(face);
    painter.drawPolygon(outline);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pal.color(QPalette::Light));
    painter.drawPolyline(QPolygon({QPoint(l + 1, b - 1), QPoint(l + 1, shoulder), QPoint(cx, t + 1)}));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawPolyline(QPolygon({QPoint(cx + 1, t + 2), QPoint(rt - 1, shoulder), QPoint(rt - 1, b - 1),
                                   QPoint(l + 2, b - 1)}));
    painter.restore();
}

void TrackBar::paintEvent(QPaintEvent *)
{
    if (!m_backgroundValid || m_backgroundSize != size()
        || m_background.devicePixelRatio() != devicePixelRatioF())
        rebuildBackground();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    paintThumb(painter, thumbRect());
    m_paintedValue = value();
}

void TrackBar::resizeEvent(QResizeEvent *event)
{
    QSlider::resizeEvent(event);
    // paintEvent rebuilds the background when the size no longer matches it
    // (a hidden widget's grab() may replay a resize of the same size).
    if (event->size() != m_backgroundSize)
        update();
}

void TrackBar::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        invalidateBackground();
        break;
    default:
        break;
    }
    QSlider::changeEvent(event);
}

void TrackBar::sliderChange(SliderChange change)
{
    if (change == SliderValueChange) {
        // Only the thumb's old and new places; the background comes from the cache.
        update(thumbRectAt(m_paintedValue));
        update(thumbRect());
        emit changed(value());
        return;
    }
    if (change == SliderRangeChange)
        invalidateBackground();
    QSlider::sliderChange(change);
}

void TrackBar::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    emit keyDown(key);
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_PageUp: setPosition(value() + pageStep()); break;
    case Qt::Key_PageDown: setPosition(value() - pageStep()); break;
    case Qt::Key_End: setPosition(maximum()); break;
    case Qt::Key_Home: setPosition(minimum()); break;
    case Qt::Key_Left:
    case Qt::Key_Down: setPosition(value() - 1); break;
    case Qt::Key_Right:
    case Qt::Key_Up: setPosition(value() + 1); break;
    case Qt::Key_Minus:
        if (!keypad) { event->ignore(); return; }
        setPosition(value() - 1);
        break;
    case Qt::Key_Plus:
        if (!keypad) { event->ignore(); return; }
        setPosition(value() + 1);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TrackBar::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats its key-down only, so the window recalculates once,
    // when the key is finally released.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    emit keyUp(event->key());
    event->accept();
}

void TrackBar::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
    if (event->button() == Qt::LeftButton) {
        const qreal x = event->position().x();
        if (thumbRect().contains(event->position().toPoint())) {
            m_grabOffset = x - tickX(value());
        } else {
            m_grabOffset = 0;
            setPosition(valueAtX(x));
        }
        m_dragging = true;
        setSliderDown(true);
        update(thumbRect());
    }
    event->accept();
}

void TrackBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        setPosition(valueAtX(event->position().x() - m_grabOffset));
    event->accept();
}

void TrackBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        setSliderDown(false);
        update(thumbRect());
    }
    event->accept();
    emit mouseUp(event->button());
}

void TrackBar::wheelEvent(QWheelEvent *event)
{
    // The wheel would move the slider without a press or release, so the
    // window would show results for a value the slider no longer holds.
    event->ignore();
}
