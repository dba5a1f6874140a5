// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace platform
{

// The lowest sequence number this build accepts: the time of its source, fixed when it was configured. A fresh
// install, which has no release recorded yet, still refuses any publication older than itself.
quint64 ReleaseFloor();

// How the floor stands in the program file, where the publish command reads it: this prefix, then its digits.
inline constexpr char kReleaseFloorPrefix[] = "quillet-release-floor=";

} // namespace platform
