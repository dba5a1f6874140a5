// SPDX-License-Identifier: MIT
#include "platform/internet_shortcut.h"

#include "platform/ini_reader.h"

#include <QSaveFile>
#include <QUrl>

namespace platform
{

namespace
{

// Longer addresses than any browser keeps.
constexpr int kAddressBuffer = 65536;

} // namespace

QString StoredShortcutAddress(const QString& address)
{
    return QString::fromLatin1(QUrl(address).toEncoded());
}

QByteArray InternetShortcutContent(const QString& address)
{
    return "[InternetShortcut]\r\nURL=" + QUrl(address).toEncoded() + "\r\n";
}

QString ReadShortcutAddress(const QString& path)
{
    return readIniFileValue(path, QStringLiteral("InternetShortcut"), QStringLiteral("URL"), kAddressBuffer);
}

WriteResult WriteInternetShortcut(const QString& path, const QString& address)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return { false, file.errorString() };
    if (file.write(InternetShortcutContent(address)) < 0 || !file.commit())
        return { false, file.errorString() };
    return {};
}

} // namespace platform
