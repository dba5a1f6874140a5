// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace quillet
{

namespace user_listings
{

// The marketplace page of a seller's listed items (bSellers) or of a bidder's bids. The ID goes in exactly as
// listed, unescaped; the address is the same whichever national site is chosen.
QString GetUserListingsURL(const QString& sUserID, bool bSellers);

} // namespace user_listings

} // namespace quillet
