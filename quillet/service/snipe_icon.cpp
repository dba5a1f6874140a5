// SPDX-License-Identifier: MIT
#include "quillet/service/snipe_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quillet
{

namespace
{

// Cross-hairs, drawn on a 24-unit grid and scaled to the size asked for.
QPixmap crossHairs(int size, const QColor& ring, const QColor& centre)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(QPen(ring, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, 4, 16, 16));
    p.setPen(QPen(ring, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12, 1), QPointF(12, 8));
    p.drawLine(QPointF(12, 16), QPointF(12, 23));
    p.drawLine(QPointF(1, 12), QPointF(8, 12));
    p.drawLine(QPointF(16, 12), QPointF(23, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(centre);
    p.drawEllipse(QRectF(10, 10, 4, 4));
    return pixmap;
}

} // namespace

QIcon SnipeIcon()
{
    QIcon icon;
    for (const int size : { 16, 24, 32 }) {
        icon.addPixmap(crossHairs(size, QColor(64, 64, 64), QColor(128, 0, 0)), QIcon::Normal);
        icon.addPixmap(crossHairs(size, QColor(220, 0, 0), QColor(255, 160, 0)), QIcon::Active);
    }
    return icon;
}

} // namespace quillet
