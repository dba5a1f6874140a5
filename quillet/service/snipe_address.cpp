// SPDX-License-Identifier: MIT
#include "quillet/service/snipe_address.h"

#include "platform/core/ascii_match.h"
#include "platform/core/hosts.h"

#include <QList>
#include <QUrl>
#include <algorithm>

namespace ascii = platform::ascii;

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

bool isLabel(QStringView label)
{
    return ascii::isAll(label, [](QChar c) { return ascii::isLower(c) || ascii::isDigit(c) || c == u'-'; });
}

bool isCountry(QStringView label)
{
    return label.size() == 2 && ascii::isAll(label, ascii::isLower);
}

// The marketplace's names: "ebay." and a country suffix (com, de, co.uk, com.au, ...), alone or after other labels.
bool isMarketplaceHost(const QString& host)
{
    const QList<QStringView> labels = QStringView(host).split(u'.');
    const qsizetype count = labels.size();
    qsizetype name = -1; // where "ebay" stands
    if (count >= 2 && labels[count - 2] == u"ebay" && (labels[count - 1] == u"com" || isCountry(labels[count - 1])))
        name = count - 2;
    else if (count >= 3 && labels[count - 3] == u"ebay" && (labels[count - 2] == u"co" || labels[count - 2] == u"com")
        && isCountry(labels[count - 1]))
        name = count - 3;
    return name >= 0 && std::all_of(labels.begin(), labels.begin() + name, isLabel);
}

// The item page's path: /itm/, perhaps one segment of words, then the number.
std::optional<QString> itemNumberOfPath(const QString& path)
{
    const QLatin1String start(hosts::kItemPagePath);
    if (!path.startsWith(start))
        return std::nullopt;
    const QStringView rest = QStringView(path).mid(start.size());
    const qsizetype slash = rest.indexOf(u'/');
    if (slash == 0 || (slash > 0 && rest.indexOf(u'/', slash + 1) >= 0))
        return std::nullopt;
    const QStringView number = rest.mid(slash + 1); // the whole rest when there is no slash
    if (!ascii::isAll(number, ascii::isDigit))
        return std::nullopt;
    return number.toString();
}

} // namespace

std::optional<QString> MarketplaceItemNumber(const QString& address)
{
    const QUrl url(address);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        || !isMarketplaceHost(url.host()))
        return std::nullopt;
    return itemNumberOfPath(url.path(QUrl::FullyEncoded));
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
