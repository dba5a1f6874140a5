// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace quillet
{

// The seven marketplace sites of the start-up site menu and the addresses built for them.
namespace sites
{

inline constexpr int kCount = 7;

// Menu caption of site 1 to 7.
QString caption(int index);

// Home address of site 1 to 7; empty for any other index (no site checked).
QString GetSiteHomeAddress(int index);

// The click-tracking redirect whose "loc" carries the given address.
QString MakeAffiliateAddress(const QString& address);

QString EscapeForRedirect(const QString& text);

} // namespace sites

} // namespace quillet
