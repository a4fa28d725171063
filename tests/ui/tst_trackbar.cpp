// TrackBar and the slider scale painting: position and keys, mouse, tick
// positions, the painting handlers' order and the cached background.

#include "ui/sliderscale.h"
#include "ui/trackbar.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

// The balance slider as the window sets it up.
struct BalanceBar
{
    TrackBar bar;
    QStringList events;
    BalanceBar()
    {
        bar.resize(440, 35);
        bar.setRange(0, 50000);
        bar.setPageStep(100);
        bar.setTickStep(5000);
        bar.setPosition(2100);
        QObject::connect(&bar, &TrackBar::keyDown, [this](int) { events << QStringLiteral("keyDown"); });
        QObject::connect(&bar, &TrackBar::keyUp, [this](int) { events << QStringLiteral("keyUp"); });
        QObject::connect(&bar, &TrackBar::mouseDown, [this](Qt::MouseButton) { events << QStringLiteral("mouseDown"); });
        QObject::connect(&bar, &TrackBar::mouseUp, [this](Qt::MouseButton) { events << QStringLiteral("mouseUp"); });
        QObject::connect(&bar, &TrackBar::changed, [this](int p) { events << QStringLiteral("changed %1").arg(p); });
    }
};

// Records the region of every paint event.
class RecordingBar : public TrackBar
{
public:
    QList<QRegion> painted;
protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted << event->region();
        TrackBar::paintEvent(event);
    }
};

} // namespace

class TestTrackBar : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void configuration();
    void setPositionClampsAndNotifiesOnChange();
    void keys_data();
    void keys();
    void autoRepeatReleaseIsNotKeyUp();
    void mouse_data();
    void mouse();
    void wheelDoesNotMove();
    void tickX_data();
    void tickX();
    void handlersRunGrooveThenTicks_data();
    void handlersRunGrooveThenTicks();
    void handlersRunOnlyWhenBackgroundRebuilt();
    void positionChangeRepaintsOnlyThumbs();

    void tickLabelText_data();
    void tickLabelText();
    void grooveFrameAndFill();
    void tickLabelCentredWithoutBackground();
};

void TestTrackBar::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestTrackBar::configuration()
{
    TrackBar bar;
    QCOMPARE(bar.orientation(), Qt::Horizontal);
    QCOMPARE(bar.focusPolicy(), Qt::ClickFocus);
    bar.resize(440, 35);
    QCOMPARE(bar.trackRect().top(), 24);
    QCOMPARE(bar.trackRect().height(), 8);
    bar.setTrackOffset(20);
    QCOMPARE(bar.trackRect().top(), 20);
}

void TestTrackBar::setPositionClampsAndNotifiesOnChange()
{
    BalanceBar f;
    f.bar.setPosition(60000);
    f.bar.setPosition(60000);
    f.bar.setPosition(50000);
    f.bar.setPosition(-5);
    QCOMPARE(f.events, QStringList({"changed 50000", "changed 0"}));
    QCOMPARE(f.bar.position(), 0);
}

void TestTrackBar::keys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");

    const int none = Qt::NoModifier, keypad = Qt::KeypadModifier;
    QTest::newRow("page up") << 2100 << int(Qt::Key_PageUp) << none << 2200;
    QTest::newRow("page down") << 2100 << int(Qt::Key_PageDown) << none << 2000;
    QTest::newRow("page up clamps at the end") << 49950 << int(Qt::Key_PageUp) << none << 50000;
    QTest::newRow("page down clamps at zero") << 50 << int(Qt::Key_PageDown) << none << 0;
    QTest::newRow("end") << 2100 << int(Qt::Key_End) << none << 50000;
    QTest::newRow("home") << 2100 << int(Qt::Key_Home) << none << 0;
    QTest::newRow("left") << 2100 << int(Qt::Key_Left) << none << 2099;
    QTest::newRow("down") << 2100 << int(Qt::Key_Down) << none << 2099;
    QTest::newRow("right") << 2100 << int(Qt::Key_Right) << none << 2101;
    QTest::newRow("up") << 2100 << int(Qt::Key_Up) << none << 2101;
    QTest::newRow("keypad minus") << 2100 << int(Qt::Key_Minus) << keypad << 2099;
    QTest::newRow("keypad plus") << 2100 << int(Qt::Key_Plus) << keypad << 2101;
    QTest::newRow("main keyboard minus does not move") << 2100 << int(Qt::Key_Minus) << none << 2100;
    QTest::newRow("left at zero does not move") << 0 << int(Qt::Key_Left) << none << 0;
    QTest::newRow("letter does not move") << 2100 << int(Qt::Key_A) << none << 2100;
}

