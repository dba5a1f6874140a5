// SPDX-License-Identifier: MIT
#include "platform/core/proxy_credentials.h"

#include <QNetworkProxyFactory>
#include <QUrl>

namespace platform
{

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
    proxy.typed = ask();
    proxy.given = proxy.typed ? 1 : 0;
    proxy.cancelled = !proxy.typed;
    return proxy.typed;
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

} // namespace platform
