// SPDX-License-Identifier: MIT
#include "platform/core/favorites/html_entities.h"

#include <algorithm>
#include <iterator>

namespace platform
{

namespace
{

// The references that bookmark exports write, and the common ones of page titles.
struct Named {
    const char16_t* name;
    char16_t character;
};
constexpr Named kNamed[] = { { u"amp", u'&' }, { u"lt", u'<' }, { u"gt", u'>' }, { u"quot", u'"' }, { u"apos", u'\'' },
    { u"nbsp", u'\u00A0' }, { u"copy", u'\u00A9' }, { u"reg", u'\u00AE' }, { u"trade", u'\u2122' },
    { u"hellip", u'\u2026' }, { u"mdash", u'\u2014' }, { u"ndash", u'\u2013' }, { u"lsquo", u'\u2018' },
    { u"rsquo", u'\u2019' }, { u"ldquo", u'\u201C' }, { u"rdquo", u'\u201D' }, { u"laquo", u'\u00AB' },
    { u"raquo", u'\u00BB' }, { u"euro", u'\u20AC' }, { u"pound", u'\u00A3' }, { u"yen", u'\u00A5' },
    { u"cent", u'\u00A2' }, { u"sect", u'\u00A7' }, { u"deg", u'\u00B0' }, { u"middot", u'\u00B7' },
    { u"bull", u'\u2022' }, { u"times", u'\u00D7' } };

// Longest reference looked at, ";" included.
constexpr qsizetype kMaxReference = 12;

// The character of a numeric reference body ("#233", "#xE9"), or 0 when it is none.
char32_t numeric(QStringView body)
{
    if (body.size() < 2 || body[0] != u'#')
        return 0;
    const bool hex = body[1] == u'x' || body[1] == u'X';
    const QStringView digits = body.sliced(hex ? 2 : 1);
    if (digits.isEmpty() || digits.size() > 8)
        return 0;
    bool ok = false;
    const uint code = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return ok ? U'\uFFFD' : 0;
    return code;
}

} // namespace

QString DecodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        const qsizetype semicolon
            = c == u'&' ? text.sliced(i).first(qMin(text.size() - i, kMaxReference)).indexOf(u';') : -1;
        if (semicolon < 0) {
            out.append(c);
            ++i;
            continue;
        }
        const QStringView body = text.sliced(i + 1, semicolon - 1);
        if (const char32_t code = numeric(body)) {
            out.append(QStringView(QChar::fromUcs4(code)));
            i += semicolon + 1;
            continue;
        }
        const auto named = std::find_if(
            std::begin(kNamed), std::end(kNamed), [body](const Named& n) { return body == QStringView(n.name); });
        if (named != std::end(kNamed)) {
            out.append(QChar(named->character));
            i += semicolon + 1;
            continue;
        }
        out.append(c);
        ++i;
    }
    return out;
}

} // namespace platform
