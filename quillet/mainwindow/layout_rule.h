// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/twips.h"

namespace quillet
{

// Placement of the main window's controls, in twips (15 twips = 1 pixel).
namespace layout_rule
{

using platform::kTwipsPerPixel;

struct WindowSize {
    int clientWidth;
    int clientHeight;
    int outerWidth;
    bool buttonText;
};

struct Placement {
    int tabTop;
    int tabWidth;
    int tabHeight;
    int browserWidth;
    int browserHeight;
    int goLeft;
    int addressWidth;
    int busyLeft;
    int linkLeft;
};

// Absolute values keep every size non-negative when the window is smaller than the margins.
Placement LayoutControls(const WindowSize& size);

constexpr int toPixels(int twips)
{
    return twips / kTwipsPerPixel;
}
constexpr int toTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace layout_rule

} // namespace quillet
