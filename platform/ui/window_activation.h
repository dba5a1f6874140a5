// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/activation_request.h"

#include <QByteArray>
#include <optional>

class QWidget;

namespace platform
{

// The window a later start brings forward: the modal window that is up (the welcome screen, a message, the
// floating toolbar, which stands in for the hidden main window), else `fallback`.
QWidget* WindowToBringForward(QWidget* fallback);

// Shows the window if it was minimized, raises it and asks the window manager to activate it, with the
// launcher's start-up id (X11) or activation token (Wayland), so that focus-stealing prevention lets it through.
void BringForward(QWidget* window, const ActivationRequest& request);

// The X server time a start-up id carries ("..._TIME1234"), which dates the user's request to the window manager.
std::optional<quint32> StartupIdTime(const QByteArray& startupId);

} // namespace platform
