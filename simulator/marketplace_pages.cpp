// SPDX-License-Identifier: MIT
// The marketplace: the sites' home pages, auction pages, a user's listings and bids, the affiliate redirect.
#include "simulator/pages.h"

#include "platform/core/hosts.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

namespace simulator
{

namespace
{

struct Site {
    std::string_view host;
    std::string_view path;
    std::string_view title;
};

constexpr std::array kSites {
    Site { hosts::kSiteUs, "/", "eBay United States" },
    Site { hosts::kSiteCanada, "/", "eBay Canada" },
    Site { hosts::kSiteUk, "/", "eBay UK" },
    Site { hosts::kSiteAustralia, "/", "eBay Australia" },
    Site { hosts::kPagesServer, hosts::kIrelandPath, "eBay Ireland" },
    Site { hosts::kPagesServer, hosts::kNewZealandPath, "eBay New Zealand" },
    Site { hosts::kPagesServer, hosts::kMotorsPath, "eBay Motors" },
};

// "item=" stands in different places, as on the real pages.
constexpr std::array<std::string_view, 3> kAuctionPaths {
    "/ws/eBayISAPI.dll?ViewItem&item=1234567890",
    "/aw-cgi/eBayISAPI.dll?ViewItem&category=56&item=2345678901",
    "/ws/eBayISAPI.dll?item=1234&category=56",
};

// Today's item pages, one of each form, on the United States site.
constexpr std::array<std::string_view, 2> kItemPagePaths {
    "186543210987",
    "Enamel-Fountain-Pen-Boxed/3456789012?var=0&_trkparms=ispr%3D1",
};

constexpr std::array<std::string_view, 5> kItemTitles {
    "Brass ship's lantern",
    "Victorian pocket watch",
    "Signed first edition",
    "Hand-carved chess set",
    "Enamel fountain pen",
};
constexpr std::array<std::string_view, 3> kSellers { "harbourfinds", "tickandtock", "oldpaper_books" };

constexpr std::array<std::string_view, 4> kRedirectLinks {
    hosts::kRedirectLinkUs,
    hosts::kRedirectLinkCanada,
    hosts::kRedirectLinkUk,
    hosts::kRedirectLinkAustralia,
};

std::string auctionAddress(std::string_view pathAndQuery)
{
    return "http://" + std::string(hosts::kAuctionServer) + std::string(pathAndQuery);
}

std::string auctionLinks()
{
    std::string links = "<ul>\n";
    const auto link = [&links](const std::string& address, std::string_view title) {
        links += "<li><a href=\"" + htmlEscape(address) + "\">" + htmlEscape(title) + "</a></li>\n";
    };
    for (std::size_t i = 0; i < kAuctionPaths.size(); ++i)
        link(auctionAddress(kAuctionPaths[i]), kItemTitles[i]);
    for (std::size_t i = 0; i < kItemPagePaths.size(); ++i)
        link("http://" + std::string(hosts::kSiteUs) + hosts::kItemPagePath + std::string(kItemPagePaths[i]),
            kItemTitles[kAuctionPaths.size() + i]);
    return links + "</ul>\n";
}

// The item number as the program reads it: after the first "item=", here up to the next "&".
std::string itemNumber(const std::string& query)
{
    const auto start = query.find("item=") + 5;
    return query.substr(start, query.find('&', start) - start);
}

// An auction's page: its title, price and seller follow from the item number.
Reply auctionPageFor(const std::string& item)
{
    const std::size_t hash = std::hash<std::string> {}(item);
    const std::string seller(kSellers[hash % kSellers.size()]);
    const std::string title
        = "eBay item " + htmlEscape(item) + " - " + htmlEscape(kItemTitles[hash % kItemTitles.size()]);
    const std::string listings
        = "http://" + std::string(hosts::kSellerListingsServer) + hosts::kListedItemsPath + "&userid=" + seller;
    return { 200, kHtmlType,
        htmlPage(title,
            "<h1>" + title + "</h1>\n<p>Item number: " + htmlEscape(item) + "</p>\n<p>Current bid: US $"
                + std::to_string(10 + hash % 490) + ".00</p>\n" + "<p>Seller: <a href=\"" + htmlEscape(listings) + "\">"
                + seller + "</a> (see the seller's other items)</p>\n"),
        {} };
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

Reply marketplaceHomePage(const Target& target)
{
    for (const Site& site : kSites) {
        if (target.host == site.host && target.path == site.path) {
            const std::string title(site.title);
            return { 200, kHtmlType,
                htmlPage(title, "<h1>" + title + "</h1>\n<p>Auctions ending soon:</p>\n" + auctionLinks()), {} };
        }
    }
    return notFound(target);
}

Reply auctionPage(const Target& target)
{
    if (target.query.find("item=") == std::string::npos)
        return notFound(target);
    return auctionPageFor(itemNumber(target.query));
}

Reply itemPage(const Target& target)
{
    // On the country sites (their home page is the root): "/itm/NUMBER" or "/itm/WORDS/NUMBER".
    const bool countrySite = std::any_of(
        kSites.begin(), kSites.end(), [&](const Site& site) { return site.host == target.host && site.path == "/"; });
    if (!countrySite || target.path.rfind(hosts::kItemPagePath, 0) != 0)
        return notFound(target);
    const std::string_view rest = std::string_view(target.path).substr(std::string_view(hosts::kItemPagePath).size());
    const std::size_t slash = rest.find('/');
    const std::string_view words = slash == std::string_view::npos ? std::string_view() : rest.substr(0, slash);
    const std::string_view number = slash == std::string_view::npos ? rest : rest.substr(slash + 1);
    if ((slash != std::string_view::npos && words.empty()) || !allDigits(number))
        return notFound(target);
    return auctionPageFor(std::string(number));
}

Reply listingsPage(const Target& target)
{
    // Both addresses are "<dll path>?MfcISAPICommand=<command>".
    const std::string_view listed = hosts::kListedItemsPath;
    const std::string_view bids = hosts::kBidItemsPath;
    const auto command = queryValue(target.query, "MfcISAPICommand");
    const auto user = queryValue(target.query, "userid");
    if (target.path != listed.substr(0, listed.find('?')) || !command || !user)
        return notFound(target);
    const std::string who = htmlEscape(percentDecode(*user, false));
    // Each page is on its own server, as on the marketplace.
    std::string title;
    if (*command == listed.substr(listed.find('=') + 1) && target.host == hosts::kSellerListingsServer)
        title = "eBay - Items for sale by " + who;
    else if (*command == bids.substr(bids.find('=') + 1) && target.host == hosts::kBidListingsServer)
        title = "eBay - Items bid on by " + who;
    else
        return notFound(target);
    return { 200, kHtmlType, htmlPage(title, "<h1>" + title + "</h1>\n" + auctionLinks()), {} };
}

Reply redirectPage(const Target& target)
{
    // "/click-<account>-<link>"
    const std::string prefix = "/click-" + std::string(hosts::kRedirectAccount) + "-";
    const auto loc = queryValue(target.query, "loc");
    bool knownLink = false;
    for (const auto link : kRedirectLinks)
        knownLink = knownLink || target.path == prefix + std::string(link);
    if (!knownLink || !loc)
        return notFound(target);
    const std::string destination = percentDecode(*loc, false);
    Reply reply { 302, kHtmlType,
        htmlPage("Moved",
            "<p>This page has moved to <a href=\"" + htmlEscape(destination) + "\">" + htmlEscape(destination)
                + "</a>.</p>\n"),
        {} };
    reply.headers.emplace_back("Location", destination);
    return reply;
}

} // namespace simulator