void TestTrackBar::keys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    BalanceBar f;
    f.bar.setPosition(start);
    f.events.clear();
    QTest::keyClick(&f.bar, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(f.bar.position(), expected);
    // Key-down before the move, key-up after it, for every key.
    QStringList order{"keyDown"};
    if (expected != start)
        order << QStringLiteral("changed %1").arg(expected);
    order << "keyUp";
    QCOMPARE(f.events, order);
}

void TestTrackBar::autoRepeatReleaseIsNotKeyUp()
{
    BalanceBar f;
    f.events.clear();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    for (QKeyEvent *e : {&press, &repeatRelease, &repeatPress, &release})
        QApplication::sendEvent(&f.bar, e);
    QCOMPARE(f.events, QStringList({"keyDown", "changed 2101", "keyDown", "changed 2102", "keyUp"}));
}

void TestTrackBar::mouse_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("pressX");
    QTest::addColumn<int>("moveX");   // -1: no move
    QTest::addColumn<int>("expected");

    // 440 wide: thumb centres from 9 (0) to 430 (50000); 2100 stands at 26.
    QTest::newRow("press on the thumb does not move it") << int(Qt::LeftButton) << 26 << -1 << 2100;
    QTest::newRow("drag the thumb to the right end") << int(Qt::LeftButton) << 26 << 430 << 50000;
    QTest::newRow("drag beyond the end clamps") << int(Qt::LeftButton) << 26 << 600 << 50000;
    QTest::newRow("drag rounds to the nearest") << int(Qt::LeftButton) << 26 << 219 << 24941;
    QTest::newRow("drag keeps the grab offset") << int(Qt::LeftButton) << 29 << 222 << 24941;
    QTest::newRow("press on the groove jumps there") << int(Qt::LeftButton) << 430 << -1 << 50000;
    QTest::newRow("press on the groove left end") << int(Qt::LeftButton) << 9 << -1 << 0;
    QTest::newRow("right button only notifies") << int(Qt::RightButton) << 430 << 300 << 2100;
}

void TestTrackBar::mouse()
{
    QFETCH(int, button);
    QFETCH(int, pressX);
    QFETCH(int, moveX);
    QFETCH(int, expected);
    BalanceBar f;
    f.events.clear();
    const Qt::MouseButton b = Qt::MouseButton(button);
    QTest::mousePress(&f.bar, b, {}, QPoint(pressX, 28));
    if (moveX >= 0) {
        QMouseEvent move(QEvent::MouseMove, QPointF(moveX, 28), f.bar.mapToGlobal(QPointF(moveX, 28)),
                         Qt::NoButton, b, Qt::NoModifier);
        QApplication::sendEvent(&f.bar, &move);
    }
    QTest::mouseRelease(&f.bar, b, {}, QPoint(moveX >= 0 ? moveX : pressX, 28));
    QCOMPARE(f.bar.position(), expected);
    QCOMPARE(f.events.first(), QStringLiteral("mouseDown"));
    QCOMPARE(f.events.last(), QStringLiteral("mouseUp"));
    QCOMPARE(f.events.size(), expected == 2100 ? 2 : 3);
}

