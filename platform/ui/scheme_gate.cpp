// SPDX-License-Identifier: MIT
#include "platform/ui/scheme_gate.h"

#include <QStringList>
#include <QUrl>

namespace platform
{

Handover HandoverOf(const QUrl& url, bool userStarted)
{
    if (!url.isValid())
        return Handover::Refused;
    const QString scheme = url.scheme();
    if (scheme == u"http" || scheme == u"https")
        return Handover::Browser;
    if (scheme == u"mailto" && userStarted)
        return Handover::MailProgram;
    return Handover::Refused;
}

bool LeavesTheEngine(const QUrl& url)
{
    static const QStringList shown { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
        QStringLiteral("data"), QStringLiteral("about"), QStringLiteral("blob"), QStringLiteral("qrc"),
        QStringLiteral("javascript") };
    return !shown.contains(url.scheme());
}

QString RefusedText(const QUrl& url)
{
    // The scheme comes from the page: only its first letters, as the reader of a status bar would take them.
    const QString scheme = url.scheme().left(20);
    return scheme.isEmpty() ? QStringLiteral("Not opened: the page gave no address")
                            : u"Not opened: " + scheme + u": addresses are not handed to other programs";
}

bool WithinSite(const QUrl& url, const QString& domain)
{
    if (url.scheme() != u"http" && url.scheme() != u"https")
        return true;
    QString host = url.host().toLower();
    if (host.endsWith(u'.')) // the fully qualified spelling of the same host
        host.chop(1);
    const QString site = domain.toLower();
    return host == site || host.endsWith(u'.' + site);
}

} // namespace platform
