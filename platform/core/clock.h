// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <ctime>

namespace platform
{

// Seconds on a steady clock; only differences between readings mean anything.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

// Milliseconds on the system's coarse steady clock: a few milliseconds fine, and read in a fraction of the time
// of the precise one. For pacing many small steps, such as redrawing a window during a download.
inline qint64 coarseMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Read after every chunk of a download: the coarse clock is fine enough for rates and times left.
class SteadyClock final : public Clock
{
public:
    double seconds() const override { return static_cast<double>(coarseMilliseconds() - m_start) / 1000; }

private:
    qint64 m_start = coarseMilliseconds();
};

} // namespace platform
