// SPDX-License-Identifier: MIT
#include "platform/local_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform
{

namespace
{

FileFailure failureOf(const QFileDevice& file)
{
    return { static_cast<int>(file.error()), file.errorString() };
}

FileFailure failureOf(const std::error_code& error)
{
    return { error.value(), QString::fromStdString(error.message()) };
}

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
            = offset == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite;
        return m_file.open(mode) && m_file.seek(offset);
    }
    bool write(const QByteArray& bytes) override { return m_file.write(bytes) == bytes.size(); }
    bool close() override
    {
        const bool cut = m_file.flush() && m_file.resize(m_file.pos());
        m_file.close();
        return cut && m_file.error() == QFileDevice::NoError;
    }
    FileFailure failure() const override { return failureOf(m_file); }

private:
    QFile m_file;
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

bool QtLocalFiles::remove(const QString& path)
{
    QFile file(path);
    if (file.remove())
        return true;
    m_failure = failureOf(file);
    return false;
}

bool QtLocalFiles::replace(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to) && !QFile::setPermissions(from, QFile::permissions(to))) {
        m_failure = { EPERM, QStringLiteral("Cannot copy the permissions of %1").arg(to) };
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

FileFailure QtLocalFiles::lastFailure() const
{
    return m_failure;
}

double freeDiskBytes(const QString& path)
{
    std::filesystem::path folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toStdString();
    std::error_code error;
    while (!std::filesystem::exists(folder, error) && folder.has_relative_path())
        folder = folder.parent_path();
    const std::filesystem::space_info space = std::filesystem::space(folder, error);
    return error ? 0.0 : static_cast<double>(space.available);
}

} // namespace platform
