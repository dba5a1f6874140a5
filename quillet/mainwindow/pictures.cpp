// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/pictures.h"

#include "quillet/mainwindow/star_picture.h"

#include <QPainter>

namespace quillet
{

namespace pictures
{

namespace
{

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// One glyph per toolbar button, in the button's colour.
void drawGlyph(QPainter& p, int index, const QColor& colour)
{
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour);
    switch (index) {
    case 0: // Go
        p.drawPolygon(QPolygonF({ { 7, 5 }, { 19, 12 }, { 7, 19 } }));
        break;
    case 1: // Back
        p.drawPolygon(QPolygonF({ { 4, 12 }, { 13, 4 }, { 13, 9 }, { 20, 9 }, { 20, 15 }, { 13, 15 }, { 13, 20 } }));
        break;
    case 2: // Forward
        p.drawPolygon(QPolygonF({ { 20, 12 }, { 11, 4 }, { 11, 9 }, { 4, 9 }, { 4, 15 }, { 11, 15 }, { 11, 20 } }));
        break;
    case 3: // Stop
        p.drawEllipse(QRectF(4, 4, 16, 16));
        p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 9), QPointF(15, 15));
        p.drawLine(QPointF(15, 9), QPointF(9, 15));
        break;
    case 4: // Refresh
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 14, 14), 60 * 16, 290 * 16);
        p.setBrush(colour);
        p.drawPolygon(QPolygonF({ { 15, 2 }, { 20, 7 }, { 14, 9 } }));
        break;
    case 5: // Home
        p.drawPolygon(QPolygonF({ { 3, 12 }, { 12, 4 }, { 21, 12 }, { 18, 12 }, { 18, 20 }, { 6, 20 }, { 6, 12 } }));
        break;
    case 6: // Favorites
        p.drawPath(star_picture::StarPath({ 12, 12.5 }, 9.5, 4, 0));
        break;
    default: // Toolbar2: a small window
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 8, 18, 8));
        p.setBrush(colour);
        p.drawRect(QRectF(3, 8, 18, 3));
        break;
    }
}

QPixmap glyph(int index, const QColor& colour)
{
    QPixmap pixmap = canvas(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawGlyph(p, index, colour);
    return pixmap;
}

QColor buttonColour(int index)
{
    static const QColor kColours[] = { QColor(0, 128, 0), QColor(0, 90, 170), QColor(0, 90, 170), QColor(190, 20, 20),
        QColor(0, 130, 60), QColor(150, 90, 0), QColor(200, 150, 0), QColor(70, 70, 140) };
    return kColours[index >= 0 && index <= 7 ? index : 7];
}

} // namespace

QPixmap Star(int picture, bool large)
{
    const int size = large ? 32 : 20;
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    star_picture::DrawStar(p, size, picture);
    return pixmap;
}

QIcon NavigateIcon(int index)
{
    const QColor colour = buttonColour(index);
    QIcon icon;
    // At rest the pictures are muted; under the pointer they light up.
    const QColor muted = QColor::fromHsv(colour.hsvHue(), colour.hsvSaturation() / 3, 120);
    icon.addPixmap(glyph(index, muted), QIcon::Normal);
    icon.addPixmap(glyph(index, colour), QIcon::Active);
    return icon;
}

QPixmap UpdatePicture(int size)
{
    constexpr int kRefresh = 4;
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0); // the glyphs are drawn on 24 pixels
    drawGlyph(p, kRefresh, buttonColour(kRefresh));
    return pixmap;
}

QIcon WindowIcon()
{
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64 }) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        star_picture::DrawWindowIcon(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace pictures

} // namespace quillet
