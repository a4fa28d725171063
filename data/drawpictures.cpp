// Draws Orvanel's own pictures: the application icon at the hicolor sizes and
// the About window's logo. Not part of the build; run it after changing a
// picture and commit the PNGs it writes:
//   c++ -std=c++20 -fPIC drawpictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o drawpictures
//   QT_QPA_PLATFORM=offscreen ./drawpictures <repository root>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Slate(79, 121, 151);
const QColor DeepSlate(44, 74, 99);
const QColor Gold(236, 178, 62);
const QColor Leaf(92, 170, 96);

// The emblem in a 256-unit square: a card on a slate tile, with bars that
// step down to nothing, a balance being paid off.
void drawEmblem(QPainter &p, const QRectF &target)
{
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / 256.0, target.height() / 256.0);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, Slate);
    tile.setColorAt(1, DeepSlate);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);

    // The card.
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(QRectF(34, 58, 188, 124), 16, 16);
    p.setBrush(DeepSlate);
    p.drawRect(QRectF(34, 80, 188, 24));
    p.setBrush(Gold);
    p.drawRoundedRect(QRectF(52, 118, 36, 28), 5, 5);

    // Bars stepping down.
    p.setBrush(Leaf);
    const double heights[] = {96, 70, 46, 24};
    for (int i = 0; i < 4; ++i) {
        const double x = 110 + i * 28;
        p.drawRoundedRect(QRectF(x, 224 - heights[i], 20, heights[i]), 4, 4);
    }
    p.restore();
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawEmblem(p, QRectF(0, 0, size, size));
    return image;
}

QImage logo()
{
    QImage image(350, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawEmblem(p, QRectF(8, 8, 80, 80));

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(26);
    name.setBold(true);
    p.setFont(name);
    p.setPen(DeepSlate);
    p.drawText(QRectF(100, 14, 245, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Example Software"));

    QFont tag(QStringLiteral("Liberation Sans"));
    tag.setPixelSize(14);
    p.setFont(tag);
    p.setPen(QColor(96, 104, 112));
    p.drawText(QRectF(102, 54, 245, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Calculators for everyday money"));
    p.setPen(QPen(Gold, 3));
    p.drawLine(QPointF(102, 52), QPointF(338, 52));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888); // 24-bit colour
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QDir root(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString dir = root.filePath(QStringLiteral("data/icons/hicolor/%1x%1/apps").arg(size));
        QDir().mkpath(dir);
        ok = icon(size).save(dir + QStringLiteral("/orvanel.png")) && ok;
    }
    QDir().mkpath(root.filePath(QStringLiteral("src/app/pictures")));
    ok = logo().save(root.filePath(QStringLiteral("src/app/pictures/logo.png"))) && ok;
    return ok ? 0 : 1;
}
