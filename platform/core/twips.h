// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

// Window designs give positions in twips; 15 twips are one device-independent pixel.
namespace platform
{

inline constexpr int kTwipsPerPixel = 15;

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return { left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel };
}

constexpr QSize twipsSize(int width, int height)
{
    return { width / kTwipsPerPixel, height / kTwipsPerPixel };
}

} // namespace platform
