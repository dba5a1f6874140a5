// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <memory>
#include <optional>

namespace platform
{

// The system's error number and its text ("No space left on device").
struct FileFailure {
    int number = 0;
    QString description;
};

// A file open for writing raw bytes. Closing cuts it off after the last byte written.
class WritableFile
{
public:
    virtual ~WritableFile() = default;
    [[nodiscard]] virtual bool write(const QByteArray& bytes) = 0;
    [[nodiscard]] virtual bool close() = 0;
    virtual FileFailure failure() const = 0;
};

// The byte-level file operations of a download.
class LocalFiles
{
public:
    virtual ~LocalFiles() = default;
    virtual bool exists(const QString& path) const = 0;
    virtual bool isFolder(const QString& path) const = 0;
    // One level: the parent must exist.
    [[nodiscard]] virtual bool makeFolder(const QString& path) = 0;
    // Opens for writing at byte offset `offset`; an offset of 0 starts an empty file.
    [[nodiscard]] virtual std::unique_ptr<WritableFile> open(const QString& path, qint64 offset) = 0;
    // Up to `size` bytes from byte offset `offset`; fewer when the file ends first.
    [[nodiscard]] virtual std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 size) = 0;
    [[nodiscard]] virtual bool remove(const QString& path) = 0;
    // Moves `from` over `to` in one step. First `from` takes the permissions of `to` (when it exists) and at
    // least `atLeast`; when that fails, nothing moves.
    [[nodiscard]] virtual bool replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast) = 0;
    // Free bytes for the user on the file system that holds `path` (or its nearest existing folder); 0 when unknown.
    virtual double freeBytes(const QString& path) const = 0;
    // Why the last failing call of this object failed.
    virtual FileFailure lastFailure() const = 0;
};

class QtLocalFiles final : public LocalFiles
{
public:
    bool exists(const QString& path) const override;
    bool isFolder(const QString& path) const override;
    [[nodiscard]] bool makeFolder(const QString& path) override;
    [[nodiscard]] std::unique_ptr<WritableFile> open(const QString& path, qint64 offset) override;
    [[nodiscard]] std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 size) override;
    [[nodiscard]] bool remove(const QString& path) override;
    [[nodiscard]] bool replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast) override;
    double freeBytes(const QString& path) const override;
    FileFailure lastFailure() const override;

private:
    FileFailure m_failure;
};

} // namespace platform
