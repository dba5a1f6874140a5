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
    // "HTTP/1.1 200 OK" or "206 Partial Content" for bytes [first, total) of content, cut after `delivered` bytes.
    static Reply fileReply(
        const QByteArray& content, qsizetype first = 0, bool partial = false, qsizetype delivered = -1);

    std::optional<QString> start(
        const QString& url, const QString& userName, const QString& password, const QString& extraHeaders) override;
    bool stillExecuting() const override;
    bool reachedServer() const override;
    QString headerBlock() const override;
    QString header(const QString& name) const override;
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
