// SPDX-License-Identifier: MIT
#include "platform/ui/qt_web_browser.h"

#include "platform/core/startup_trace.h"
#include "platform/ui/find_bar.h"
#include "platform/ui/new_window_page.h"
#include "platform/ui/own_pages.h"
#include "platform/ui/page_downloads.h"
#include "platform/ui/stopped_page.h"

#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineHttpRequest>
#include <QWebEngineView>

namespace platform
{

QtWebBrowser::QtWebBrowser(QWebEngineProfile* profile, PageServices services, QObject* parent)
    : WebBrowser(parent)
    , m_container(std::make_unique<QWidget>())
{
    auto* layout = new QVBoxLayout(m_container.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new QWebEngineView(m_container.get());
    m_page = new NewWindowAwarePage(profile, services, m_view);
    connect(m_page, &NewWindowAwarePage::refused, this, [this](const QString& text) {
        if (m_busy)
            m_refusedWhileLoading = text; // said again when the load ends, rather than "Done" over it
        emit StatusTextChange(text);
    });
    connect(m_page, &NewWindowAwarePage::otherSiteRequested, this,
        [this](const QUrl& url) { emit OtherSiteRequested(url.toString(QUrl::FullyEncoded)); });
    m_view->setPage(m_page);
    // A running download keeps the browser busy, so Stop is there to cancel it.
    m_downloads = new PageDownloads(*m_page, services, [this](const QString& text) {
        emit StatusTextChange(text);
        emit ProgressChange();
    });
    // A command that brings the browser forward gives its page the keyboard.
    m_container->setFocusProxy(m_view);
    // The page takes every line the find bar does not need, also in a view that has never been shown, to which
    // the engine has not given its own size policy yet.
    layout->addWidget(m_view, 1);
    m_findBar = new FindBar(m_view->page(), m_container.get());
    layout->addWidget(m_findBar, 0);
    connectPageEvents();
}

QtWebBrowser::~QtWebBrowser() = default;

void QtWebBrowser::connectPageEvents()
{
    QWebEnginePage* page = m_view->page();
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        MarkStartup("load started");
        m_busy = true;
        m_refusedWhileLoading.clear();
        emit StatusTextChange(QStringLiteral("Opening page..."));
        emit ProgressChange();
    });
    connect(page, &QWebEnginePage::loadProgress, this, [this] { emit ProgressChange(); });
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        m_busy = false;
        emit StatusTextChange(m_refusedWhileLoading.isEmpty() ? QStringLiteral("Done") : m_refusedWhileLoading);
        emit DownloadComplete();
    });
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString& url) { emit StatusTextChange(url); });
    connect(page, &QWebEnginePage::urlChanged, this, [this] { emit NavigateComplete2(); });
    connect(page, &QWebEnginePage::titleChanged, this, [this] { emit ProgressChange(); });
    connect(page->action(QWebEnginePage::Back), &QAction::enabledChanged, this,
        [this](bool enabled) { emit CommandStateChange(kCommandBack, enabled); });
    connect(page->action(QWebEnginePage::Forward), &QAction::enabledChanged, this,
        [this](bool enabled) { emit CommandStateChange(kCommandForward, enabled); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && m_container->isAncestorOf(now))
            emit focusReceived();
    });
    connect(m_view, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); });
}

QWidget* QtWebBrowser::widget()
{
    return m_container.get();
}

void QtWebBrowser::navigate(const QString& address)
{
    m_page->stoppedPage().leave();
    MarkStartup("navigate");
    const std::optional<QUrl> url = TypedAddress(address);
    m_notAnAddress = url ? QString() : address;
    if (url)
        m_view->load(*url);
    else
        m_view->setHtml(NotAnAddressPage(address), QUrl(QStringLiteral("about:blank")));
}

void QtWebBrowser::navigatePost(const QString& address, const QByteArray& postData, const QString& header)
{
    MarkStartup("navigate with a post");
    m_notAnAddress.clear();
    QWebEngineHttpRequest request(QUrl(address), QWebEngineHttpRequest::Post);
    request.setPostData(postData);
    const qsizetype colon = header.indexOf(QLatin1Char(':'));
    if (colon > 0)
        request.setHeader(header.left(colon).trimmed().toLatin1(), header.mid(colon + 1).trimmed().toLatin1());
    m_page->stoppedPage().rememberPost(request);
    m_view->load(request);
}

void QtWebBrowser::goBack()
{
    m_view->back();
}

void QtWebBrowser::goForward()
{
    m_view->forward();
}

void QtWebBrowser::stop()
{
    m_downloads->cancel();
    m_view->stop();
}

void QtWebBrowser::refresh()
{
    if (!m_page->stoppedPage().reload())
        m_view->reload();
}

void QtWebBrowser::printWithDialog()
{
    if (m_printer)
        return; // one print at a time: the printer must live until the last one has finished
    auto printer = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer.get(), m_container.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
}

bool QtWebBrowser::busy() const
{
    return m_busy || m_downloads->running();
}

QString QtWebBrowser::locationName() const
{
    return m_view->title();
}

QString QtWebBrowser::locationAddress() const
{
    if (!m_notAnAddress.isEmpty() && m_view->url() == QUrl(QStringLiteral("about:blank")))
        return m_notAnAddress;
    return m_view->url().toString();
}

void QtWebBrowser::copySelection()
{
    m_view->page()->triggerAction(QWebEnginePage::Copy);
}

void QtWebBrowser::showFindBar()
{
    m_findBar->activate();
}

void QtWebBrowser::keepToSite(const QString& domain)
{
    m_page->keepToSite(domain);
}

} // namespace platform
