// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/local_files.h"

#include <cerrno>
#include <cstring>

// The real file operations, failing as a read-only folder or a full disk does, with the system's reasons.
class FaultyLocalFiles final : public platform::LocalFiles
{
public:
    bool exists(const QString& path) const override { return m_real.exists(path); }
    bool isFolder(const QString& path) const override { return m_real.isFolder(path); }
    bool makeFolder(const QString& path) override
    {
        return !refused(path) && remember(m_real.makeFolder(path), m_real.lastFailure());
    }
    std::unique_ptr<platform::WritableFile> open(const QString& path, qint64 offset) override
    {
        if (refused(path))
            return nullptr;
        std::unique_ptr<platform::WritableFile> file = m_real.open(path, offset);
        if (!file) {
            m_failure = m_real.lastFailure();
            return nullptr;
        }
        return std::make_unique<FullingFile>(std::move(file), offset, fullAfter);
    }
    std::optional<QByteArray> read(const QString& path, qint64 offset, qint64 size) override
    {
        const std::optional<QByteArray> bytes = m_real.read(path, offset, size);
        m_failure = m_real.lastFailure();
        return bytes;
    }
    bool remove(const QString& path) override
    {
        return !refused(path) && remember(m_real.remove(path), m_real.lastFailure());
    }
    bool replace(const QString& from, const QString& to, QFileDevice::Permissions atLeast) override
    {
        return !refused(to) && remember(m_real.replace(from, to, atLeast), m_real.lastFailure());
    }
    double freeBytes(const QString& path) const override { return m_real.freeBytes(path); }
    platform::FileFailure lastFailure() const override { return m_failure; }

    QString readOnlyFolder; // nothing under it can be created, changed or removed
    qint64 fullAfter = -1; // a file cannot grow beyond this many bytes

    static platform::FileFailure systemFailure(int number)
    {
        return { number, QString::fromLocal8Bit(std::strerror(number)) };
    }

private:
    class FullingFile final : public platform::WritableFile
    {
    public:
        FullingFile(std::unique_ptr<platform::WritableFile> real, qint64 position, qint64 limit)
            : m_real(std::move(real))
            , m_position(position)
            , m_limit(limit)
        {
        }
        bool write(const QByteArray& bytes) override
        {
            if (m_limit >= 0 && m_position + bytes.size() > m_limit) {
                m_failure = systemFailure(ENOSPC);
                return false;
            }
            m_position += bytes.size();
            return m_real->write(bytes);
        }
        bool close() override { return m_real->close(); }
        platform::FileFailure failure() const override { return m_failure.number != 0 ? m_failure : m_real->failure(); }

    private:
        std::unique_ptr<platform::WritableFile> m_real;
        qint64 m_position;
        qint64 m_limit;
        platform::FileFailure m_failure;
    };

    bool refused(const QString& path)
    {
        if (readOnlyFolder.isEmpty() || !path.startsWith(readOnlyFolder))
            return false;
        m_failure = systemFailure(EROFS);
        return true;
    }
    bool remember(bool done, const platform::FileFailure& failure)
    {
        if (!done)
            m_failure = failure;
        return done;
    }

    platform::QtLocalFiles m_real;
    platform::FileFailure m_failure;
};
