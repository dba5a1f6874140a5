// SPDX-License-Identifier: MIT
#include "platform/ui/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform
{

bool QtShell::openAddress(const QString& address)
{
    // A local file path is a document to open; anything else is an address as typed.
    const QUrl url = QFileInfo(address).isAbsolute() ? QUrl::fromLocalFile(address)
                                                     : QUrl::fromUserInput(address, {}, QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

bool QtShell::startProgram(const QString& path)
{
    return QProcess::startDetached(path, {});
}

} // namespace platform
