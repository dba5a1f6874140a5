// SPDX-License-Identifier: MIT
#include "platform/ui/stopped_page.h"

#include "platform/ui/own_pages.h"

namespace platform
{

StoppedPage::StoppedPage(QWebEnginePage& page)
    : QObject(&page)
    , m_page(page)
{
    connect(&page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) { stopped(status); });
    connect(&page, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        if (m_post && url != m_post->url())
            m_post.reset(); // the post's answer is no longer the page shown
        if (m_stopped && url != m_stopped->url())
            m_stopped.reset();
    });
}

void StoppedPage::rememberPost(const QWebEngineHttpRequest& request)
{
    leave();
    m_post = request;
}

void StoppedPage::leave()
{
    m_stopped.reset();
    m_post.reset();
}

void StoppedPage::stopped(QWebEnginePage::RenderProcessTerminationStatus status)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    const QUrl address = m_page.url();
    m_stopped = m_post && m_post->url() == address ? *m_post : QWebEngineHttpRequest(address);
    // The stopped page keeps the address, so the caption, the address box and Refresh all name it.
    m_page.setHtml(StoppedPageHtml(address), address);
}

bool StoppedPage::reload()
{
    if (!m_stopped)
        return false;
    const QWebEngineHttpRequest request = *m_stopped;
    m_stopped.reset();
    if (request.method() == QWebEngineHttpRequest::Post)
        m_post = request;
    m_page.load(request);
    return true;
}

bool StoppedPage::takesOver(const QUrl& url, QWebEnginePage::NavigationType type)
{
    return m_stopped && type == QWebEnginePage::NavigationTypeLinkClicked && url == m_stopped->url() && reload();
}

} // namespace platform
