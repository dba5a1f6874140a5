// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <chrono>
#include <memory>

class QLockFile;

namespace platform
{

// The lock that a running Quillet holds on its program folder, so that the updater can tell when it has ended.
// A lock left by a process that died counts as free.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& programFolder);
    ~InstanceLock();

    // Quillet: take the lock for the whole run; false when another running Quillet holds it.
    bool tryLock();
    // The updater: true as soon as nobody holds the lock, false when `limit` passed first.
    // Window events keep being processed while it waits.
    bool waitUntilFree(std::chrono::milliseconds limit);

    static QString fileName(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
