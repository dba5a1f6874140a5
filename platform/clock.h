// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>

namespace platform
{

// Seconds on a steady clock; only differences between readings mean anything.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public Clock
{
public:
    SteadyClock() { m_timer.start(); }
    double seconds() const override { return static_cast<double>(m_timer.nsecsElapsed()) / 1e9; }

private:
    QElapsedTimer m_timer;
};

} // namespace platform
