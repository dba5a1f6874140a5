// SPDX-License-Identifier: MIT
// Character classes of the formats the programs read (HTTP headers, manifests, addresses), in ASCII only, so that
// no other script's digits or spaces slip through. Matched by hand rather than with a pattern engine: these run at
// every start (each address the auction browser shows, the version check's replies), and the engine's library and
// its compiler cost the start-up more memory and time than the checks themselves.
#pragma once

#include <QStringView>
#include <algorithm>

namespace platform::ascii
{

constexpr bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

constexpr bool isLower(QChar c)
{
    return c >= u'a' && c <= u'z';
}

constexpr bool isLetter(QChar c)
{
    return isLower(c) || (c >= u'A' && c <= u'Z');
}

constexpr bool isLowerHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f');
}

// Space, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool isSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Not empty, and every character passes.
template <typename Test> bool isAll(QStringView text, Test test)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), test);
}

// The text after its leading run of characters that pass.
template <typename Test> QStringView skipped(QStringView text, Test test)
{
    return text.sliced(std::find_if_not(text.begin(), text.end(), test) - text.begin());
}

// Whether the text begins with the shape, in which '#' stands for one digit and every other character for itself.
inline bool startsWithShape(QStringView text, QStringView shape)
{
    return text.size() >= shape.size()
        && std::equal(shape.begin(), shape.end(), text.begin(),
            [](QChar wanted, QChar found) { return wanted == u'#' ? isDigit(found) : wanted == found; });
}

} // namespace platform::ascii
