// SPDX-License-Identifier: MIT
#include "platform/core/proxy_credentials.h"

#include <QNetworkProxyFactory>
#include <QUrl>

namespace platform
{

namespace
{

// The words of the proxy's password question.
QString ProxyPasswordText(const QString& proxyHost)
{
    return QStringLiteral("The proxy ") + proxyHost
        + QStringLiteral(" asks for a user name and password. They are used for this run only, and not kept.");
}

} // namespace

ProxyCredentials::ProxyCredentials(std::function<std::optional<Credentials>(const QString&)> configured)
    : m_configured(std::move(configured))
{
}

std::optional<Credentials> ProxyCredentials::answer(const QString& proxyHost, const Ask& ask)
{
    const QString host = proxyHost.toLower(); // host names are not case-sensitive
    Proxy& proxy = m_proxies[host];
    if (proxy.cancelled)
        return std::nullopt;
    if (!proxy.settingTried) {
        proxy.settingTried = true;
        if (const std::optional<Credentials> configured = m_configured(host)) {
            proxy.typed = configured;
            proxy.given = 1;
            return configured;
        }
    }
    if (proxy.typed && proxy.given < kTimesGiven) {
        ++proxy.given;
        return proxy.typed;
    }
    // A request that comes while the user is being asked (the question waits in a dialog of its own) is not
    // asked again: it goes without, as one that came after a Cancel would.
    if (proxy.asking)
        return std::nullopt;
    proxy.asking = true;
    const std::optional<Credentials> typed = ask();
    Proxy& asked = m_proxies[host]; // the map may have grown meanwhile
    asked.asking = false;
    asked.typed = typed;
    asked.given = typed ? 1 : 0;
    asked.cancelled = !typed;
    return typed;
}

std::optional<Credentials> ProxyCredentials::known(const QString& proxyHost) const
{
    const QString host = proxyHost.toLower();
    const auto proxy = m_proxies.constFind(host);
    if (proxy != m_proxies.constEnd() && proxy->cancelled)
        return std::nullopt;
    if (proxy != m_proxies.constEnd() && proxy->typed)
        return proxy->typed;
    return m_configured(host);
}

std::optional<Credentials> ProxyCredentials::FromProxySetting(const QString& proxyHost)
{
    for (const char* scheme : { "http", "https" }) {
        const QNetworkProxyQuery query(QUrl(QString::fromLatin1(scheme) + QStringLiteral("://www.example.com/")));
        for (const QNetworkProxy& proxy : QNetworkProxyFactory::systemProxyForQuery(query)) {
            if (proxy.hostName().compare(proxyHost, Qt::CaseInsensitive) == 0 && !proxy.user().isEmpty())
                return Credentials { proxy.user(), proxy.password() };
        }
    }
    return std::nullopt;
}

std::optional<Credentials> AnswerProxy(
    ProxyCredentials& proxies, PagePrompts& prompts, QWidget* owner, const QString& proxyHost)
{
    return proxies.answer(proxyHost, [&prompts, owner, &proxyHost] {
        return prompts.credentials(owner, QStringLiteral("Password for the proxy"), ProxyPasswordText(proxyHost));
    });
}

} // namespace platform
