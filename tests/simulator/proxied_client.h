// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPair>

#include <memory>

// What came back for one request, read after the reply finished.
struct Fetched {
    int status = 0; // 0 when no status line arrived
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray body;
    QList<QNetworkReply::RawHeaderPair> headers;

    bool hasHeader(const QByteArray& name) const;
    QByteArray header(const QByteArray& name) const;
    QByteArray title() const;
};

// Network access through the local web service as the proxy, the way the programs reach it.
// Redirects are not followed, so a test sees the 302 itself.
class ProxiedClient
{
public:
    explicit ProxiedClient(quint16 proxyPort);

    Fetched get(const QByteArray& address, const QList<QPair<QByteArray, QByteArray>>& headers = {});
    Fetched post(const QByteArray& address, const QByteArray& contentType, const QByteArray& body);
    // Forgets every cookie, as a fresh browser profile would.
    void clearCookies();

private:
    Fetched finish(QNetworkReply* reply);

    std::unique_ptr<QNetworkAccessManager> m_network;
};
