// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace quillet
{

// The snipe command's rules: which part of an auction address is the item, and the Lastbell page that sets up a
// snipe for it.
namespace snipe_address
{

// Whether the address names an item to snipe: it contains "item=" (case-sensitive).
bool HasItem(const QString& address);

// Everything after the first "item=" (case-sensitive), "&" and "#" included: the service gets it as it stands.
QString ItemTextFromAddress(const QString& address);

// The Lastbell set-up page for the item; the item text goes in unescaped and nothing follows it.
QString SetUpAddress(const QString& itemText);

} // namespace snipe_address

} // namespace quillet
