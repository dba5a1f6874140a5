// SPDX-License-Identifier: MIT
#include "tests/support/fakes/fake_local_files.h"

namespace platform
{

class FakeWritableFile final : public WritableFile
{
public:
    FakeWritableFile(FakeLocalFiles& files, const QString& path, qint64 offset)
        : m_files(files)
        , m_path(path)
        , m_position(offset)
    {
    }

    bool write(const QByteArray& bytes) override
    {
        QByteArray& content = m_files.files[m_path];
        if (m_files.failWritesBeyond >= 0 && m_position + bytes.size() > m_files.failWritesBeyond) {
            m_failure = { 61, QStringLiteral("Disk full") };
            return false;
        }
        if (content.size() < m_position + bytes.size())
            content.resize(m_position + bytes.size());
        content.replace(m_position, bytes.size(), bytes);
        m_position += bytes.size();
        return true;
    }
    bool close() override
    {
        m_files.files[m_path].truncate(m_position);
        return true;
    }
    FileFailure failure() const override { return m_failure; }

private:
    FakeLocalFiles& m_files;
    QString m_path;
    qint64 m_position;
    FileFailure m_failure;
};

bool FakeLocalFiles::makeFolder(const QString& path)
{
    if (exists(path)) {
        m_failure = { 75, QStringLiteral("Path/File access error") };
        return false;
    }
    folders.insert(path);
    return true;
}

std::unique_ptr<WritableFile> FakeLocalFiles::open(const QString& path, qint64 offset)
{
    ++opens;
    if (unwritable.contains(path) || (offset > 0 && files.value(path).size() < offset)) {
        m_failure = { 75, QStringLiteral("Path/File access error") };
        return nullptr;
    }
    if (offset == 0)
        files[path].clear();
    return std::make_unique<FakeWritableFile>(*this, path, offset);
}

std::optional<QByteArray> FakeLocalFiles::read(const QString& path, qint64 offset, qint64 size)
{
    if (!files.contains(path)) {
        m_failure = { 53, QStringLiteral("File not found") };
        return std::nullopt;
    }
    return files[path].mid(offset, size);
}

bool FakeLocalFiles::remove(const QString& path)
{
    if (files.remove(path) == 0) {
        m_failure = { 53, QStringLiteral("File not found") };
        return false;
    }
    return true;
}

bool FakeLocalFiles::replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast)
{
    if (!files.contains(from)) {
        m_failure = { 53, QStringLiteral("File not found") };
        return false;
    }
    if (refusePermissions) {
        m_failure = { 1, QStringLiteral("Operation not permitted") };
        return false;
    }
    permissions[to] = permissions.value(to) | atLeast;
    files[to] = files.take(from);
    return true;
}

} // namespace platform
