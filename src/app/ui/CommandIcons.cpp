#include "app/ui/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <functional>

namespace sm {

namespace {

// Pictures are drawn on a 26 x 28 grid, the tool bar's picture size.
constexpr int kWidth = 26;
constexpr int kHeight = 28;

QIcon Drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(kWidth * 2, kHeight * 2);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    draw(p);
    p.end();
    pixmap.setDevicePixelRatio(2);
    return QIcon(pixmap);
}

void Folder(QPainter& p)
{
    p.setBrush(QColor(240, 200, 80));
    QPolygonF shape({{2, 7}, {10, 7}, {12, 9}, {24, 9}, {24, 23}, {2, 23}});
    p.drawPolygon(shape);
}

void Camera(QPainter& p)
{
    p.setBrush(QColor(90, 110, 140));
    p.drawRoundedRect(QRectF(2, 9, 22, 14), 2, 2);
    p.drawRect(QRectF(8, 6, 8, 3));
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QPointF(13, 16), 5, 5);
}

void Cross(QPainter& p)
{
    p.setPen(QPen(QColor(200, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 7), QPointF(20, 21));
    p.drawLine(QPointF(20, 7), QPointF(6, 21));
}

void Disk(QPainter& p)
{
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(3, 4, 20, 20));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 4, 12, 8));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 16, 12, 8));
}

void Picture(QPainter& p)
{
    p.setBrush(QColor(220, 240, 255));
    p.drawRect(QRectF(2, 5, 22, 18));
    p.setBrush(QColor(80, 160, 80));
    p.drawPolygon(QPolygonF({{3, 22}, {10, 12}, {15, 18}, {18, 15}, {23, 22}}));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(18, 9), 2, 2);
}

void Grid(QPainter& p)
{
    p.setBrush(QColor(140, 170, 210));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(3 + col * 7, 5 + row * 6.5, 6, 5));
}

void Stack(QPainter& p)
{
    for (int i = 2; i >= 0; --i) {
        p.setBrush(QColor(180 - i * 30, 200 - i * 30, 230));
        p.drawRect(QRectF(3 + i * 3, 4 + i * 3, 15, 15));
    }
}

void Gear(QPainter& p)
{
    p.setBrush(QColor(150, 150, 160));
    QPainterPath path;
    path.addEllipse(QPointF(13, 14), 8, 8);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(13, 14);
        p.rotate(i * 45);
        p.drawRect(QRectF(-1.5, -11, 3, 4));
        p.restore();
    }
    p.drawPath(path);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(13, 14), 3, 3);
}

void Door(QPainter& p)
{
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(5, 3, 13, 22));
    p.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(24, 14));
    p.drawLine(QPointF(20, 10), QPointF(24, 14));
    p.drawLine(QPointF(20, 18), QPointF(24, 14));
}

void PlayShape(QPainter& p)
{
    p.setBrush(QColor(40, 150, 60));
    p.drawPolygon(QPolygonF({{7, 5}, {21, 14}, {7, 23}}));
}

void PauseShape(QPainter& p)
{
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(7, 6, 4, 16));
    p.drawRect(QRectF(15, 6, 4, 16));
}

void StopShape(QPainter& p)
{
    p.setBrush(QColor(190, 50, 50));
    p.drawRect(QRectF(6, 7, 14, 14));
}

void Rewind(QPainter& p)
{
    p.setBrush(QColor(60, 90, 170));
    p.drawPolygon(QPolygonF({{13, 7}, {3, 14}, {13, 21}}));
    p.drawPolygon(QPolygonF({{23, 7}, {13, 14}, {23, 21}}));
}

void FastForward(QPainter& p)
{
    p.setBrush(QColor(60, 90, 170));
    p.drawPolygon(QPolygonF({{3, 7}, {13, 14}, {3, 21}}));
    p.drawPolygon(QPolygonF({{13, 7}, {23, 14}, {13, 21}}));
}

}  // namespace

QIcon CommandIcon(const QString& name)
{
    static const std::pair<const char*, void (*)(QPainter&)> kPictures[] = {
        {"ActOpenVideo", Folder},     {"ActAutoCapture", Camera},
        {"ActCaptureFrame", Camera},  {"ActRemoveSelShots", Cross},
        {"ActSaveShots", Disk},       {"ActViewShots", Picture},
        {"ActMakeThumb", Grid},       {"ActBatch", Stack},
        {"ActStandardOptions", Gear}, {"ActExit", Door},
        {"ActPlayVideo", PlayShape},  {"ActPauseVideo", PauseShape},
        {"ActStopVideo", StopShape},  {"btnBackward", Rewind},
        {"btnForward", FastForward},
    };
    for (const auto& [key, draw] : kPictures)
        if (name == QLatin1String(key))
            return Drawn(draw);
    return {};
}

}  // namespace sm
