// SPDX-License-Identifier: MIT
#include "quillet/service/snipe_address.h"

#include "platform/core/hosts.h"

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

} // namespace

bool HasItem(const QString& address)
{
    return address.contains(kItemKey, Qt::CaseSensitive);
}

QString ItemTextFromAddress(const QString& address)
{
    const qsizetype at = address.indexOf(kItemKey, 0, Qt::CaseSensitive);
    // Without the key (the user typed over the address since the button was enabled) there is no item:
    // the set-up page then opens with an empty item number and the service asks for one.
    if (at < 0)
        return {};
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
