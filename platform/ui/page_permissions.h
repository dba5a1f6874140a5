// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWebEnginePage>
#include <functional>

namespace platform
{

// The status bar's words when a page's request for that feature is refused.
QString PermissionRefusedText(QWebEnginePage::Feature feature);

// Every feature a page asks for (location, notifications, camera, microphone, screen, mouse lock) is refused at
// once, as are file-system access, protocol handlers and reading the clipboard; certificate errors stay refused
// with the engine's error page. Done in code, so that a new engine's other default cannot open any of them.
// `refused` hears the status bar's words for each request turned down.
void RefuseWhatPagesAskFor(QWebEnginePage& page, const std::function<void(const QString&)>& refused);

} // namespace platform
