// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/page_services.h"

#include "platform/core/page_prompts.h"

#include <QString>
#include <optional>

class QAuthenticator;
class QUrl;
class QWebEnginePage;
class QWidget;

namespace platform
{

// The words of the two password questions.
QString SitePasswordText(const QString& host, const QString& realm);
QString ProxyPasswordText(const QString& proxyHost);

// A page's questions for a password: a site's (401) is asked of the user each time, naming the host and its realm,
// and Cancel shows the server's own page; a proxy's (407) is answered from the run's shared proxy credentials.
// Nothing is written anywhere.
void AnswerPasswordQuestions(QWebEnginePage& page, PageServices services);

// The program's one answer for the proxy at that host (the proxy setting's, or the user's, asked once over `owner`):
// what the version check and the updater send.
std::optional<Credentials> AnswerProxy(
    ProxyCredentials& proxies, PagePrompts& prompts, QWidget* owner, const QString& proxyHost);

} // namespace platform
