// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/refresh_rule.h"

#include "platform/core/product.h"
#include "quillet/service/snipe_address.h"

namespace quillet
{

namespace refresh_rule
{

QString Caption(const QString& second)
{
    return QLatin1String(product::kTitle) + QLatin1String(" > ") + second;
}

Outputs RefreshUiState(const Inputs& in)
{
    Outputs out;
    if (in.buttonTextShown) {
        out.navigateCaptions = { QStringLiteral("Back"), QStringLiteral("Forward"), QStringLiteral("Stop"),
            QStringLiteral("Refresh"), QStringLiteral("Home"), QStringLiteral("Favorites"), QString() };
    } else {
        out.navigateCaptions = QStringList(7, QString());
    }

    out.snipeButtonEnabled = snipe_address::ItemTextFromAddress(in.addressText).has_value();
    if (!out.snipeButtonEnabled)
        out.snipeMenuEnabled = false;
    else if (in.auctionTabInFront)
        out.snipeMenuEnabled = true;
    // With the Lastbell tab in front and an item in the box the menu item keeps whatever state it had.

    out.backEnabled = in.snipeTabActive ? in.snipeCanGoBack : in.auctionCanGoBack;
    out.forwardEnabled = in.snipeTabActive ? in.snipeCanGoForward : in.auctionCanGoForward;

    out.caption = Caption(in.auctionTabInFront ? in.auctionTitle : in.snipeTitle);
    out.addFavoriteEnabled = in.auctionTabInFront;
    return out;
}

} // namespace refresh_rule

} // namespace quillet
