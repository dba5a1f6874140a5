// SPDX-License-Identifier: MIT
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QPointF>

namespace quillet
{

// The star behind the busy animation and the window icon. Plain drawing (Qt Gui only), so the icon tool
// draws the installed icons from this same picture.
namespace star_picture
{

// A five-pointed star, point up when turn is 0 (radians).
QPainterPath StarPath(QPointF centre, double outer, double inner, double turn);

// Picture 1 to 6: the busy animation's frames; any other number: the idle picture. Fills a size x size square.
void DrawStar(QPainter& p, double size, int picture);

// The program's icon, scaled to fill a size x size square.
void DrawWindowIcon(QPainter& p, double size);

} // namespace star_picture

} // namespace quillet
