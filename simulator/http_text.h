// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simulator
{

// A request target split into the parts the pages dispatch on. Through a proxy the target is the whole
// address ("http://host/path?query"); sent straight to the service it is "/path?query" and the host
// comes from the Host header.
struct Target {
    bool absolute = false;
    std::string host; // lower case, without a port
    std::string path; // "/" when the address has none, never percent-decoded
    std::string query; // everything after the first "?"
    bool hasQuery = false; // a bare trailing "?" counts
};

Target parseTarget(std::string_view target, std::string_view hostHeader);

// The raw (still escaped) value of the first "name=" parameter of a query, up to the next "&".
std::optional<std::string> queryValue(std::string_view query, std::string_view name);
// The raw values of every "name=" parameter, in order.
std::vector<std::string> queryValues(std::string_view query, std::string_view name);

// %XX becomes its byte; a malformed escape stays as it is. With plusIsSpace, "+" becomes a space
// (form bodies); otherwise it stays (addresses, the control interface).
std::string percentDecode(std::string_view text, bool plusIsSpace);

std::string htmlEscape(std::string_view text);

// A JSON string literal holding the bytes one character each (byte 0xE4 becomes "\u00e4").
std::string jsonString(std::string_view bytes);

bool startsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace simulator
