// SPDX-License-Identifier: MIT
#include "platform/core/instance_lock.h"

#include <QDir>
#include <QLockFile>

namespace platform
{

InstanceLock::InstanceLock(const QString& programFolder, LockHolder holder)
    : m_lock(std::make_unique<QLockFile>(fileName(programFolder, holder)))
{
    // Both programs may run for hours: only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::fileName(const QString& programFolder, LockHolder holder)
{
    return QDir(programFolder)
        .filePath(holder == LockHolder::Quillet ? QStringLiteral(".Quillet.lock") : QStringLiteral(".Freshbolt.lock"));
}

bool InstanceLock::tryLock()
{
    return m_lock->tryLock(0);
}

bool InstanceLock::tryLock(std::chrono::milliseconds wait)
{
    return m_lock->tryLock(static_cast<int>(wait.count()));
}

bool InstanceLock::heldByAnother() const
{
    return m_lock->error() == QLockFile::LockFailedError;
}

bool InstanceLock::isHeld()
{
    if (m_lock->tryLock(0)) {
        m_lock->unlock();
        return false;
    }
    return heldByAnother();
}

} // namespace platform
