// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/clock.h"

#include <functional>

namespace platform
{

// A clock the test sets; `onRead` may move it on each reading.
class FakeClock final : public Clock
{
public:
    double seconds() const override
    {
        if (onRead)
            onRead(now);
        return now;
    }

    mutable double now = 1000.0;
    std::function<void(double&)> onRead;
};

} // namespace platform
