// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace freshbolt
{

class EventPump;

// The start pause is only a guess: the program file is replaced once Quillet has really ended. True as soon as no
// running Quillet holds its lock on the program folder; false when `limit` passed first or `giveUp` said so. It
// waits in the updater's one event loop, so the window stays alive meanwhile.
bool WaitForQuilletToEnd(EventPump& events, const QString& programFolder, std::chrono::milliseconds limit,
    const std::function<bool()>& giveUp);

} // namespace freshbolt
