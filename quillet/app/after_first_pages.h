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

// Holds start-up work back until each browser's first page has loaded, so that it does not stand in the pages' way
// on the user-interface thread, where their redirects and answers are handled: the window's first drawing and the
// version check. A page that never loads holds the work back only until the deadline.
class AfterFirstPages final : public QObject
{
    Q_OBJECT
public:
    AfterFirstPages(
        std::vector<platform::WebBrowser*> browsers, std::chrono::milliseconds deadline, QObject* parent = nullptr);

    // Counts from now: `ready` follows once every browser has completed a page since, or at the deadline; only once.
    void start();

signals:
    void ready();

private:
    void pageLoaded(platform::WebBrowser* browser);
    void finish();

    enum class State { Idle, Waiting, Done };

    std::vector<platform::WebBrowser*> m_waiting;
    QTimer m_deadline;
    State m_state = State::Idle;
};

} // namespace quillet
