// SPDX-License-Identifier: MIT
#include "tests/support/fakes/fake_http_transfer.h"

#include <QUrl>

namespace platform
{

FakeHttpTransfer::Reply FakeHttpTransfer::reply(
    const QString& statusLine, const QStringList& headerLines, const QByteArray& body, qsizetype delivered)
{
    Reply result;
    result.headerBlock = statusLine + u"\r\n";
    for (const QString& line : headerLines)
        result.headerBlock += line + u"\r\n";
    const QByteArray sent = delivered < 0 ? body : body.left(delivered);
    if (!sent.isEmpty())
        result.chunks.append(sent);
    return result;
}

FakeHttpTransfer::Reply FakeHttpTransfer::fileReply(const QByteArray& content)
{
    return droppedReply(content, content.size());
}

FakeHttpTransfer::Reply FakeHttpTransfer::droppedReply(const QByteArray& content, qsizetype delivered)
{
    return reply(QStringLiteral("HTTP/1.1 200 OK"), { QStringLiteral("Content-Length: %1").arg(content.size()) },
        content, delivered);
}

FakeHttpTransfer::Reply FakeHttpTransfer::partialReply(const QByteArray& content, qsizetype from)
{
    const QByteArray part = content.mid(from);
    return reply(QStringLiteral("HTTP/1.1 206 Partial Content"),
        { QStringLiteral("Content-Length: %1").arg(part.size()),
            QStringLiteral("Content-Range: bytes %1-%2/%3").arg(from).arg(content.size() - 1).arg(content.size()) },
        part);
}

std::optional<QString> FakeHttpTransfer::start(
    const QString& url, const QString& userName, const QString& password, const QString& extraHeaders)
{
    requests.append({ url, userName, password, extraHeaders });
    if (replies.isEmpty()) {
        m_current = Reply();
        m_current.reachedServer = false;
    } else {
        m_current = replies.takeFirst();
    }
    if (m_current.refusal)
        return m_current.refusal;
    m_active = true;
    m_polls = 0;
    m_chunksRead = 0;
    return std::nullopt;
}

bool FakeHttpTransfer::stillExecuting() const
{
    return m_active && m_polls++ < m_current.pollsWhileExecuting;
}

bool FakeHttpTransfer::reachedServer() const
{
    return m_active && m_current.reachedServer;
}

QString FakeHttpTransfer::headerBlock() const
{
    return m_active ? m_current.headerBlock : QString();
}

QString FakeHttpTransfer::header(const QString& name) const
{
    for (const QString& line : headerBlock().split(QStringLiteral("\r\n")).mid(1)) {
        if (line.startsWith(name + u':', Qt::CaseInsensitive))
            return line.mid(name.size() + 1).trimmed();
    }
    return {};
}

QByteArray FakeHttpTransfer::readChunk(int maxBytes)
{
    if (!m_active || m_current.chunks.isEmpty())
        return {};
    if (beforeChunk)
        beforeChunk(m_chunksRead);
    ++m_chunksRead;
    QByteArray& next = m_current.chunks.first();
    const QByteArray chunk = next.left(maxBytes);
    next.remove(0, chunk.size());
    if (next.isEmpty())
        m_current.chunks.removeFirst();
    return chunk;
}

QString FakeHttpTransfer::readText(int maxChars)
{
    QString text;
    for (QByteArray chunk = readChunk(4096); !chunk.isEmpty(); chunk = readChunk(4096))
        text += QString::fromLatin1(chunk);
    return text.left(maxChars);
}

QString FakeHttpTransfer::url() const
{
    return requests.isEmpty() ? QString() : requests.last().url;
}

QString FakeHttpTransfer::serverName() const
{
    return QUrl(url()).host();
}

void FakeHttpTransfer::cancel()
{
    ++cancels;
    m_active = false;
}

} // namespace platform
