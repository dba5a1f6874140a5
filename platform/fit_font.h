// SPDX-License-Identifier: MIT
#pragma once

#include <QFontMetricsF>
#include <QLabel>

namespace platform
{

// The designs' fonts are narrower than the Linux sans faces that stand in for them: shrink a one-line label's
// font until its text fits the place the design gives it, rather than cut the text off.
inline void shrinkFontToFit(QLabel* label)
{
    QFont font = label->font();
    while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(label->text()) > label->width()) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
}

} // namespace platform
