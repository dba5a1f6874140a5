// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/frestart.h"

#include <chrono>
#include <memory>

namespace platform
{
class Clock;
class HttpTransfer;
class LocalFiles;
class MessageBoxes;
class Shell;
} // namespace platform

namespace freshbolt
{

struct UpdaterServices {
    platform::HttpTransfer& transfer;
    const platform::Clock& clock;
    platform::LocalFiles& files;
    platform::MessageBoxes& messageBoxes;
    platform::Shell& shell;
};

// How long the updater waits for Quillet to end after its start pause.
inline constexpr std::chrono::seconds kQuilletEndLimit { 30 };

// The updater: waits for Quillet to end, fetches the files and returns the restart window when all arrived.
std::unique_ptr<FRestart> Main(const UpdaterServices& services, const QString& programFolder,
    std::chrono::milliseconds quilletEndLimit = kQuilletEndLimit);

} // namespace freshbolt
