// SPDX-License-Identifier: MIT
#include "platform/ui/page_passwords.h"

#include "platform/core/page_prompts.h"
#include "platform/core/proxy_credentials.h"

#include <QAuthenticator>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform
{

namespace
{

void fill(QAuthenticator* authenticator, const std::optional<Credentials>& credentials)
{
    if (!credentials) {
        *authenticator = QAuthenticator(); // a null one: the request goes no further
        return;
    }
    authenticator->setUser(credentials->user);
    authenticator->setPassword(credentials->password);
}

// The words of a site's password question.
QString SitePasswordText(const QString& host, const QString& realm)
{
    return host + QStringLiteral(" asks for a user name and password")
        + (realm.isEmpty() ? QString() : QStringLiteral(" for \u201c") + realm.left(200) + QStringLiteral("\u201d"))
        + QStringLiteral(". They are sent to that site only, and not kept.");
}

} // namespace

void AnswerPasswordQuestions(QWebEnginePage& page, PageServices services)
{
    QObject::connect(&page, &QWebEnginePage::authenticationRequired, &page,
        [&page, services](const QUrl& url, QAuthenticator* authenticator) {
            fill(authenticator,
                services.prompts.credentials(QWebEngineView::forPage(&page),
                    QStringLiteral("Password for ") + url.host(),
                    SitePasswordText(url.host(), authenticator->realm())));
        });
    QObject::connect(&page, &QWebEnginePage::proxyAuthenticationRequired, &page,
        [&page, services](const QUrl&, QAuthenticator* authenticator, const QString& proxyHost) {
            fill(authenticator,
                AnswerProxy(services.proxyCredentials, services.prompts, QWebEngineView::forPage(&page), proxyHost));
        });
}

} // namespace platform
