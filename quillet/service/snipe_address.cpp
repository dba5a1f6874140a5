// SPDX-License-Identifier: MIT
#include "quillet/service/snipe_address.h"

#include "platform/core/hosts.h"

#include <QRegularExpression>
#include <QUrl>

namespace quillet
{

namespace snipe_address
{

namespace
{

// Length of the text without its leading and trailing blanks (spaces only, not tabs or line ends).
qsizetype lengthWithoutBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return end - first;
}

const QLatin1String kItemKey("item=");

// The marketplace's names: "ebay." and a country suffix (com, de, co.uk, com.au, ...), alone or after other labels.
bool isMarketplaceHost(const QString& host)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:[a-z0-9-]+\\.)*ebay\\.(?:com|(?:com?\\.)?[a-z]{2})$"));
    return pattern.match(host).hasMatch();
}

} // namespace

std::optional<QString> MarketplaceItemNumber(const QString& address)
{
    const QUrl url(address);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || !isMarketplaceHost(url.host()))
        return std::nullopt;
    static const QRegularExpression path(u'^' + QRegularExpression::escape(QLatin1String(hosts::kItemPagePath))
        + QStringLiteral("(?:[^/]+/)?([0-9]+)$"));
    const QRegularExpressionMatch match = path.match(url.path(QUrl::FullyEncoded));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

std::optional<QString> ItemTextFromAddress(const QString& address)
{
    const qsizetype at = address.indexOf(kItemKey, 0, Qt::CaseSensitive);
    if (at < 0)
        return MarketplaceItemNumber(address);
    // The rest of the address, but never more characters than the address has without surrounding blanks.
    return address.mid(at + kItemKey.size(), lengthWithoutBlanks(address));
}

QString SetUpAddress(const QString& itemText)
{
    return QStringLiteral("http://") + QLatin1String(hosts::kLastbellServer) + QLatin1String(hosts::kLastbellSnipePath)
        + itemText;
}

} // namespace snipe_address

} // namespace quillet
