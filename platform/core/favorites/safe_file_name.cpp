// SPDX-License-Identifier: MIT
#include "platform/core/favorites/safe_file_name.h"

namespace platform
{

namespace
{

bool isUnsafe(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/<>:\"\\|?*").contains(c)
        || c.category() == QChar::Other_Control;
}

QString cutToBytes(const QString& text, int maxBytes)
{
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(text[end], text[end + 1]) : text[end].unicode();
        const int width = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    return text.first(end);
}

QString made(const QString& title)
{
    QString name;
    name.reserve(qMin<qsizetype>(title.size(), kMaxSafeNameBytes));
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        // A surrogate without its partner cannot be stored in a file name.
        const bool lone = (c.isHighSurrogate() && !(i + 1 < title.size() && title[i + 1].isLowSurrogate()))
            || (c.isLowSurrogate() && !(i > 0 && title[i - 1].isHighSurrogate()));
        name.append(isUnsafe(c) || lone ? QChar(u'_') : c);
        if (name.size() > kMaxSafeNameBytes * 2) // enough to fill the byte limit whatever the letters
            break;
    }
    name = cutToBytes(name.trimmed(), kMaxSafeNameBytes);
    while (!name.isEmpty() && (name.back() == u'.' || name.back().isSpace()))
        name.chop(1);
    if (name.startsWith(u'.'))
        name[0] = u'_';
    return name;
}

} // namespace

QString SafeFileName(const QString& title, const QString& fallback)
{
    QString name = made(title);
    if (name.isEmpty())
        name = made(fallback);
    return name.isEmpty() ? QStringLiteral("Untitled") : name;
}

} // namespace platform
