// SPDX-License-Identifier: MIT
#include "platform/core/favorites/ini_reader.h"

#include "platform/core/ansi_text.h"

#include <QFile>
#include <QStringView>

namespace platform
{

namespace
{

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView withoutQuotes(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// The name of a "[section]" line, or a null view when the line is no section header.
QStringView sectionName(QStringView line)
{
    if (!line.startsWith(u'['))
        return {};
    const qsizetype close = line.indexOf(u']');
    const QStringView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
    return trimmedBlanks(name);
}

} // namespace

QString readIniValue(const QByteArray& content, const QString& section, const QString& key, int bufferSize)
{
    if (bufferSize <= 0)
        return {};
    const QString text = fromAnsi(content);
    bool inSection = false;
    bool sectionSeen = false;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView line = trimmedBlanks(QStringView(text).sliced(start, end - start));
        start = end + 1;
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        const QStringView name = sectionName(line);
        if (!name.isNull()) {
            // Only the first section of that name counts.
            if (inSection)
                break;
            inSection = !sectionSeen && name.compare(section, Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || trimmedBlanks(line.first(equals)).compare(key, Qt::CaseInsensitive) != 0)
            continue;
        const QStringView value = withoutQuotes(trimmedBlanks(line.sliced(equals + 1)));
        return value.first(qMin<qsizetype>(value.size(), bufferSize - 1)).toString();
    }
    return {};
}

QString readIniFileValue(const QString& path, const QString& section, const QString& key, int bufferSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.read(kMaxIniFileBytes + 1);
    if (content.size() > kMaxIniFileBytes)
        return {};
    return readIniValue(content, section, key, bufferSize);
}

} // namespace platform
