// SPDX-License-Identifier: MIT
#pragma once

#include "simulator/http_text.h"
#include "simulator/simulator_state.h"

#include <string>
#include <utility>
#include <vector>

namespace simulator
{

inline constexpr char kHtmlType[] = "text/html; charset=utf-8";
// The host of the hostile pages; no page of the program ever names it.
inline constexpr char kHostileServer[] = "pages.hostile.example";

struct Reply {
    int status = 200;
    std::string contentType = kHtmlType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// What a page needs to know of a request.
struct PageRequest {
    std::string method;
    Target target;
    std::string contentType;
    std::vector<std::string> cookies; // every Cookie header value
    std::string body;
    std::string authorization;
};

// A small complete page; title and body are HTML already (escape text before).
std::string htmlPage(const std::string& title, const std::string& body);
Reply notFound(const Target& target);

// One function per host; each answers notFound for a path it does not know.
Reply lastbellPage(const PageRequest& request, SimulatorState& state);
Reply marketplaceHomePage(const Target& target);
Reply auctionPage(const Target& target);
Reply itemPage(const Target& target);
Reply listingsPage(const Target& target);
Reply redirectPage(const Target& target);
Reply makerPage(const Target& target, const SimulatorState& state);
Reply hostilePage(const PageRequest& request);
// The attachment's bytes, which a test compares with the file saved.
std::string AttachmentBody();

} // namespace simulator
