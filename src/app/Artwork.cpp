#include "app/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace Artwork {

namespace {

QFont SansFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A faint price chart across the band: candles along a gently rising line.
void DrawChartTexture(QPainter &p, const QRect &area, int seed)
{
    p.save();
    p.setPen(Qt::NoPen);
    const int step = 14;
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1u;
    const double h = area.height();
    for (int x = area.left() + step; x < area.right(); x += step) {
        state = state * 1103515245u + 12345u;
        // a slow rise with some noise, through the lower half of the band
        const double t = double(x - area.left()) / area.width();
        const double noise = ((state >> 16) % 17) / 16.0 - 0.5;
        const double level = h * (0.82 - 0.3 * t + 0.08 * std::sin(t * 9 + seed) + 0.08 * noise);
        const int body = 5 + static_cast<int>((state >> 8) % 9);
        const bool up = noise >= 0;
        p.setBrush(up ? QColor(120, 190, 255, 40) : QColor(255, 255, 255, 26));
        p.drawRect(QRectF(x, area.top() + level - body / 2.0, 6, body));
        p.fillRect(QRectF(x + 2.5, area.top() + level - body, 1, body * 2.0),
                   QColor(255, 255, 255, 30));
    }
    p.restore();
}

void DrawLogo(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, QColor(255, 200, 96));
    fill.setColorAt(1, Accent.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const double r = box.width() * 0.22;
    p.drawRoundedRect(box, r, r);
    QPainterPath line;
    const double w = box.width(), h = box.height();
    line.moveTo(box.left() + w * 0.16, box.top() + h * 0.72);
    line.lineTo(box.left() + w * 0.38, box.top() + h * 0.50);
    line.lineTo(box.left() + w * 0.55, box.top() + h * 0.62);
    line.lineTo(box.left() + w * 0.84, box.top() + h * 0.26);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Navy, std::max(1.5, w * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
    p.restore();
}

QImage Band(const QSize &size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient back(0, 0, size.width(), size.height());
    back.setColorAt(0, Navy);
    back.setColorAt(1, Steel);
    p.fillRect(image.rect(), back);
    DrawChartTexture(p, image.rect(), seed);
    return image;
}

}  // namespace

QImage HeaderPicture(const QSize &size)
{
    QImage image = Band(size, 7);
    QPainter p(&image);
    const int h = size.height();
    DrawLogo(p, QRectF(18, h * 0.18, h * 0.64, h * 0.64));
    p.setRenderHint(QPainter::TextAntialiasing);
    const int textLeft = 18 + static_cast<int>(h * 0.64) + 14;
    p.setPen(Qt::white);
    p.setFont(SansFont(22, true));
    p.drawText(QRect(textLeft, 0, size.width(), h * 0.62), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Zentrin"));
    p.setPen(QColor(200, 218, 240));
    p.setFont(SansFont(9.5, false));
    p.drawText(QRect(textLeft + 2, h * 0.62, size.width(), h * 0.38), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Small cap stock screener"));
    p.setPen(QColor(200, 218, 240));
    p.setFont(SansFont(9, false));
    p.drawText(QRect(0, 0, size.width() - 18, h), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Every stock from $0 to $5, on your desktop"));
    return image;
}

QImage SplashPicture(const QSize &size)
{
    QImage image = Band(size, 3);
    QPainter p(&image);
    const int w = size.width(), h = size.height();
    const double side = h * 0.34;
    DrawLogo(p, QRectF((w - side) / 2, h * 0.12, side, side));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::white);
    p.setFont(SansFont(26, true));
    p.drawText(QRect(0, h * 0.50, w, h * 0.18), Qt::AlignCenter, QStringLiteral("Zentrin 2.0"));
    p.setPen(QColor(200, 218, 240));
    p.setFont(SansFont(10, false));
    p.drawText(QRect(0, h * 0.68, w, h * 0.1), Qt::AlignCenter,
               QStringLiteral("Small cap stock screener"));
    p.setFont(SansFont(8, false));
    p.drawText(QRect(0, h * 0.86, w, h * 0.1), Qt::AlignCenter,
               QStringLiteral("Loading your stock list..."));
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage Logo(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    DrawLogo(p, QRectF(0.5, 0.5, side - 1.0, side - 1.0));
    return image;
}

}  // namespace Artwork
