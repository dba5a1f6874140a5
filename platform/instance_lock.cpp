// SPDX-License-Identifier: MIT
#include "platform/instance_lock.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QLockFile>
#include <QTimer>

namespace platform
{

namespace
{

constexpr int kPollMs = 100;

} // namespace

InstanceLock::InstanceLock(const QString& programFolder)
    : m_lock(std::make_unique<QLockFile>(fileName(programFolder)))
{
    // Quillet runs for hours: only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::fileName(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral(".Quillet.lock"));
}

bool InstanceLock::tryLock()
{
    return m_lock->tryLock(0);
}

bool InstanceLock::waitUntilFree(std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit);
    for (;;) {
        if (m_lock->tryLock(0)) {
            m_lock->unlock();
            return true;
        }
        if (deadline.hasExpired())
            return false;
        QEventLoop pause;
        QTimer::singleShot(kPollMs, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

} // namespace platform
