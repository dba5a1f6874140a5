// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <chrono>
#include <memory>

class QLockFile;

namespace platform
{

// Who holds a lock on the program folder: a running Quillet, or the updater for the whole of an update.
enum class LockHolder { Quillet, Updater };

// A lock that a running program holds on its program folder, so that the other program can tell.
// A lock left by a process that died counts as free.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& programFolder, LockHolder holder = LockHolder::Quillet);
    ~InstanceLock();

    // Takes the lock for as long as this object lives; false when a running process holds it.
    bool tryLock();
    // The same, trying again for up to `wait`, so that a process that only looks at the lock never makes it fail.
    bool tryLock(std::chrono::milliseconds wait);
    // After a failed tryLock: false when the lock file could not even be made (the folder is not writable).
    bool heldByAnother() const;
    // True when a running process holds the lock.
    bool isHeld();

    static QString fileName(const QString& programFolder, LockHolder holder = LockHolder::Quillet);

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
