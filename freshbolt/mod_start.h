// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/frestart.h"

#include <chrono>
#include <memory>

namespace platform
{
class Clock;
class HttpTransfer;
class InstanceLock;
class LocalFiles;
class MessageBoxes;
class Shell;
class TerminationSignal;
} // namespace platform

namespace freshbolt
{

class EventPump;

struct UpdaterServices {
    platform::HttpTransfer& transfer;
    const platform::Clock& clock;
    platform::LocalFiles& files;
    platform::MessageBoxes& messageBoxes;
    platform::Shell& shell;
    platform::TerminationSignal& termination;
    EventPump& events;
};

struct UpdaterTimings {
    // Quillet's time to end after starting the updater.
    std::chrono::milliseconds pause { 5000 };
    // How long the updater then waits for Quillet to end.
    std::chrono::milliseconds quilletEndLimit { 30000 };
};

// The updater: takes the update lock (held by the caller's object until the updater ends), waits for Quillet to
// end, fetches the files and returns the restart window when all arrived.
std::unique_ptr<FRestart> Main(const UpdaterServices& services, const QString& programFolder,
    platform::InstanceLock& updateLock, const UpdaterTimings& timings = {});

} // namespace freshbolt
