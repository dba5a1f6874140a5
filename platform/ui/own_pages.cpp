// SPDX-License-Identifier: MIT
#include "platform/ui/own_pages.h"

namespace platform
{

namespace
{

QString page(const QString& title, const QString& body)
{
    return u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><link rel=\"icon\" href=\"data:,\"><title>" + title
        + u"</title><style>body { font-family: sans-serif; margin: 2em; } p { max-width: 40em; }</style></head>"
          u"<body><h1>"
        + title + u"</h1>" + body + u"</body></html>";
}

} // namespace

std::optional<QUrl> TypedAddress(const QString& text)
{
    const QUrl url = QUrl::fromUserInput(text.trimmed());
    if (!url.isValid() || url.scheme() == u"javascript")
        return std::nullopt;
    return url;
}

QString NotAnAddressPage(const QString& text)
{
    return page(QStringLiteral("Not an address"),
        u"<p>\u201c" + text.left(2000).toHtmlEscaped()
            + u"\u201d is not an address that can be opened here. Type an address such as www.ebay.com, or "
              u"choose a page from the address list.</p>");
}

QString StoppedPageHtml(const QUrl& address)
{
    const QString shown = address.toDisplayString().toHtmlEscaped();
    const QString link = address.toString(QUrl::FullyEncoded).toHtmlEscaped();
    return page(QStringLiteral("Page stopped"),
        u"<p>The page at " + shown
            + u" stopped: the process that showed it ended (it may have run out of memory, or crashed). It was "
              u"not opened again by itself.</p><p><a href=\""
            + link + u"\">Reload</a> it, or press F5.</p>");
}

} // namespace platform
