// SPDX-License-Identifier: MIT
// The page frame, the not-found page and the maker's own pages.
#include "simulator/pages.h"

#include "platform/core/hosts.h"

namespace simulator
{

std::string htmlPage(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title + "</title></head>\n<body>\n" + body
        + "</body></html>\n";
}

Reply notFound(const Target& target)
{
    const std::string address = "http://" + target.host + target.path + (target.hasQuery ? "?" + target.query : "");
    return { 404, kHtmlType,
        htmlPage("404 Not Found",
            "<h1>Not Found</h1>\n<p>The page " + htmlEscape(address) + " was not found on this server.</p>\n"),
        {} };
}

Reply makerPage(const Target& target, const SimulatorState& state)
{
    const std::string versionPath = hosts::kVersionPagePath;
    if (target.path == "/")
        return { 200, kHtmlType,
            htmlPage("Cobbleton Software",
                "<h1>Cobbleton Software</h1>\n<p>Makers of <a href=\"" + std::string(hosts::kMakerLastbellPath)
                    + "\">Lastbell Quillet</a>.</p>\n<p><a href=\"" + versionPath + "\">Latest version</a></p>\n"),
            {} };
    if (target.path == hosts::kMakerLastbellPath)
        return { 200, kHtmlType,
            htmlPage("Lastbell Quillet",
                "<h1>Lastbell Quillet</h1>\n<p>Snipe from the page you are looking at, with Lastbell.</p>\n"),
            {} };
    if (target.path == versionPath) {
        const VersionPage page = state.versionPage();
        if (page.replacement)
            return { 200, kHtmlType, *page.replacement, {} };
        return { 200, kHtmlType,
            htmlPage("Quillet Version",
                "<p>Version =" + page.text + "+</p>\n<p>The current release of Lastbell Quillet.</p>\n"),
            {} };
    }
    return notFound(target);
}

} // namespace simulator
