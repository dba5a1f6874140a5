// SPDX-License-Identifier: MIT
#include "quillet/app/after_first_pages.h"

#include "platform/core/web_browser.h"

#include <algorithm>

namespace quillet
{

AfterFirstPages::AfterFirstPages(
    std::vector<platform::WebBrowser*> browsers, std::chrono::milliseconds deadline, QObject* parent)
    : QObject(parent)
    , m_waiting(std::move(browsers))
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(deadline);
    connect(&m_deadline, &QTimer::timeout, this, &AfterFirstPages::finish);
}

void AfterFirstPages::start()
{
    if (m_state != State::Idle)
        return;
    m_state = State::Waiting;
    for (platform::WebBrowser* browser : m_waiting)
        connect(
            browser, &platform::WebBrowser::DownloadComplete, this, [this, browser] { pageLoaded(browser); },
            Qt::SingleShotConnection);
    m_deadline.start();
}

void AfterFirstPages::pageLoaded(platform::WebBrowser* browser)
{
    m_waiting.erase(std::remove(m_waiting.begin(), m_waiting.end(), browser), m_waiting.end());
    if (m_waiting.empty())
        finish();
}

void AfterFirstPages::finish()
{
    if (m_state != State::Waiting)
        return;
    m_state = State::Done;
    for (platform::WebBrowser* browser : m_waiting)
        disconnect(browser, nullptr, this, nullptr);
    m_waiting.clear();
    m_deadline.stop();
    emit ready();
}

} // namespace quillet
