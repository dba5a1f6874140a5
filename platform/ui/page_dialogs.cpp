// SPDX-License-Identifier: MIT
#include "platform/ui/page_dialogs.h"

#include "platform/core/page_prompts.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform
{

namespace
{

// A page's words, no longer than a dialog can show.
QString bounded(const QString& text)
{
    constexpr qsizetype kLimit = 2000;
    return text.size() > kLimit ? text.left(kLimit) + QStringLiteral("...") : text;
}

} // namespace

PageDialogs::PageDialogs(QWebEnginePage& page, PageServices services, std::function<void(const QString&)> refused)
    : m_page(page)
    , m_services(services)
    , m_refused(std::move(refused))
{
    // Left: the new document may ask. Not when another load only starts: the old document runs on, and asks on,
    // until the new one replaces it.
    QObject::connect(&page, &QWebEnginePage::urlChanged, &page, [this] { m_budget.renew(); });
    // Reloaded: the same address loads again.
    QObject::connect(&page, &QWebEnginePage::loadStarted, &page, [this] {
        if (m_page.requestedUrl() == m_page.url())
            m_budget.renew();
    });
}

QWidget* PageDialogs::askingView()
{
    QWidget* view = QWebEngineView::forPage(&m_page);
    if (!view || !view->isVisible())
        return nullptr; // the tab behind: its page never asks over the other one
    if (!m_budget.spend()) {
        m_refused(DialogsUsedUpText());
        return nullptr;
    }
    return view;
}

void PageDialogs::alert(const QUrl& origin, const QString& text)
{
    if (QWidget* view = askingView())
        m_services.prompts.message(view, DialogCaption(origin), bounded(text), MessageIcon::None, MessageButtons::Ok);
}

bool PageDialogs::confirm(const QUrl& origin, const QString& text)
{
    QWidget* view = askingView();
    return view
        && m_services.prompts.message(
               view, DialogCaption(origin), bounded(text), MessageIcon::Question, MessageButtons::OkCancel)
        == MessageAnswer::Ok;
}

bool PageDialogs::prompt(const QUrl& origin, const QString& text, const QString& proposed, QString* result)
{
    QWidget* view = askingView();
    if (!view)
        return false;
    const std::optional<QString> typed
        = m_services.prompts.text(view, DialogCaption(origin), bounded(text), bounded(proposed));
    if (typed)
        *result = *typed;
    return typed.has_value();
}

} // namespace platform
