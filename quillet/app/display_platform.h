// SPDX-License-Identifier: MIT
#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace quillet
{

// A native Wayland client cannot keep a window above the others, and the floating toolbar must stay on top.
// In a Wayland session with XWayland running, Quillet asks Qt for its X11 platform; a user who chose a Qt
// platform keeps it, and without XWayland Qt's own choice stands.
namespace display_platform
{

// The Qt platform to ask for, given the environment the program was started with; none: leave Qt's choice.
std::optional<QString> ChosenPlatform(const QProcessEnvironment& given);

// Applies ChosenPlatform to this process; called before the application object exists.
void Apply();

} // namespace display_platform

} // namespace quillet
