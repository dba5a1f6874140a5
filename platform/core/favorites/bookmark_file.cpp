// SPDX-License-Identifier: MIT
#include "platform/core/favorites/bookmark_file.h"

#include "platform/core/favorites/html_entities.h"

#include <QStringDecoder>
#include <cctype>

namespace platform
{

namespace
{

// Titles longer than this are cut; a file name takes far fewer.
constexpr qsizetype kMaxTitle = 4096;
constexpr qsizetype kProgressStep = 1 << 16;

QString decodeText(const QByteArray& bytes)
{
    const QByteArray charset = DeclaredCharset(bytes);
    QStringDecoder decoder(charset.isEmpty() ? QByteArray("UTF-8").constData() : charset.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Utf8);
    return decoder.decode(bytes);
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// A title as the file holds it, entities decoded: each line break or tab is one space (browsers keep the spaces a
// title has, and a favorite named otherwise comes back renamed), and the blanks around it go.
QString titleText(const QString& raw)
{
    QString title = DecodeEntities(raw);
    title.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : title) {
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    }
    return title.trimmed();
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u':';
}

// The tags of the format, read one by one; everything else is text.
class Parser
{
public:
    Parser(QStringView text, const std::function<bool(qint64, qint64)>& progress)
        : m_text(text)
        , m_progress(progress)
    {
    }

    BookmarkFile run()
    {
        qsizetype nextReport = kProgressStep;
        while (m_pos < m_text.size()) {
            if (m_pos >= nextReport) {
                nextReport = m_pos + kProgressStep;
                if (m_progress && !m_progress(m_pos, m_text.size())) {
                    m_file.cancelled = true;
                    return m_file;
                }
            }
            const qsizetype open = m_text.indexOf(u'<', m_pos);
            const qsizetype textEnd = open < 0 ? m_text.size() : open;
            collectText(m_text.sliced(m_pos, textEnd - m_pos));
            m_pos = textEnd;
            if (open >= 0)
                readMarkup();
        }
        finishTitle();
        return m_file;
    }

private:
    void collectText(QStringView text)
    {
        if (m_collecting == Collecting::Nothing || m_title.size() >= kMaxTitle)
            return;
        m_title.append(text.first(qMin(text.size(), kMaxTitle - m_title.size())));
    }

    void readMarkup()
    {
        const QStringView rest = m_text.sliced(m_pos);
        if (rest.startsWith(u"<!--")) {
            const qsizetype end = m_text.indexOf(u"-->", m_pos + 4);
            m_pos = end < 0 ? m_text.size() : end + 3;
            return;
        }
        if (rest.size() > 1 && (rest[1] == u'!' || rest[1] == u'?')) {
            skipPast(u'>');
            return;
        }
        qsizetype at = m_pos + 1;
        const bool closing = at < m_text.size() && m_text[at] == u'/';
        if (closing)
            ++at;
        const qsizetype nameStart = at;
        while (at < m_text.size() && isNameChar(m_text[at]))
            ++at;
        if (at == nameStart) {
            // A "<" that starts no tag is text.
            collectText(u"<");
            ++m_pos;
            return;
        }
        const QString name = m_text.sliced(nameStart, at - nameStart).toString().toUpper();
        m_pos = at;
        const QString href = readAttributes(QStringLiteral("HREF"));
        tag(name, closing, href);
    }

    void skipPast(QChar c)
    {
        const qsizetype end = m_text.indexOf(c, m_pos);
        m_pos = end < 0 ? m_text.size() : end + 1;
    }

    // Reads to the end of the tag; the value of attribute `wanted`, if it has one.
    QString readAttributes(const QString& wanted)
    {
        QString value;
        while (m_pos < m_text.size()) {
            while (m_pos < m_text.size() && (isSpace(m_text[m_pos]) || m_text[m_pos] == u'/'))
                ++m_pos;
            if (m_pos >= m_text.size())
                break;
            if (m_text[m_pos] == u'>') {
                ++m_pos;
                break;
            }
            const qsizetype nameStart = m_pos;
            while (m_pos < m_text.size() && !isSpace(m_text[m_pos]) && m_text[m_pos] != u'=' && m_text[m_pos] != u'>')
                ++m_pos;
            const QStringView name = m_text.sliced(nameStart, m_pos - nameStart);
            while (m_pos < m_text.size() && isSpace(m_text[m_pos]))
                ++m_pos;
            if (m_pos >= m_text.size() || m_text[m_pos] != u'=')
                continue;
            ++m_pos;
            while (m_pos < m_text.size() && isSpace(m_text[m_pos]))
                ++m_pos;
            const QStringView attributeValue = readValue();
            if (value.isNull() && name.compare(wanted, Qt::CaseInsensitive) == 0)
                value = DecodeEntities(attributeValue);
        }
        return value;
    }

