// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace freshbolt
{

// The updater's waits: they let window events run, which is how the user's Cancel reaches a running download.
class EventPump
{
public:
    virtual ~EventPump() = default;
    // Handles the events that are pending and returns at once: a frame of the window.
    virtual void processPending() = 0;
    // Sleeps until at least one event has arrived and handles it.
    virtual void waitForEvents() = 0;
    // True once a frame's time has passed since the last processPending: while data keeps arriving, the window
    // is brought up to date and its input handled once a frame, not after every chunk. Waiting for the data counts
    // as no frame, since the window has not been told the latest progress first.
    virtual bool frameDue() const = 0;
};

// The one nested event loop of the updater. It is safe wherever the updater waits: the handlers that can run in
// it (the Cancel button, Escape, the close box, the start pause's timer, the session's end) only record what
// happened and change labels. None starts a download or touches its file or request, so the waiting code finds its
// state as it left it, but for the flag that stops it.
class NestedEventLoop final : public EventPump
{
public:
    void processPending() override;
    void waitForEvents() override;
    bool frameDue() const override;

private:
    qint64 m_lastFrameMs = 0; // on the coarse clock
};

} // namespace freshbolt
