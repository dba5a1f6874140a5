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

// Holds the version check back until the browsers' first pages have loaded, so that its request and the reading of
// its reply do not stand in their way at start-up; a page that never ends holds it back only until the deadline.
class AfterFirstPages final : public QObject
{
    Q_OBJECT
public:
    AfterFirstPages(
        std::vector<platform::WebBrowser*> browsers, std::chrono::milliseconds deadline, QObject* parent = nullptr);

    // Counts from now: `ready` follows once every browser has ended a load since, or at the deadline; only once.
    void start();

signals:
    void ready();

private:
    void pageEnded(platform::WebBrowser* browser);
    void finish();

    enum class State { Idle, Waiting, Done };

    std::vector<platform::WebBrowser*> m_waiting;
    QTimer m_deadline;
    State m_state = State::Idle;
};

} // namespace quillet
