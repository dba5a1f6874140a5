// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

// Readers of the parts of a reply that the updater and the version check look at. Every value comes from the server:
// bounded.
namespace platform
{

// The three digits after the protocol version of a reply-header block's status line.
QString StatusField(const QString& headerBlock);
// The block up to and including its first CR; empty when it has none.
QString FirstHeaderLine(const QString& headerBlock);
// The leading whole number of a header value, 0 when there is none.
qint64 LeadingNumber(const QString& value);

struct ContentRange {
    qint64 first = 0;
    qint64 last = 0;
    qint64 total = 0;
};
// "bytes first-last/total" with first <= last < total; nothing when the value has another form or no known total.
std::optional<ContentRange> ParseContentRange(const QString& value);
// What tells one published file from another: a strong ETag, else Last-Modified; empty when the reply has neither.
QString ValidatorOf(const QString& eTag, const QString& lastModified);

} // namespace platform
