// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <vector>

namespace platform
{
class WebBrowser;
}

namespace quillet
{

// Holds start-up work back until each browser's first page has come that far (begun, or loaded), so that it does
// not stand in the pages' way on the user-interface thread: the window's first drawing until both navigations
// have begun, the version check until both pages have loaded. A page that never comes that far holds the work
// back only until the deadline.
class AfterFirstPages final : public QObject
{
    Q_OBJECT
public:
    // The event of a page that has come far enough: WebBrowser::DownloadBegin or WebBrowser::DownloadComplete.
    using Event = void (platform::WebBrowser::*)();

    AfterFirstPages(std::vector<platform::WebBrowser*> browsers, Event event, std::chrono::milliseconds deadline,
        QObject* parent = nullptr);

    // Counts from now: `ready` follows once every browser has had the event since, or at the deadline; only once.
    void start();

signals:
    void ready();

private:
    void pageCameFarEnough(platform::WebBrowser* browser);
    void finish();

    enum class State { Idle, Waiting, Done };

    std::vector<platform::WebBrowser*> m_waiting;
    Event m_event;
    QTimer m_deadline;
    State m_state = State::Idle;
};

} // namespace quillet
