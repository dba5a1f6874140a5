// SPDX-License-Identifier: MIT
#include "freshbolt/event_pump.h"

#include "platform/core/clock.h"

#include <QCoreApplication>

namespace freshbolt
{

namespace
{

constexpr qint64 kFrameMs = 16;

} // namespace

void NestedEventLoop::processPending()
{
    QCoreApplication::processEvents();
    m_lastFrameMs = platform::coarseMilliseconds();
}

void NestedEventLoop::waitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool NestedEventLoop::frameDue() const
{
    return platform::coarseMilliseconds() - m_lastFrameMs >= kFrameMs;
}

} // namespace freshbolt
