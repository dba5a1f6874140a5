// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/web_browser.h"
#include "platform/ui/page_services.h"

#include <memory>

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace platform
{

class FindBar;
class NewWindowAwarePage;
class PageDownloads;
class Shell;

// A QWebEngineView on the shared persistent profile. The profile must outlive this browser; what its pages hand to
// the desktop goes through `shell`, which must outlive it too.
class QtWebBrowser final : public WebBrowser
{
    Q_OBJECT
public:
    QtWebBrowser(QWebEngineProfile* profile, PageServices services, QObject* parent = nullptr);
    ~QtWebBrowser() override;

    QWidget* widget() override;
    QWebEngineView* view() const { return m_view; }
    FindBar* findBar() const { return m_findBar; }

    void navigate(const QString& address) override;
    void navigatePost(const QString& address, const QByteArray& postData, const QString& header) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;
    void printWithDialog() override;

    bool busy() const override;
    QString locationName() const override;
    QString locationAddress() const override;

    void copySelection() override;
    void showFindBar() override;
    void keepToSite(const QString& domain) override;

private:
    void connectPageEvents();

    std::unique_ptr<QWidget> m_container;
    QWebEngineView* m_view = nullptr;
    NewWindowAwarePage* m_page = nullptr;
    PageDownloads* m_downloads = nullptr;
    // The text typed while the "Not an address" page stands for it, so the address box keeps it to correct.
    QString m_notAnAddress;
    FindBar* m_findBar = nullptr; // under the view, hidden until asked for
    std::unique_ptr<QPrinter> m_printer; // alive until the asynchronous print has finished
    bool m_busy = false;
    QString m_refusedWhileLoading; // what the page was refused during the load in progress
};

} // namespace platform
