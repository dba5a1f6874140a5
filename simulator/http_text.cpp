// SPDX-License-Identifier: MIT
#include "simulator/http_text.h"

#include <algorithm>
#include <cctype>

namespace simulator
{

namespace
{

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string hostWithoutPort(std::string_view host)
{
    const auto colon = host.rfind(':');
    if (colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos)
        host = host.substr(0, colon);
    return lower(host);
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

Target parseTarget(std::string_view target, std::string_view hostHeader)
{
    Target result;
    std::string_view rest = target;
    constexpr std::string_view scheme = "http://";
    if (startsWithNoCase(rest, scheme)) {
        result.absolute = true;
        rest.remove_prefix(scheme.size());
        const auto hostEnd = std::min(rest.find('/'), rest.find('?'));
        result.host = hostWithoutPort(rest.substr(0, std::min(hostEnd, rest.size())));
        rest = hostEnd == std::string_view::npos ? std::string_view {} : rest.substr(hostEnd);
    } else {
        result.host = hostWithoutPort(hostHeader);
    }
    const auto question = rest.find('?');
    result.path = std::string(rest.substr(0, question));
    if (result.path.empty())
        result.path.push_back('/'); // assigning a literal here trips a false -Wrestrict in g++ 12
    if (question != std::string_view::npos) {
        result.hasQuery = true;
        result.query = std::string(rest.substr(question + 1));
    }
    return result;
}

std::vector<std::string> queryValues(std::string_view query, std::string_view name)
{
    std::vector<std::string> values;
    std::size_t start = 0;
    while (start <= query.size()) {
        const auto end = std::min(query.find('&', start), query.size());
        const auto field = query.substr(start, end - start);
        if (field.size() > name.size() && field.substr(0, name.size()) == name && field[name.size()] == '=')
            values.emplace_back(field.substr(name.size() + 1));
        start = end + 1;
    }
    return values;
}

std::optional<std::string> queryValue(std::string_view query, std::string_view name)
{
    std::vector<std::string> values = queryValues(query, name);
    return values.empty() ? std::nullopt : std::optional(std::move(values.front()));
}

std::string percentDecode(std::string_view text, bool plusIsSpace)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            result += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            result += ' ';
        } else {
            result += c;
        }
    }
    return result;
}

std::string htmlEscape(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += "&#39;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string jsonString(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string result = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            result += '\\';
            result += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            result += "\\u00";
            result += digits[byte >> 4];
            result += digits[byte & 0xf];
        } else {
            result += c;
        }
    }
    result += '"';
    return result;
}

} // namespace simulator
