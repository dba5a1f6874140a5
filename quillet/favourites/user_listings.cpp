// SPDX-License-Identifier: MIT
#include "quillet/favourites/user_listings.h"

#include "platform/core/hosts.h"

namespace quillet
{

namespace user_listings
{

QString GetUserListingsURL(const QString& sUserID, bool bSellers)
{
    if (bSellers) {
        return QLatin1String("http://") + QLatin1String(hosts::kSellerListingsServer)
            + QLatin1String(hosts::kListedItemsPath) + QLatin1String("&userid=") + sUserID
            + QLatin1String("&include=0&since=-1&sort=2&rows=25");
    }
    return QLatin1String("http://") + QLatin1String(hosts::kBidListingsServer) + QLatin1String(hosts::kBidItemsPath)
        + QLatin1String("&userid=") + sUserID + QLatin1String("&completed=0&all=1&rows=25");
}

} // namespace user_listings

} // namespace quillet
