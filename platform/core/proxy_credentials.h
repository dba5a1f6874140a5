// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/page_prompts.h"

#include <QMap>
#include <QString>
#include <functional>
#include <optional>

class QUrl;
class QWidget;

namespace platform
{

// The user name and password for a proxy that asks (407), shared by everything of one run that goes through it:
// the proxy setting's own (user info in http_proxy), else what the user typed, asked once. The same answer is given
// a few times, for requests that were under way together; asked for again after that, it was refused, and the
// user is asked again. Once the user cancels, nothing more is asked or sent this run: never a retry storm.
class ProxyCredentials
{
public:
    using Ask = std::function<std::optional<Credentials>()>;
    static constexpr int kTimesGiven = 3;

    // `configured` gives the proxy setting's credentials for a proxy host, if it has any.
    explicit ProxyCredentials(std::function<std::optional<Credentials>(const QString&)> configured);

    // What to send the proxy at `proxyHost`; nothing: the request ends in an error.
    std::optional<Credentials> answer(const QString& proxyHost, const Ask& ask);

    // The answer there is for that proxy, without asking: the setting's or the user's. For the version check, which
    // must not take the question from the browsers, whose pages the user is waiting for.
    std::optional<Credentials> known(const QString& proxyHost) const;

    // The proxy setting's credentials for that host (the system's proxy configuration, as Qt reads it).
    static std::optional<Credentials> FromProxySetting(const QString& proxyHost);

private:
    struct Proxy {
        bool settingTried = false;
        std::optional<Credentials> typed;
        int given = 0;
        bool cancelled = false;
        bool asking = false; // the user's answer is awaited
    };

    std::function<std::optional<Credentials>(const QString&)> m_configured;
    QMap<QString, Proxy> m_proxies;
};

// The run's one answer for the proxy at that host: the proxy setting's, or the user's, asked once over `owner`.
std::optional<Credentials> AnswerProxy(
    ProxyCredentials& proxies, PagePrompts& prompts, QWidget* owner, const QString& proxyHost);

} // namespace platform
