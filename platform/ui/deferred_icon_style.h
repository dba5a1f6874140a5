// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

namespace platform
{

// The desktop's style, but the few standard icons that every tool bar and clear button is given when it is made,
// and that are mostly never shown (a tool bar's overflow arrow, a text box's clear cross), are read only when first
// drawn. Reading one at start-up made the image reader load every image plugin to ask it about the file.
class DeferredIconStyle final : public QProxyStyle
{
public:
    explicit DeferredIconStyle(QStyle* base = nullptr); // takes base; without one, the desktop's style

    QIcon standardIcon(
        StandardPixmap which, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
};

} // namespace platform
