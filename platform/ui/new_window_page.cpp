// SPDX-License-Identifier: MIT
#include "platform/ui/new_window_page.h"

#include "platform/core/shell.h"
#include "platform/ui/page_passwords.h"
#include "platform/ui/page_permissions.h"
#include "platform/ui/scheme_gate.h"
#include "platform/ui/stopped_page.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

namespace platform
{

namespace
{

// Stands in for the new window only until its first address is known, then hands that to the desktop, or not.
class HandOverPage final : public QWebEnginePage
{
public:
    HandOverPage(NewWindowAwarePage& opener, Shell& shell, bool userStarted)
        : QWebEnginePage(opener.profile(), &opener)
        , m_opener(opener)
        , m_shell(shell)
        , m_userStarted(userStarted)
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        if (HandoverOf(url, m_userStarted) == Handover::Refused)
            emit m_opener.refused(RefusedText(url));
        else
            m_shell.openAddress(url.toString(QUrl::FullyEncoded));
        deleteLater();
        return false;
    }

private:
    NewWindowAwarePage& m_opener;
    Shell& m_shell;
    bool m_userStarted;
};

} // namespace

NewWindowAwarePage::NewWindowAwarePage(QWebEngineProfile* profile, PageServices services, QObject* parent)
    : QWebEnginePage(profile, parent)
    , m_services(services)
    , m_stopped(new StoppedPage(*this))
    , m_dialogs(*this, services, [this](const QString& text) { emit refused(text); })
{
    m_clock.start();
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // PDFs show in the view; the engine's own viewer is its only plugin.
    settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // Only the user's own: the engine then asks acceptNavigationRequest, which decides and hands over itself.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    RefuseWhatPagesAskFor(*this, [this](const QString& text) { emit refused(text); });
    AnswerPasswordQuestions(*this, services);
    // Asked before createWindow, which then has the verdict.
    connect(this, &QWebEnginePage::newWindowRequested, this, &NewWindowAwarePage::Requested);
}

void NewWindowAwarePage::Requested(QWebEngineNewWindowRequest& request)
{
    m_userStarted = request.isUserInitiated();
    m_open = m_gate.decide(request.requestedUrl(), m_userStarted, m_clock.elapsed()) == NewWindowGate::Verdict::Open;
    if (!m_userStarted)
        emit refused(QStringLiteral("Pop-up blocked"));
}

bool NewWindowAwarePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame && m_stopped->takesOver(url, type))
        return false;
    if (isMainFrame && !m_site.isEmpty() && !WithinSite(url, m_site)) {
        emit otherSiteRequested(url);
        return false;
    }
    if (!LeavesTheEngine(url))
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    if (HandoverOf(url, true) == Handover::Refused)
        emit refused(RefusedText(url));
    else
        m_services.shell.openAddress(url.toString(QUrl::FullyEncoded));
    return false; // never also by the engine
}

void NewWindowAwarePage::javaScriptAlert(const QUrl& origin, const QString& text)
{
    m_dialogs.alert(origin, text);
}

bool NewWindowAwarePage::javaScriptConfirm(const QUrl& origin, const QString& text)
{
    return m_dialogs.confirm(origin, text);
}

bool NewWindowAwarePage::javaScriptPrompt(
    const QUrl& origin, const QString& text, const QString& proposed, QString* result)
{
    return m_dialogs.prompt(origin, text, proposed, result);
}

QWebEnginePage* NewWindowAwarePage::createWindow(WebWindowType)
{
    if (!std::exchange(m_open, false))
        return nullptr;
    return new HandOverPage(*this, m_services.shell, m_userStarted);
}

} // namespace platform