void TestTrackBar::wheelDoesNotMove()
{
    BalanceBar f;
    f.events.clear();
    QWheelEvent wheel(QPointF(100, 20), f.bar.mapToGlobal(QPointF(100, 20)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&f.bar, &wheel);
    QCOMPARE(f.bar.position(), 2100);
    QVERIFY(f.events.isEmpty());
}

void TestTrackBar::tickX_data()
{
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("x");
    // Travel 440 - 11 - 8 = 421; the centre at 4 + 5 for the lower end.
    QTest::newRow("balance 0") << 50000 << 0 << 9;
    QTest::newRow("balance upper end") << 50000 << 50000 << 430;
    QTest::newRow("balance 2100 truncated") << 50000 << 2100 << 26;       // 17.68
    QTest::newRow("balance middle truncated") << 50000 << 25000 << 219;   // 210.5
    QTest::newRow("rate 4%") << 3600 << 400 << 55;                        // 46.78
    QTest::newRow("percent upper end") << 120 << 120 << 430;
}

void TestTrackBar::tickX()
{
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(int, x);
    TrackBar bar;
    bar.resize(440, 35);
    bar.setRange(0, maximum);
    QCOMPARE(bar.tickX(value), x);
    QCOMPARE(bar.thumbRectAt(value).center().x(), x);
}

void TestTrackBar::handlersRunGrooveThenTicks_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<int>>("ticks");

    QTest::newRow("balance") << 0 << 50000 << 5000
                             << QList<int>{0, 5000, 10000, 15000, 20000, 25000, 30000, 35000, 40000, 45000, 50000};
    QTest::newRow("rate") << 0 << 3600 << 400 << QList<int>{0, 400, 800, 1200, 1600, 2000, 2400, 2800, 3200, 3600};
    QTest::newRow("percent") << 0 << 120 << 20 << QList<int>{0, 20, 40, 60, 80, 100, 120};
    QTest::newRow("range off the multiples") << -15 << 47 << 10 << QList<int>{-10, 0, 10, 20, 30, 40};
}

