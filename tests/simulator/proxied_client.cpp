// SPDX-License-Identifier: MIT
#include "proxied_client.h"

#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSignalSpy>

namespace
{

QNetworkRequest requestFor(const QByteArray& address)
{
    QNetworkRequest request(QUrl::fromEncoded(address, QUrl::StrictMode));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(10000);
    return request;
}

} // namespace

bool Fetched::hasHeader(const QByteArray& name) const
{
    return std::any_of(headers.begin(), headers.end(),
        [&name](const auto& pair) { return pair.first.compare(name, Qt::CaseInsensitive) == 0; });
}

QByteArray Fetched::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QByteArray Fetched::title() const
{
    const auto match = QRegularExpression(QStringLiteral("<title>(.*)</title>")).match(QString::fromUtf8(body));
    return match.captured(1).toUtf8();
}

ProxiedClient::ProxiedClient(quint16 proxyPort)
    : m_network(std::make_unique<QNetworkAccessManager>())
{
    m_network->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxyPort));
}

Fetched ProxiedClient::get(const QByteArray& address, const QList<QPair<QByteArray, QByteArray>>& headers)
{
    QNetworkRequest request = requestFor(address);
    for (const auto& [name, value] : headers)
        request.setRawHeader(name, value);
    return finish(m_network->get(request));
}

Fetched ProxiedClient::post(const QByteArray& address, const QByteArray& contentType, const QByteArray& body)
{
    QNetworkRequest request = requestFor(address);
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    return finish(m_network->post(request, body));
}

void ProxiedClient::clearCookies()
{
    m_network->setCookieJar(new QNetworkCookieJar(m_network.get()));
}

Fetched ProxiedClient::finish(QNetworkReply* rawReply)
{
    const std::unique_ptr<QNetworkReply> reply(rawReply);
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(15000);
    Fetched fetched;
    fetched.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    fetched.error = reply->error();
    fetched.body = reply->readAll();
    fetched.headers = reply->rawHeaderPairs();
    return fetched;
}
