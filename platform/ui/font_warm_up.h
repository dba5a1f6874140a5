// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class QThread;

namespace platform
{

// Reads the desktop's font list (fontconfig) on a thread of its own while the user-interface thread starts the web
// engine; the first window's text would otherwise wait for it on the way to the first pages. The font database
// is shared and guarded, so the window takes the list as soon as it is read.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp(); // waits for the reading to end
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace platform
