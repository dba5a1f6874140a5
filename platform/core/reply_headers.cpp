// SPDX-License-Identifier: MIT
#include "platform/core/reply_headers.h"

#include "platform/core/ascii_match.h"

#include <QNetworkReply>

namespace platform
{

QString HeaderBlockOf(const QNetworkReply& reply)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return {};
    const QString reason = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    QString block = QStringLiteral("HTTP/1.1 %1 %2\r\n").arg(status.toInt()).arg(reason);
    for (const auto& [name, value] : reply.rawHeaderPairs())
        block += QString::fromLatin1(name) + u": " + QString::fromLatin1(value) + u"\r\n";
    return block;
}

QString HeaderOf(const QNetworkReply& reply, const QString& name)
{
    return QString::fromLatin1(reply.rawHeader(name.toLatin1()));
}

QString StatusField(const QString& headerBlock)
{
    // Qt reads any whole number as the code; only three digits, ended by the space before the reason, are one.
    return ascii::startsWithShape(headerBlock, u"HTTP/#.# ### ") ? headerBlock.sliced(9, 3) : QString();
}

QString FirstHeaderLine(const QString& headerBlock)
{
    const qsizetype cr = headerBlock.indexOf(u'\r');
    return cr < 0 ? QString() : headerBlock.left(cr + 1);
}

qint64 LeadingNumber(const QString& value)
{
    const QStringView rest = ascii::skipped(value, ascii::isSpace);
    const QStringView digits = rest.first(rest.size() - ascii::skipped(rest, ascii::isDigit).size());
    return digits.toLongLong(); // 0 without digits, and when too large
}

namespace
{

// One to eighteen digits and nothing else.
std::optional<qint64> rangeNumber(QStringView text)
{
    if (text.size() > 18 || !ascii::isAll(text, ascii::isDigit))
        return std::nullopt;
    return text.toLongLong();
}

} // namespace

std::optional<ContentRange> ParseContentRange(const QString& value)
{
    // bytes FIRST-LAST/TOTAL, blanks around, at least one blank after "bytes".
    QStringView rest = ascii::skipped(value, ascii::isSpace);
    while (!rest.isEmpty() && ascii::isSpace(rest.back()))
        rest.chop(1);
    if (!rest.startsWith(u"bytes") || rest.size() < 6 || !ascii::isSpace(rest[5]))
        return std::nullopt;
    rest = ascii::skipped(rest.sliced(5), ascii::isSpace);
    const qsizetype dash = rest.indexOf(u'-');
    const qsizetype slash = rest.indexOf(u'/');
    if (dash < 0 || slash < dash)
        return std::nullopt;
    const std::optional<qint64> first = rangeNumber(rest.first(dash));
    const std::optional<qint64> last = rangeNumber(rest.sliced(dash + 1, slash - dash - 1));
    const std::optional<qint64> total = rangeNumber(rest.sliced(slash + 1));
    if (!first || !last || !total || *first > *last || *last >= *total)
        return std::nullopt;
    return ContentRange { *first, *last, *total };
}

QString ValidatorOf(const QString& eTag, const QString& lastModified)
{
    // A weak ETag may not be used to ask for part of a file.
    return !eTag.isEmpty() && !eTag.startsWith(u"W/") ? eTag : lastModified;
}

} // namespace platform
