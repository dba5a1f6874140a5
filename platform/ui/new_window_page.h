// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/new_window_gate.h"
#include "platform/ui/page_dialogs.h"
#include "platform/ui/page_services.h"

#include <QElapsedTimer>
#include <QWebEnginePage>

class QWebEngineNewWindowRequest;

namespace platform
{

class StoppedPage;

// A page of the open web beside the logged-in service. Its requests for a new window open the address in the
// user's default browser instead, only when the user started them and only for web and mail addresses; it
// reads no local file but its own, and an address of another program's scheme goes through the same gate: the
// engine offers only those the user clicked or typed, and hands none over itself.
class NewWindowAwarePage final : public QWebEnginePage
{
    Q_OBJECT
public:
    NewWindowAwarePage(QWebEngineProfile* profile, PageServices services, QObject* parent);
    // What stands in for the page when its renderer ends abnormally.
    StoppedPage& stoppedPage() { return *m_stopped; }
    // The site this page keeps to; empty for the open web.
    void keepToSite(const QString& domain) { m_site = domain; }

signals:
    // Something the page asked for was not done: for the status bar.
    void refused(const QString& text);
    // A link or redirect in the main frame to another site than the one kept to: not followed here.
    void otherSiteRequested(const QUrl& url);

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& origin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& text, const QString& proposed, QString* result) override;

private:
    void Requested(QWebEngineNewWindowRequest& request);

    PageServices m_services;
    StoppedPage* m_stopped;
    PageDialogs m_dialogs;
    NewWindowGate m_gate;
    QString m_site;
    QElapsedTimer m_clock;
    bool m_open = false; // the verdict on the request being created
    bool m_userStarted = false;
};

} // namespace platform
