// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillet
{

// The main window's pictures, drawn in code so they scale and need no image files.
namespace pictures
{

// Picture 1 to 6: the busy animation's frames; 7: the idle picture. Large while button text is shown.
QPixmap Star(int picture, bool large);

// The navigation toolbar's buttons 1 to 7 and the Go button (index 0), normal and highlighted.
QIcon NavigateIcon(int index);

// The update offer's picture: the Refresh button's arrow, lit, size pixels square.
QPixmap UpdatePicture(int size);

QIcon WindowIcon();

} // namespace pictures

} // namespace quillet
