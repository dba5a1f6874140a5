// SPDX-License-Identifier: MIT
#include "quillet/app/display_platform.h"

namespace quillet
{

namespace display_platform
{

namespace
{

const QString kPlatform = QStringLiteral("QT_QPA_PLATFORM");

bool waylandSession(const QProcessEnvironment& given)
{
    return given.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland")
        || !given.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
}

} // namespace

std::optional<QString> ChosenPlatform(const QProcessEnvironment& given)
{
    if (!given.value(kPlatform).isEmpty() || !waylandSession(given))
        return std::nullopt;
    // The compositor sets DISPLAY once XWayland serves the session (GNOME starts it on a client's first call).
    if (given.value(QStringLiteral("DISPLAY")).isEmpty())
        return std::nullopt;
    return QStringLiteral("xcb");
}

void Apply()
{
    if (const std::optional<QString> chosen = ChosenPlatform(QProcessEnvironment::systemEnvironment()))
        qputenv(kPlatform.toLocal8Bit().constData(), chosen->toLocal8Bit());
}

} // namespace display_platform

} // namespace quillet