void TestTrackBar::handlersRunGrooveThenTicks()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, step);
    QFETCH(QList<int>, ticks);
    TrackBar bar;
    bar.resize(440, 35);
    bar.setRange(minimum, maximum);
    bar.setTickStep(step);
    QStringList calls;
    QStringList expected{QStringLiteral("track %1,%2 %3x%4").arg(4).arg(24).arg(432).arg(8)};
    for (int v : ticks)
        expected << QStringLiteral("tick %1 at %2,0").arg(v).arg(bar.tickX(v));
    bar.setDrawTrackHandler([&](TrackBar &b, QPainter &, const QRect &r) {
        QCOMPARE(&b, &bar);
        calls << QStringLiteral("track %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    });
    bar.setDrawTickHandler([&](TrackBar &, QPainter &, QPoint at, int index) {
        calls << QStringLiteral("tick %1 at %2,%3").arg(index).arg(at.x()).arg(at.y());
    });
    bar.grab();
    QCOMPARE(calls, expected);
}

void TestTrackBar::handlersRunOnlyWhenBackgroundRebuilt()
{
    BalanceBar f;
    int tracks = 0, ticks = 0;
    f.bar.setDrawTrackHandler([&](TrackBar &, QPainter &, const QRect &) { ++tracks; });
    f.bar.setDrawTickHandler([&](TrackBar &, QPainter &, QPoint, int) { ++ticks; });
    f.bar.grab();
    QCOMPARE(tracks, 1);
    QCOMPARE(ticks, 11);

    for (int p : {0, 2500, 50000, 17})
        f.bar.setPosition(p);
    QTest::keyClick(&f.bar, Qt::Key_PageUp);
    f.bar.grab();
    QCOMPARE(tracks, 1);
    QCOMPARE(ticks, 11);

    f.bar.resize(500, 35);            // new geometry: the background is painted again
    f.bar.grab();
    QCOMPARE(tracks, 2);
    f.bar.setFont(QFont(f.bar.font().family(), 12));
    f.bar.grab();
    QCOMPARE(tracks, 3);
    f.bar.setRange(0, 3600);          // new scale
    f.bar.setTickStep(400);
    f.bar.grab();
    QCOMPARE(tracks, 4);
    QCOMPARE(ticks, 11 + 11 + 11 + 10);
}

void TestTrackBar::positionChangeRepaintsOnlyThumbs()
{
    RecordingBar bar;
    bar.resize(440, 35);
    bar.setRange(0, 50000);
    bar.setPosition(2100);
    bar.show();
    QVERIFY(QTest::qWaitForWindowActive(&bar));
    QTRY_VERIFY(!bar.painted.isEmpty());
    QCoreApplication::processEvents();
    bar.painted.clear();

    const QRect before = bar.thumbRect();
    bar.setPosition(30000);
    const QRect after = bar.thumbRect();
    QTRY_VERIFY(!bar.painted.isEmpty());
    QRegion all;
    for (const QRegion &r : std::as_const(bar.painted))
        all += r;
    QCOMPARE(all, QRegion(before) + QRegion(after));
}

void TestTrackBar::tickLabelText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("text");
    QTest::newRow("balance end") << 50000 << 1000 << "k" << "50k";
    QTest::newRow("balance start") << 0 << 1000 << "k" << "0k";
    QTest::newRow("rate end") << 3600 << 100 << "%" << "36%";
    QTest::newRow("percent end") << 120 << 10 << "%" << "12%";
    QTest::newRow("remainder dropped") << 2500 << 1000 << "k" << "2k";
    QTest::newRow("no group separator") << 1234567 << 1 << "" << "1234567";
}

void TestTrackBar::tickLabelText()
{
    QFETCH(int, index);
    QFETCH(int, divisor);
    QFETCH(QString, suffix);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // must not matter
    QCOMPARE(sliderscale::tickLabelText(index, divisor, suffix), text);
}

void TestTrackBar::grooveFrameAndFill()
{
    QImage image(30, 12, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPalette palette;
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::Light, QColor(255, 255, 255));
    {
        QPainter canvas(&image);
        sliderscale::drawGroove(canvas, QRect(2, 2, 20, 8), palette);
    }
    const QRgb dark = qRgb(128, 128, 128), light = qRgb(255, 255, 255), fill = qRgb(192, 220, 192);
    QCOMPARE(image.pixel(2, 2), dark);     // top-left corner
    QCOMPARE(image.pixel(10, 2), dark);    // top edge
    QCOMPARE(image.pixel(2, 6), dark);     // left edge
    QCOMPARE(image.pixel(21, 6), light);   // right edge: last column inside
    QCOMPARE(image.pixel(10, 9), light);   // bottom edge: last row inside
    QCOMPARE(image.pixel(3, 3), fill);
    QCOMPARE(image.pixel(20, 8), fill);
    QCOMPARE(qAlpha(image.pixel(22, 6)), 0);  // nothing outside the rectangle
    QCOMPARE(qAlpha(image.pixel(10, 10)), 0);
    QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
}

namespace {

// The bounding box of everything painted, and how many pixels were.
QRect inkBounds(const QImage &image, int *count = nullptr)
{
    QRect box;
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) {
                box |= QRect(x, y, 1, 1);
                ++ink;
            }
    if (count)
        *count = ink;
    return box;
}

QImage labelImage(const QString &text, int *pointSize = nullptr)
{
    QImage image(120, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter canvas(&image);
    canvas.setPen(Qt::black);
    sliderscale::drawTickLabel(canvas, QPoint(60, 4), 24, text);
    if (pointSize)
        *pointSize = canvas.font().pointSize();
    return image;
}

} // namespace

void TestTrackBar::tickLabelCentredWithoutBackground()
{
    // "50k" at a tick at (60, 4): centred on the tick and on the middle of its
    // box (4 above the tick down to 24 below it: middle at 14), drawn as glyphs
    // only; the box itself spans x 48..71 and y 0..27.
    int pointSize = 0, ink = 0;
    const QRect label = inkBounds(labelImage(QStringLiteral("50k"), &pointSize), &ink);
    QCOMPARE(pointSize, 7);
    QVERIFY2(qAbs(label.center().x() - 60) <= 1, qPrintable(QStringLiteral("x %1").arg(label.center().x())));
    QVERIFY2(qAbs(label.center().y() - 14) <= 2, qPrintable(QStringLiteral("y %1").arg(label.center().y())));
    QVERIFY(ink > 0 && ink < label.width() * label.height()); // no filled background

    // An over-long label stays clipped to its box.
    const QRect longLabel = inkBounds(labelImage(QString(40, u'W')));
    QVERIFY2(QRect(48, 0, 24, 28).contains(longLabel),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(longLabel.x()).arg(longLabel.y())
                            .arg(longLabel.width()).arg(longLabel.height())));
}

QTEST_MAIN(TestTrackBar)
#include "tst_trackbar.moc"
