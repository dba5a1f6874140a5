// SPDX-License-Identifier: MIT
#include "platform/core/local_files.h"

#include "platform/core/clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform
{

namespace
{

// Taken at once after the failing call, while errno still holds its reason. Qt's own text is that reason, but
// closing a file clears it, and its error number is only a category.
FileFailure failureOf(const QFileDevice& file)
{
    const int number = errno;
    if (number != 0)
        return { number, QString::fromLocal8Bit(std::strerror(number)) };
    return { static_cast<int>(file.error()), file.errorString() };
}

FileFailure failureOf(const std::error_code& error)
{
    return { error.value(), QString::fromStdString(error.message()) };
}

// Small writes are gathered into large ones: each write call costs the file system about as much as a page of
// bytes, and the download hands over one small chunk at a time. A slow transfer still reaches the disk within a
// moment, so a partial file grows as the bytes come.
constexpr qsizetype kWriteBatchBytes = 1 << 20;
constexpr qint64 kWriteBatchMs = 200;

class QtWritableFile final : public WritableFile
{
public:
    explicit QtWritableFile(const QString& path)
        : m_file(path)
    {
    }

    bool open(qint64 offset)
    {
        const QIODevice::OpenMode mode
            = QIODevice::Unbuffered | (offset == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite);
        if (!step([&] { return m_file.open(mode) && (offset == 0 || m_file.seek(offset)); }))
            return false;
        m_pending.reserve(kWriteBatchBytes);
        m_lastWriteMs = coarseMilliseconds();
        return true;
    }
    bool write(const QByteArray& bytes) override
    {
        m_pending.append(bytes);
        const bool due = m_pending.size() >= kWriteBatchBytes || coarseMilliseconds() - m_lastWriteMs >= kWriteBatchMs;
        return !due || writePending();
    }
    bool close() override
    {
        // Gathered bytes meet a full disk only here.
        const bool cut = writePending() && step([this] { return m_file.resize(m_file.pos()); });
        m_file.close();
        return cut;
    }
    FileFailure failure() const override { return m_failure; }

private:
    // One file operation; when it fails, why, taken while errno still holds it.
    template <typename Operation> bool step(Operation operation)
    {
        errno = 0;
        if (operation())
            return true;
        m_failure = failureOf(m_file);
        return false;
    }
    bool writePending()
    {
        const bool written = step([this] { return m_file.write(m_pending) == m_pending.size(); });
        m_pending.resize(0);
        m_lastWriteMs = coarseMilliseconds();
        return written;
    }

    QFile m_file;
    QByteArray m_pending;
    qint64 m_lastWriteMs = 0; // on the coarse clock
    FileFailure m_failure;
};

} // namespace

bool QtLocalFiles::exists(const QString& path) const
{
    return QFileInfo::exists(path);
}

bool QtLocalFiles::isFolder(const QString& path) const
{
    return QFileInfo(path).isDir();
}

bool QtLocalFiles::makeFolder(const QString& path)
{
    std::error_code error;
    if (std::filesystem::create_directory(path.toStdString(), error))
        return true;
    m_failure = error ? failureOf(error) : FileFailure { EEXIST, QStringLiteral("File exists") };
    return false;
}

std::unique_ptr<WritableFile> QtLocalFiles::open(const QString& path, qint64 offset)
{
    auto file = std::make_unique<QtWritableFile>(path);
    if (file->open(offset))
        return file;
    m_failure = file->failure();
    return nullptr;
}

std::optional<QByteArray> QtLocalFiles::read(const QString& path, qint64 offset, qint64 size)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset)) {
        m_failure = failureOf(file);
        return std::nullopt;
    }
    errno = 0;
    QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError) {
        m_failure = failureOf(file);
        return std::nullopt;
    }
    return bytes;
}

bool QtLocalFiles::remove(const QString& path)
{
    QFile file(path);
    errno = 0;
    if (file.remove())
        return true;
    m_failure = failureOf(file);
    return false;
}

bool QtLocalFiles::replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast)
{
    // The file is complete and usable before it takes the place of the installed one.
    QFile moved(from);
    const QFileDevice::Permissions permissions = (QFileInfo::exists(to) ? QFile::permissions(to) : moved.permissions());
    errno = 0;
    if (!moved.setPermissions(permissions | atLeast)) {
        m_failure = failureOf(moved);
        return false;
    }
    // rename(2) replaces even a running program file, which keeps running from the old one.
    std::error_code error;
    std::filesystem::rename(from.toStdString(), to.toStdString(), error);
    if (!error)
        return true;
    m_failure = failureOf(error);
    return false;
}

double QtLocalFiles::freeBytes(const QString& path) const
{
    std::filesystem::path folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toStdString();
    std::error_code error;
    while (!std::filesystem::exists(folder, error) && folder.has_relative_path())
        folder = folder.parent_path();
    const std::filesystem::space_info space = std::filesystem::space(folder, error);
    return error ? 0.0 : static_cast<double>(space.available);
}

FileFailure QtLocalFiles::lastFailure() const
{
    return m_failure;
}

} // namespace platform
