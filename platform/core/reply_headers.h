// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

class QNetworkReply;

// Readers of the parts of a reply that the updater and the version check look at. Every value comes from the server:
// bounded.
namespace platform
{

// A reply's status line and headers as Qt hands them over, as one block: "HTTP/1.1 CODE REASON" and a
// "Name: value" line for each header, each line ending in CRLF; empty when no server answered.
QString HeaderBlockOf(const QNetworkReply& reply);
// The value of one header of a reply, its name matched without regard to case; empty when it has none.
QString HeaderOf(const QNetworkReply& reply, const QString& name);

// The three digits of a reply-header block's status code; empty when the code is not three digits.
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
