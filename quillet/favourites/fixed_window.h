// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/design_controls.h"

#include <QPushButton>
#include <QRect>
#include <QString>

namespace quillet
{

namespace fixed_window
{

// The favorites dialogs: a fixed border with a close box but no minimise or maximise button. Without the
// customize hint, window managers add the buttons they like.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A button in the place the design gives it; its font shrinks until the caption fits with a little room.
inline QPushButton* makeButton(
    QWidget* parent, const char* name, const QString& caption, const QRect& place, const QString& tooltip)
{
    QPushButton* button = platform::placedButton(parent, name, caption, place);
    button->setToolTip(tooltip);
    constexpr int kRoom = 10;
    const QString shown = QString(caption).remove(QLatin1Char('&'));
    button->setFont(platform::fontToFit(button->font(), shown, place.width() - kRoom));
    return button;
}

} // namespace fixed_window

} // namespace quillet
