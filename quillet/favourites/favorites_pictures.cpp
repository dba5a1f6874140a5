// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_pictures.h"

#include "quillet/favourites/favorites_walk.h"

#include <QPainter>
#include <QPainterPath>

namespace quillet
{

namespace favorites_pictures
{

namespace
{

const QColor kFolderEdge(150, 110, 20);
const QColor kFolderBack(230, 185, 60);
const QColor kFolderFront(250, 215, 100);

void drawClosedFolder(QPainter& p)
{
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(kFolderBack);
    p.drawPolygon(QPolygonF({ { 1.5, 3.5 }, { 6, 3.5 }, { 7.5, 5 }, { 14.5, 5 }, { 14.5, 13.5 }, { 1.5, 13.5 } }));
    p.setBrush(kFolderFront);
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

void drawOpenFolder(QPainter& p)
{
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(kFolderBack);
    p.drawPolygon(QPolygonF({ { 1.5, 3.5 }, { 6, 3.5 }, { 7.5, 5 }, { 13.5, 5 }, { 13.5, 7 }, { 1.5, 13.5 } }));
    p.setBrush(kFolderFront);
    p.drawPolygon(QPolygonF({ { 4, 7.5 }, { 15.5, 7.5 }, { 12.5, 13.5 }, { 1.5, 13.5 } }));
}

// A blue globe with a gold orbit: the browser's logo.
void drawLogo(QPainter& p, const QRectF& box)
{
    p.setPen(QPen(QColor(20, 70, 160), 1));
    p.setBrush(QColor(60, 140, 230));
    p.drawEllipse(box);
    p.setPen(QPen(QColor(200, 230, 255), 0.8));
    p.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    p.drawLine(QPointF(box.left() + 1, c.y()), QPointF(box.right() - 1, c.y()));
    p.drawEllipse(QRectF(c.x() - box.width() / 5, box.top() + 0.5, box.width() * 2 / 5, box.height() - 1));
    p.setPen(QPen(QColor(230, 170, 20), 1.6));
    p.drawArc(box.adjusted(-1.5, box.height() / 4, 1.5, -box.height() / 4), 200 * 16, 300 * 16);
}

void drawShortcutPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(2.5, 0.5);
    page.lineTo(10, 0.5);
    page.lineTo(13.5, 4);
    page.lineTo(13.5, 15.5);
    page.lineTo(2.5, 15.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({ { 10, 0.5 }, { 10, 4 }, { 13.5, 4 } }));
    drawLogo(p, QRectF(4.5, 6.5, 8, 8));
}

} // namespace

QPixmap Picture(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case favorites_walk::kClosedFolder:
        drawClosedFolder(p);
        break;
    case favorites_walk::kOpenFolder:
        drawOpenFolder(p);
        break;
    case favorites_walk::kBrowserLogo:
        drawLogo(p, QRectF(1.5, 1.5, 13, 13));
        break;
    default:
        drawShortcutPage(p);
        break;
    }
    return pixmap;
}

} // namespace favorites_pictures

} // namespace quillet
