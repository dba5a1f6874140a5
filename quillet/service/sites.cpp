// SPDX-License-Identifier: MIT
#include "quillet/service/sites.h"

#include "platform/core/hosts.h"

namespace quillet
{

namespace sites
{

namespace
{

QString http(const char* host, const char* path = "")
{
    return QLatin1String("http://") + QLatin1String(host) + QLatin1String(path);
}

QString redirect(const char* link, const QString& escapedDestination)
{
    return http(hosts::kRedirectServer) + QLatin1String("/click-") + QLatin1String(hosts::kRedirectAccount)
        + QLatin1Char('-') + QLatin1String(link) + QLatin1String("?loc=") + escapedDestination;
}

// The four country sites' destinations are stored ready-escaped, as the redirect expects them.
QString countryRoot(const char* host)
{
    return QLatin1String("http%3A//") + QLatin1String(host);
}

struct Site {
    const char* caption;
};

constexpr Site kSites[kCount] = {
    { "&eBay.com" },
    { "eBay &Canada" },
    { "eBay &UK" },
    { "eBay &Australia" },
    { "eBay &Ireland" },
    { "eBay &New Zealand" },
    { "eBay &Motors" },
};

} // namespace

QString caption(int index)
{
    return index >= 1 && index <= kCount ? QLatin1String(kSites[index - 1].caption) : QString();
}

QString GetSiteHomeAddress(int index)
{
    switch (index) {
    case 1:
        return redirect(hosts::kRedirectLinkUs, countryRoot(hosts::kSiteUs));
    case 2:
        return redirect(hosts::kRedirectLinkCanada, countryRoot(hosts::kSiteCanada));
    case 3:
        return redirect(hosts::kRedirectLinkUk, countryRoot(hosts::kSiteUk));
    case 4:
        return redirect(hosts::kRedirectLinkAustralia, countryRoot(hosts::kSiteAustralia));
    case 5:
        return http(hosts::kPagesServer, hosts::kIrelandPath);
    case 6:
        return http(hosts::kPagesServer, hosts::kNewZealandPath);
    case 7:
        return http(hosts::kPagesServer, hosts::kMotorsPath);
    default:
        return {};
    }
}

QString MakeAffiliateAddress(const QString& address)
{
    return redirect(hosts::kRedirectLinkUs, EscapeForRedirect(address));
}

QString EscapeForRedirect(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char(':'), QLatin1String("%3A"));
    escaped.replace(QLatin1Char('?'), QLatin1String("%3F"));
    escaped.replace(QLatin1Char('&'), QLatin1String("%26"));
    escaped.replace(QLatin1Char('='), QLatin1String("%3D"));
    return escaped;
}

} // namespace sites

} // namespace quillet
