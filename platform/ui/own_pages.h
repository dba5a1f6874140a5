// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace platform
{

// The address a browser's address bar would open for that text ("www.ebay.co.uk" and "ebay.ca/itm/123" over
// http); nothing for a text that is no address, or one that would run script in the page shown (javascript:).
std::optional<QUrl> TypedAddress(const QString& text);

// The program's own pages, shown in a view in place of one it could not show.
// Titled "Not an address": the text typed, which opens nothing.
QString NotAnAddressPage(const QString& text);
// Titled "Page stopped": the page at that address ended abnormally; a Reload link to it.
QString StoppedPageHtml(const QUrl& address);

} // namespace platform
