// SPDX-License-Identifier: MIT
#include "platform/core/reply_headers.h"

#include <QNetworkReply>
#include <QRegularExpression>

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
    static const QRegularExpression statusLine(QStringLiteral("^HTTP/\\d\\.\\d ([0-9]{3}) "));
    return statusLine.match(headerBlock).captured(1);
}

QString FirstHeaderLine(const QString& headerBlock)
{
    const qsizetype cr = headerBlock.indexOf(u'\r');
    return cr < 0 ? QString() : headerBlock.left(cr + 1);
}

qint64 LeadingNumber(const QString& value)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*(\\d+)"));
    const QRegularExpressionMatch match = leading.match(value);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

std::optional<ContentRange> ParseContentRange(const QString& value)
{
    static const QRegularExpression form(QStringLiteral("^\\s*bytes\\s+(\\d{1,18})-(\\d{1,18})/(\\d{1,18})\\s*$"));
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    const ContentRange range { match.captured(1).toLongLong(), match.captured(2).toLongLong(),
        match.captured(3).toLongLong() };
    if (range.first > range.last || range.last >= range.total)
        return std::nullopt;
    return range;
}

QString ValidatorOf(const QString& eTag, const QString& lastModified)
{
    // A weak ETag may not be used to ask for part of a file.
    return !eTag.isEmpty() && !eTag.startsWith(u"W/") ? eTag : lastModified;
}

} // namespace platform
