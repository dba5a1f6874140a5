// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

namespace quillet
{

// The maker's version page and what it publishes.
namespace version_reply
{

// Only this much of the page is read.
inline constexpr int kReadChars = 5000;

QString PageUrl();
// Everything between the first "Version =" and the next "+", both within the first kReadChars characters.
std::optional<QString> PublishedVersion(const QString& page);
// True when the page publishes a version text other than `ownVersion`, higher or lower.
bool OffersUpdate(const QString& page, const QString& ownVersion);

} // namespace version_reply

} // namespace quillet
