// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// What the main window shows for its current state: recomputed after every event that can change it.
namespace refresh_rule
{

struct Inputs {
    QString addressText;
    bool auctionTabInFront = false;
    bool buttonTextShown = true;
    bool snipeTabActive = false; // v_bSnipeTabActive
    bool snipeCanGoBack = false;
    bool snipeCanGoForward = false;
    bool auctionCanGoBack = false;
    bool auctionCanGoForward = false;
    QString snipeTitle;
    QString auctionTitle;
    bool snipeMenuEnabled = false; // the menu item's state before this refresh
};

struct Outputs {
    QStringList navigateCaptions; // buttons 1 to 7
    bool snipeButtonEnabled = false;
    bool snipeMenuEnabled = false;
    bool backEnabled = false;
    bool forwardEnabled = false;
    QString caption;
    bool addFavoriteEnabled = false;
};

Outputs RefreshUiState(const Inputs& in);

QString Caption(const QString& second);

} // namespace refresh_rule

} // namespace quillet
