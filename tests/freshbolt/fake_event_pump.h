// SPDX-License-Identifier: MIT
#pragma once

#include "freshbolt/event_pump.h"

#include <functional>

// Window events that never come, but for what a test does in their place while the download waits.
class FakeEventPump final : public freshbolt::EventPump
{
public:
    void processPending() override { }
    void waitForEvents() override
    {
        if (onWait)
            onWait();
    }
    bool frameDue() const override { return framesDue; }

    std::function<void()> onWait;
    bool framesDue = true; // every chunk is a frame of its own
};
