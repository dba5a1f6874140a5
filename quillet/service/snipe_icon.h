// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace quillet
{

// The "Snipe!" buttons' picture: "Snipe" (cold) as the normal picture, "SnipeHot" under the mouse pointer.
QIcon SnipeIcon();

} // namespace quillet
