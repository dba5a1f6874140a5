// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/layout_rule.h"

#include <cstdlib>

namespace quillet
{

namespace layout_rule
{

Placement LayoutControls(const WindowSize& size)
{
    Placement p {};
    p.tabTop = size.buttonText ? 660 : 500;
    p.tabWidth = size.outerWidth - 50;
    p.browserWidth = p.tabWidth - 30;
    p.tabHeight = std::abs(size.clientHeight - (size.buttonText ? 950 : 780));
    p.browserHeight = std::abs(p.tabHeight - 830);
    p.goLeft = std::abs(size.clientWidth - 900);
    p.addressWidth = std::abs(size.clientWidth - 2150);
    p.busyLeft = std::abs(size.clientWidth - 550);
    p.linkLeft = std::abs(p.tabWidth - 1200);
    // The widths carry no absolute value in the rule; a minimised window may report an outer width of 0.
    if (p.tabWidth < 0)
        p.tabWidth = 0;
    if (p.browserWidth < 0)
        p.browserWidth = 0;
    return p;
}

} // namespace layout_rule

} // namespace quillet
