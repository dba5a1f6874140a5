// SPDX-License-Identifier: MIT
#include "freshbolt/quillet_end.h"

#include "freshbolt/event_pump.h"
#include "platform/core/instance_lock.h"

#include <QDeadlineTimer>
#include <QTimer>

using namespace std::chrono_literals;

namespace freshbolt
{

bool WaitForQuilletToEnd(EventPump& events, const QString& programFolder, std::chrono::milliseconds limit,
    const std::function<bool()>& giveUp)
{
    platform::InstanceLock quillet(programFolder);
    const QDeadlineTimer deadline(limit);
    // The lock says nothing when it is let go: look again every poll, each one waking the wait.
    QTimer poll;
    poll.start(100ms);
    while (quillet.isHeld()) {
        if (deadline.hasExpired() || giveUp())
            return false;
        events.waitForEvents();
    }
    return true;
}

} // namespace freshbolt
