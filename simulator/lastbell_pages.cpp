// SPDX-License-Identifier: MIT
// The Lastbell site: login, the logged-in start page, sign-up, snipe set-up, news.
#include "simulator/pages.h"

#include "platform/core/hosts.h"

#include <string_view>

namespace simulator
{

namespace
{

constexpr std::string_view kSnipeSavePath = "/secure/snipe.cfm";
constexpr std::string_view kSessionCookie = "LBSESSION";
constexpr std::string_view kFormContentType = "application/x-www-form-urlencoded";

std::string_view newsPath()
{
    std::string_view path = hosts::kLastbellNewsPath;
    return path.substr(0, path.find('?'));
}

std::string loginForm()
{
    return "<form method=\"post\" action=\"" + std::string(hosts::kLastbellLoginPath)
        + "\" accept-charset=\"utf-8\">\n"
          "<p><label>User name: <input type=\"text\" name=\"username\"></label></p>\n"
          "<p><label>Password: <input type=\"password\" name=\"temp_password\"></label></p>\n"
          "<p><input type=\"submit\" value=\"Log In\"></p>\n"
          "</form>\n"
          "<p>No account yet? <a href=\""
        + std::string(hosts::kLastbellSignupPath) + "\">Sign up</a>.</p>\n";
}

Reply loginPage(std::string title, std::string_view message)
{
    return { 200, kHtmlType,
        htmlPage(title, "<h1>" + title + "</h1>\n<p>" + std::string(message) + "</p>\n" + loginForm()), {} };
}

Reply plainLoginPage()
{
    return loginPage("Lastbell - Login", "Please log in to manage your snipes.");
}

// Form fields by name, decoded ("+" is a space, %XX a byte); the first of repeated names counts.
std::string formField(const std::string& body, std::string_view name)
{
    return percentDecode(queryValue(body, name).value_or(std::string {}), true);
}

bool hasSession(const PageRequest& request, const SimulatorState& state)
{
    for (const auto& header : request.cookies) {
        std::string_view rest = header;
        while (!rest.empty()) {
            const auto end = std::min(rest.find(';'), rest.size());
            std::string_view cookie = rest.substr(0, end);
            while (!cookie.empty() && cookie.front() == ' ')
                cookie.remove_prefix(1);
            if (cookie.substr(0, kSessionCookie.size()) == kSessionCookie && cookie.size() > kSessionCookie.size()
                && cookie[kSessionCookie.size()] == '='
                && state.isSession(std::string(cookie.substr(kSessionCookie.size() + 1))))
                return true;
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    return false;
}

Reply loginPost(const PageRequest& request, SimulatorState& state)
{
    // A real form handler reads no fields from a body of another type.
    const bool isForm = startsWithNoCase(request.contentType, kFormContentType);
    const std::string user = isForm ? formField(request.body, "username") : std::string {};
    const std::string password = isForm ? formField(request.body, "temp_password") : std::string {};
    if (!isForm || !state.isAccount(user, password))
        return loginPage("Lastbell - Login Failed", "The user name or password is not right. Please try again.");
    const std::string title = "Lastbell - My Snipes";
    Reply reply { 200, kHtmlType,
        htmlPage(title,
            "<h1>My Snipes</h1>\n<p>Logged in as " + htmlEscape(user)
                + "</p>\n<p>You have no snipes waiting.</p>\n<p><a href=\"" + std::string(hosts::kLastbellNewsPath)
                + "\">News</a></p>\n"),
        {} };
    reply.headers.emplace_back("Set-Cookie", std::string(kSessionCookie) + "=" + state.openSession() + "; Path=/");
    return reply;
}

Reply snipeSetUpPage(const std::string& rawItem)
{
    const std::string item = htmlEscape(rawItem);
    return { 200, kHtmlType,
        htmlPage("Lastbell - Set Up Snipe",
            "<h1>Set Up Snipe</h1>\n<p>Item number: " + item + "</p>\n<form method=\"post\" action=\""
                + std::string(kSnipeSavePath) + "\">\n<input type=\"hidden\" name=\"item_number\" value=\"" + item
                + "\">\n<p><label>Your maximum bid: <input type=\"text\" name=\"amount\"></label></p>\n"
                  "<p><input type=\"submit\" value=\"Save Snipe\"></p>\n</form>\n"),
        {} };
}

Reply snipeSavedPage(const PageRequest& request)
{
    return { 200, kHtmlType,
        htmlPage("Lastbell - Snipe Saved",
            "<h1>Snipe Saved</h1>\n<p>Item number: " + htmlEscape(formField(request.body, "item_number"))
                + "</p>\n<p>Maximum bid: " + htmlEscape(formField(request.body, "amount")) + "</p>\n"),
        {} };
}

Reply simplePage(const std::string& title, const std::string& body)
{
    return { 200, kHtmlType, htmlPage(title, "<h1>" + title + "</h1>\n" + body), {} };
}

} // namespace

Reply lastbellPage(const PageRequest& request, SimulatorState& state)
{
    const Target& target = request.target;
    if (target.path == hosts::kLastbellLoginPath) {
        if (request.method == "POST")
            return loginPost(request, state);
        const auto item = queryValue(target.query, "item_number");
        if (item && hasSession(request, state))
            return snipeSetUpPage(*item);
        return plainLoginPage();
    }
    if (target.path == kSnipeSavePath && request.method == "POST")
        return hasSession(request, state) ? snipeSavedPage(request) : plainLoginPage();
    if (target.path == hosts::kLastbellSignupPath)
        return simplePage("Lastbell - Sign Up",
            "<p>Snipe bids placed for you in the last seconds of an auction.</p>\n"
            "<p>Sign-up is closed on this demonstration server; log in as the demo account.</p>\n");
    if (target.path == newsPath())
        return simplePage("Lastbell - News", "<p>Lastbell now snipes on every eBay site.</p>\n");
    return notFound(target);
}

} // namespace simulator
