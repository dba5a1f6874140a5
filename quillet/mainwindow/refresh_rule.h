// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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
};

struct Outputs {
    QStringList navigateCaptions; // buttons 1 to 7
    bool snipeButtonEnabled = false;
    std::optional<bool> snipeMenuEnabled; // none: the menu item keeps the state it has
    bool backEnabled = false;
    bool forwardEnabled = false;
    QString caption;
    bool addFavoriteEnabled = false;
};

Outputs RefreshUiState(const Inputs& in);

QString Caption(const QString& second);

} // namespace refresh_rule

} // namespace quillet
