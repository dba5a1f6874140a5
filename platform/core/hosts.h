// SPDX-License-Identifier: MIT
#pragma once

// Every outside host, path and number the programs talk to, in one place.
// The simulator answers as each of these hosts.
namespace hosts
{

inline constexpr char kLastbellServer[] = "www.lastbell.com";
// The service's own site: its host and every subdomain, which the Lastbell tab keeps to.
inline constexpr char kLastbellDomain[] = "lastbell.com";
inline constexpr char kLastbellLoginPath[] = "/secure/login.cfm";
inline constexpr char kLastbellSignupPath[] = "/secure/signup.cfm";
inline constexpr char kLastbellSnipePath[] = "/secure/login.cfm?item_number=";
inline constexpr char kLastbellNewsPath[] = "/secure/news.cfm?";

// Click-tracking redirect: http://<server>/click-<account>-<link>?loc=<escaped destination>
inline constexpr char kRedirectServer[] = "www.qksrv.net";
inline constexpr char kRedirectAccount[] = "1108872";
inline constexpr char kRedirectLinkUs[] = "5463217";
inline constexpr char kRedirectLinkCanada[] = "5463218";
inline constexpr char kRedirectLinkUk[] = "5463219";
inline constexpr char kRedirectLinkAustralia[] = "5463220";

inline constexpr char kSiteUs[] = "www.ebay.com";
inline constexpr char kSiteCanada[] = "www.ebay.ca";
inline constexpr char kSiteUk[] = "www.ebay.co.uk";
inline constexpr char kSiteAustralia[] = "www.ebay.com.au";
inline constexpr char kPagesServer[] = "pages.ebay.com";
inline constexpr char kIrelandPath[] = "/ie/index.html";
inline constexpr char kNewZealandPath[] = "/nz/index.html";
inline constexpr char kMotorsPath[] = "/ebaymotors/index.html";

// Today's item pages on the country sites: the path, then the number, or a segment of words and the number.
inline constexpr char kItemPagePath[] = "/itm/";

// Auction pages, and a user's listings and bids (each on a server of its own).
inline constexpr char kAuctionServer[] = "cgi.ebay.com";
inline constexpr char kSellerListingsServer[] = "cgi6.ebay.com";
inline constexpr char kBidListingsServer[] = "cgi4.ebay.com";
inline constexpr char kListedItemsPath[] = "/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems";
inline constexpr char kBidItemsPath[] = "/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems";

// The maker.
inline constexpr char kMakerServer[] = "www.cobbleton.com";
inline constexpr char kMakerLastbellPath[] = "/Lastbell.html";
inline constexpr char kVersionPagePath[] = "/quillet/QuilletVersion.html";
inline constexpr char kUpdateFolderPath[] = "/downloads/updates/quillet/";
inline constexpr char kLastbellHelpMail[] = "help@lastbell.com";
inline constexpr char kMakerListMail[] = "list@cobbleton.com";

} // namespace hosts