    QStringView readValue()
    {
        if (m_pos < m_text.size() && (m_text[m_pos] == u'"' || m_text[m_pos] == u'\'')) {
            const QChar quote = m_text[m_pos];
            const qsizetype start = m_pos + 1;
            const qsizetype end = m_text.indexOf(quote, start);
            m_pos = end < 0 ? m_text.size() : end + 1;
            return m_text.sliced(start, (end < 0 ? m_text.size() : end) - start);
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !isSpace(m_text[m_pos]) && m_text[m_pos] != u'>')
            ++m_pos;
        return m_text.sliced(start, m_pos - start);
    }

    void tag(const QString& name, bool closing, const QString& href)
    {
        const bool link = name == u"A";
        const bool folder = name == u"H3";
        const bool list = name == u"DL";
        if (closing && (link || folder)) {
            finishTitle();
            return;
        }
        // Every other tag of the format ends a title that was not closed.
        if (list || link || folder || name == u"DT" || name == u"DD" || name == u"H1" || name == u"P" || name == u"HR"
            || name == u"TITLE")
            finishTitle();
        if (list && closing) {
            if (m_stack.size() > 1)
                m_stack.removeLast();
            m_pendingFolder = -1;
        } else if (list) {
            // A list without a heading stays in the folder it is in.
            const bool deep = m_stack.size() >= kMaxBookmarkDepth;
            m_stack.append(m_pendingFolder >= 0 && !deep ? m_pendingFolder : m_stack.last());
            m_pendingFolder = -1;
        } else if (!closing && (link || folder || name == u"DT")) {
            m_pendingFolder = -1;
            if (link || folder) {
                m_collecting = link ? Collecting::Link : Collecting::Folder;
                m_href = href;
            }
        }
    }

    void finishTitle()
    {
        if (m_collecting == Collecting::Nothing)
            return;
        Bookmark item;
        item.kind = m_collecting == Collecting::Link ? Bookmark::Kind::Link : Bookmark::Kind::Folder;
        item.title = titleText(m_title);
        item.address = m_collecting == Collecting::Link ? m_href.trimmed() : QString();
        item.parent = m_stack.last();
        m_file.items.append(item);
        if (item.kind == Bookmark::Kind::Folder)
            m_pendingFolder = int(m_file.items.size() - 1);
        m_collecting = Collecting::Nothing;
        m_title.clear();
        m_href.clear();
    }

    enum class Collecting { Nothing, Link, Folder };

    QStringView m_text;
    const std::function<bool(qint64, qint64)>& m_progress;
    qsizetype m_pos = 0;
    BookmarkFile m_file;
    QList<int> m_stack { -1 };
    int m_pendingFolder = -1;
    Collecting m_collecting = Collecting::Nothing;
    QString m_title;
    QString m_href;
};

} // namespace

QByteArray DeclaredCharset(const QByteArray& bytes)
{
    // The META line comes before any bookmark.
    const QByteArray head = bytes.first(qMin<qsizetype>(bytes.size(), 4096)).toLower();
    qsizetype meta = head.indexOf("<meta");
    while (meta >= 0) {
        const qsizetype end = head.indexOf('>', meta);
        const QByteArray tag = head.mid(meta, end < 0 ? -1 : end - meta);
        const qsizetype charset = tag.indexOf("charset=");
        if (charset >= 0) {
            qsizetype at = charset + 8;
            while (at < tag.size() && (tag[at] == '"' || tag[at] == '\'' || tag[at] == ' '))
                ++at;
            qsizetype stop = at;
            while (stop < tag.size()
                && (std::isalnum(static_cast<unsigned char>(tag[stop])) || tag[stop] == '-' || tag[stop] == '_'
                    || tag[stop] == '.' || tag[stop] == ':'))
                ++stop;
            return tag.mid(at, qMin<qsizetype>(stop - at, 40));
        }
        meta = end < 0 ? -1 : head.indexOf("<meta", end);
    }
    return {};
}

BookmarkFile ParseBookmarkFile(const QByteArray& bytes, const std::function<bool(qint64, qint64)>& progress)
{
    const QString text = decodeText(bytes);
    return Parser(text, progress).run();
}

} // namespace platform
