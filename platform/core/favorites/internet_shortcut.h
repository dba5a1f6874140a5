// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// An internet shortcut (".url") file: CRLF lines, "[InternetShortcut]" and "URL=" with the address in ASCII.
QByteArray InternetShortcutContent(const QString& address);

// The address as a shortcut stores it, so two addresses can be compared as stored.
QString StoredShortcutAddress(const QString& address);

// The address a shortcut file holds; empty when it holds none or cannot be read.
QString ReadShortcutAddress(const QString& path);

struct [[nodiscard]] WriteResult {
    bool ok = true;
    QString reason; // the operating system's words, when it failed
};

// Writes the shortcut atomically: a file beside it, then renamed over it, so an old one stays whole on failure.
WriteResult WriteInternetShortcut(const QString& path, const QString& address);

// Makes a shortcut where no file is, never replacing or writing through anything, and without waiting for the
// disk: for writing many at once, followed by one SyncFileSystem. A failed write leaves no file.
WriteResult WriteNewInternetShortcut(const QString& path, const QString& address);

// Waits until everything written on the file system that holds `folder` is on the disk.
WriteResult SyncFileSystem(const QString& folder);

} // namespace platform
