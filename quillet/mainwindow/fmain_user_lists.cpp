// SPDX-License-Identifier: MIT
// The favorite sellers and bidders lists, opened from the Favorites menu and the Favorites button's drop-down.
#include "quillet/mainwindow/fmain.h"

#include "quillet/favourites/ffavorites.h"
#include "quillet/favourites/user_listings.h"

namespace quillet
{

void FMain::ShowFavoriteUsers(bool bSellers)
{
    FFavorites favorites(m_services.messages, m_services.programFolder, this);
    favorites.SetListKind(bSellers);
    if (!favorites.OnFormLoad())
        return;
    favorites.exec();
    const QString chosen = favorites.ChosenID();
    favorites.Unload();
    if (!chosen.isEmpty())
        OpenInAuctionBrowser(user_listings::GetUserListingsURL(chosen, bSellers));
}

} // namespace quillet
