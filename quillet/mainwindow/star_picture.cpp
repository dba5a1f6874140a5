// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/star_picture.h"

#include <QtMath>

namespace quillet
{

namespace star_picture
{

namespace
{
// The window icon is the first busy frame as drawn for the large button.
constexpr double kIconDesignSize = 32;
constexpr int kIconPicture = 1;
} // namespace

QPainterPath StarPath(QPointF centre, double outer, double inner, double turn)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = turn + i * M_PI / 5 - M_PI / 2;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void DrawStar(QPainter& p, double size, int picture)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    const double outer = size * 0.46;
    if (picture >= 1 && picture <= 6) {
        // The star turns and glows through the six frames.
        const QColor colour = QColor::fromHsv(30 + picture * 8, 255, 200 + picture * 9);
        p.setPen(QPen(colour.darker(140), 1));
        p.setBrush(colour);
        p.drawPath(StarPath(centre, outer, outer * 0.45, picture * M_PI / 15));
    } else {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawPath(StarPath(centre, outer, outer * 0.45, 0));
    }
}

void DrawWindowIcon(QPainter& p, double size)
{
    // Scaling the whole drawing keeps the outline in proportion at every size.
    p.save();
    p.scale(size / kIconDesignSize, size / kIconDesignSize);
    DrawStar(p, kIconDesignSize, kIconPicture);
    p.restore();
}

} // namespace star_picture

} // namespace quillet
