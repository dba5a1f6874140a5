// SPDX-License-Identifier: MIT
#include "quillet/update/version_reply.h"

#include "platform/core/hosts.h"

namespace quillet
{

namespace version_reply
{

QString PageUrl()
{
    return u"http://" + QLatin1String(hosts::kMakerServer) + QLatin1String(hosts::kVersionPagePath);
}

std::optional<QString> PublishedVersion(const QString& page)
{
    static const QString marker = QStringLiteral("Version =");
    const QString searched = page.left(kReadChars);
    const qsizetype match = searched.indexOf(marker);
    if (match < 0)
        return std::nullopt;
    const qsizetype start = match + marker.size();
    const qsizetype end = searched.indexOf(u'+', start);
    // Without the closing "+" the page names no version.
    if (end < 0)
        return std::nullopt;
    return searched.mid(start, end - start);
}

bool OffersUpdate(const QString& page, const QString& ownVersion)
{
    const std::optional<QString> published = PublishedVersion(page);
    return published && *published != ownVersion;
}

} // namespace version_reply

} // namespace quillet
