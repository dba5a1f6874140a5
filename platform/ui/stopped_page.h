// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <optional>

namespace platform
{

// What a view shows when its page's renderer process ends abnormally (killed, crashed, out of memory): the
// program's own "Page stopped" page in its place. The page comes back only when the user asks (Refresh, or the
// page's Reload link), since a page that kills its renderer would otherwise loop.
class StoppedPage final : public QObject
{
    Q_OBJECT
public:
    explicit StoppedPage(QWebEnginePage& page);

    // The program's own post: when its answer is the page that stops, the reload repeats it (the service's
    // login), since its address alone opens another page.
    void rememberPost(const QWebEngineHttpRequest& request);
    // Another page is asked for: nothing is stopped any more.
    void leave();
    // Loads the stopped page again; false when none is stopped.
    bool reload();
    // A click on the stopped page's Reload link; false for any other navigation.
    bool takesOver(const QUrl& url, QWebEnginePage::NavigationType type);

private:
    void stopped(QWebEnginePage::RenderProcessTerminationStatus status);

    QWebEnginePage& m_page;
    std::optional<QWebEngineHttpRequest> m_post;
    std::optional<QWebEngineHttpRequest> m_stopped; // while the stopped page is shown
};

} // namespace platform
