// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform
{

// Longest name, in UTF-8 bytes, that a title becomes; room is left for " (nnn)" and ".url".
inline constexpr int kMaxSafeNameBytes = 200;

// A title made into a name that is safe as one file or folder name in any folder: "/", control characters and
// < > : " \ | ? * become "_"; a leading "." becomes "_" (the name would be hidden); trailing dots and blanks go;
// at most kMaxSafeNameBytes UTF-8 bytes, cut between whole characters. A title that leaves nothing gives
// `fallback`, made safe the same way (and "Untitled" when that leaves nothing either).
QString SafeFileName(const QString& title, const QString& fallback);

} // namespace platform
