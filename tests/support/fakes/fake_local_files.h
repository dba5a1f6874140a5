// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/local_files.h"

#include <QMap>
#include <QSet>
#include <QStringList>

namespace platform
{

// Files and folders in memory. Writing can be made to fail once a file would pass a number of bytes.
class FakeLocalFiles final : public LocalFiles
{
public:
    bool exists(const QString& path) const override { return files.contains(path) || folders.contains(path); }
    bool isFolder(const QString& path) const override { return folders.contains(path); }
    [[nodiscard]] bool makeFolder(const QString& path) override;
    std::unique_ptr<WritableFile> open(const QString& path, qint64 offset) override;
    [[nodiscard]] std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 size) override;
    [[nodiscard]] bool remove(const QString& path) override;
    [[nodiscard]] bool replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast) override;
    double freeBytes(const QString& path) const override
    {
        freeSpaceAsked.append(path);
        return freeSpace;
    }
    FileFailure lastFailure() const override { return m_failure; }

    QMap<QString, QByteArray> files;
    QSet<QString> folders;
    QSet<QString> unwritable; // paths that cannot be opened
    qint64 failWritesBeyond = -1; // a write that would make a file longer than this fails
    int opens = 0;
    QMap<QString, QFileDevice::Permissions> permissions; // of files that have been replaced
    bool refusePermissions = false;
    double freeSpace = 1e12; // on every file system
    mutable QStringList freeSpaceAsked;

private:
    friend class FakeWritableFile;
    FileFailure m_failure;
};

} // namespace platform
