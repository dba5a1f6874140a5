// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/page_prompts.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace platform
{

// One HTTP GET at a time, polled the way the updater and the version check read it.
class HttpTransfer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kStateError = 11;
    static constexpr int kStateComplete = 12;

    using QObject::QObject;

    // Starts a GET; extraHeaders holds "Name: value" lines, each ended by CR LF.
    // Empty userName means no authorization. A refused request gives the reason.
    virtual std::optional<QString> start(
        const QString& url, const QString& userName, const QString& password, const QString& extraHeaders)
        = 0;
    // True until the reply's headers are in or the request has ended.
    virtual bool stillExecuting() const = 0;
    // False when the request ended without any answer from a server.
    virtual bool reachedServer() const = 0;
    // Status line first, then the header lines, each ended by CR LF; empty without a reply.
    virtual QString headerBlock() const = 0;
    virtual QString header(const QString& name) const = 0;
    // True while the body has more to come but none of it has arrived; it arrives while events run.
    virtual bool awaitingBody() const = 0;
    // What has arrived of the body, at most maxBytes; empty when nothing is waiting or the body has ended.
    virtual QByteArray readChunk(int maxBytes) = 0;
    // The body received so far as text, at most maxChars characters.
    virtual QString readText(int maxChars) = 0;
    virtual QString url() const = 0;
    virtual QString serverName() const = 0;
    virtual void cancel() = 0;

signals:
    void stateChanged(int state);
};

class QtHttpTransfer final : public HttpTransfer
{
    Q_OBJECT
public:
    // The credentials for a proxy that asks for a password, by its host name; nothing: the request fails.
    using ProxyAnswer = std::function<std::optional<Credentials>(const QString& proxyHost)>;

    explicit QtHttpTransfer(QObject* parent = nullptr);
    ~QtHttpTransfer() override;

    // Without it, only the proxy setting's own user and password are sent.
    void answerProxyWith(ProxyAnswer answer);

    std::optional<QString> start(
        const QString& url, const QString& userName, const QString& password, const QString& extraHeaders) override;
    bool stillExecuting() const override;
    bool reachedServer() const override;
    QString headerBlock() const override;
    QString header(const QString& name) const override;
    bool awaitingBody() const override;
    QByteArray readChunk(int maxBytes) override;
    QString readText(int maxChars) override;
    QString url() const override;
    QString serverName() const override;
    void cancel() override;

private:
    void replyFinished();

    std::unique_ptr<QNetworkAccessManager> m_manager;
    QNetworkReply* m_reply = nullptr; // child of m_manager
    QString m_url;
    QByteArray m_chunk; // the last chunk read
    bool m_headersIn = false;
};

} // namespace platform
