// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>

namespace quillet
{

// The browser favorites tree's four 16 x 16 pictures, drawn in code: 1 closed folder, 2 open folder, 3 the
// browser logo, 4 a web page with the browser logo.
namespace favorites_pictures
{

QPixmap Picture(int index);

} // namespace favorites_pictures

} // namespace quillet
