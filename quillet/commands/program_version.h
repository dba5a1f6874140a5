// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The program's own version, shown in the about box and compared with the published one.
namespace program_version
{

inline constexpr int kMajor = 1;
inline constexpr int kMinor = 2;
inline constexpr int kRevision = 0;

// "1.2.0"
inline QString Text()
{
    return QString::number(kMajor) + QLatin1Char('.') + QString::number(kMinor) + QLatin1Char('.')
        + QString::number(kRevision);
}

} // namespace program_version
