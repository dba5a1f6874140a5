// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/http_transfer.h"

#include <QList>
#include <functional>

namespace platform
{

// Plays scripted replies, one per request, and records every request.
class FakeHttpTransfer final : public HttpTransfer
{
    Q_OBJECT
public:
    struct Reply {
        QString headerBlock;
        QList<QByteArray> chunks; // handed out in pieces of at most the asked size
        bool reachedServer = true;
        int pollsWhileExecuting = 0;
        std::optional<QString> refusal;
    };
    struct Request {
        QString url;
        QString userName;
        QString password;
        QString extraHeaders;
    };

    // A reply of one status line and the given header lines, with the body delivered up to `delivered` bytes.
    static Reply reply(const QString& statusLine, const QStringList& headerLines = {}, const QByteArray& body = {},
        qsizetype delivered = -1);
    // "HTTP/1.1 200 OK" with the whole file.
    static Reply fileReply(const QByteArray& content);
    // "HTTP/1.1 200 OK" for the whole file, whose connection drops once `delivered` bytes of it have arrived.
    static Reply droppedReply(const QByteArray& content, qsizetype delivered);
    // "HTTP/1.1 206 Partial Content" with the file's bytes from `from` to its end.
    static Reply partialReply(const QByteArray& content, qsizetype from);

    std::optional<QString> start(
        const QString& url, const QString& userName, const QString& password, const QString& extraHeaders) override;
    bool stillExecuting() const override;
    bool reachedServer() const override;
    QString headerBlock() const override;
    QString header(const QString& name) const override;
    // The scripted body is all there at once.
    bool awaitingBody() const override { return false; }
    QByteArray readChunk(int maxBytes) override;
    QString readText(int maxChars) override;
    QString url() const override;
    QString serverName() const override;
    void cancel() override;

    void emitState(int state) { emit stateChanged(state); }

    QList<Reply> replies;
    QList<Request> requests;
    int cancels = 0;
    // Called before each chunk is handed out, with the number of chunks handed out so far in this reply.
    std::function<void(int)> beforeChunk;

private:
    Reply m_current;
    bool m_active = false;
    mutable int m_polls = 0;
    int m_chunksRead = 0;
};

} // namespace platform
