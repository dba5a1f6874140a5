// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

namespace quillet
{

// The snipe command's rules: which part of an auction address is the item, and the Lastbell page that sets up a
// snipe for it.
namespace snipe_address
{

// Which item the address names, the one answer for the snipe command and for when it is offered; none when the
// address names no item. An address with "item=" (case-sensitive) gives everything after the first one, "&" and
// "#" included: the service gets it as it stands. Otherwise a marketplace item page gives its number.
std::optional<QString> ItemTextFromAddress(const QString& address);

// The number of a marketplace item page: http or https, a host of the marketplace's (ebay.com, ebay.co.uk, ...,
// with any labels before the name), and a path of /itm/ and the number, or /itm/, one segment of words and the
// number. Its digits only; none for any other address.
std::optional<QString> MarketplaceItemNumber(const QString& address);

// The Lastbell set-up page for the item; the item text goes in unescaped and nothing follows it.
QString SetUpAddress(const QString& itemText);

} // namespace snipe_address

} // namespace quillet
