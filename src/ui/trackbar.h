#pragma once

// TrackBar: the calculator window's horizontal slider.
//
// The window paints the scale: a tick handler draws the label of every
// multiple of tickStep() and a track handler draws the groove (without one,
// sliderscale::drawGroove paints it). Both are painted once into a cached
// background pixmap, rebuilt only on resize, range, handler, palette or font
// changes; the thumb is drawn by the slider itself on top. A position change
// repaints only the old and the new thumb rectangles from that cache, so the
// handlers do not run while the thumb moves.
//
// Geometry: the thumb is ThumbWidth (11) pixels wide and travels from x = 4
// to x = width - 4; tickX() gives the thumb's centre for a value. The groove
// is 8 pixels high, trackOffset() pixels below the top edge.
//
// Keys and mouse follow the window's contract: key-down and mouse-down
// notifications come before the position moves, key-up and mouse-up after.

#include <QPixmap>
#include <QSlider>

#include <functional>

class TrackBar : public QSlider
{
    Q_OBJECT
public:
    static constexpr int ThumbWidth = 11;
    static constexpr int GrooveHeight = 8;
    static constexpr int Margin = 4;

    // Horizontal, focus by click only (not a tab stop).
    explicit TrackBar(QWidget *parent = nullptr);

    int position() const { return value(); }
    // Clamped to the range; an actual change emits changed().
    void setPosition(int p);

    int tickStep() const { return m_tickStep; }
    void setTickStep(int step);
    int trackOffset() const { return m_trackOffset; }
    void setTrackOffset(int px);

    using DrawTickHandler = std::function<void(TrackBar &bar, QPainter &canvas, QPoint location, int index)>;
    using DrawTrackHandler = std::function<void(TrackBar &bar, QPainter &canvas, const QRect &bounds)>;
    // Called once per multiple of tickStep() in the range, in increasing
    // order, with location = (tickX(value), 0).
    void setDrawTickHandler(DrawTickHandler h);
    // Called once per background painting instead of the slider's own groove.
    void setDrawTrackHandler(DrawTrackHandler h);

    // The thumb centre's x for a value: the value's share of the range times
    // (width - ThumbWidth - 8), truncated, plus 4 + ThumbWidth / 2.
    int tickX(int value) const;
    QRect trackRect() const;                  // the groove
    QRect thumbRect() const { return thumbRectAt(value()); }
    QRect thumbRectAt(int value) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed(int position);              // every actual position change
    void keyDown(int key);                   // before the key moves the position
    void keyUp(int key);
    void mouseDown(Qt::MouseButton button);  // before the press moves the thumb
    void mouseUp(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void sliderChange(SliderChange change) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    int valueAtX(qreal x) const;
    int travel() const;
    void invalidateBackground();
    void rebuildBackground();
    void paintThumb(QPainter &painter, const QRect &r) const;

    int m_tickStep = 1;
    int m_trackOffset = 24;
    int m_paintedValue = 0;
    bool m_dragging = false;
    qreal m_grabOffset = 0;
    bool m_backgroundValid = false;
    QPixmap m_background;
    QSize m_backgroundSize;
    DrawTickHandler m_tickHandler;
    DrawTrackHandler m_trackHandler;
};
