// SPDX-License-Identifier: MIT
#include "platform/core/reply_headers.h"

#include <QRegularExpression>

namespace platform
{

QString StatusField(const QString& headerBlock)
{
    return headerBlock.mid(9, 3);
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
