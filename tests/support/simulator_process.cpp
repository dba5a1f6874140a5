// SPDX-License-Identifier: MIT
#include "tests/support/simulator_process.h"

#include "simulator/generated_content.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QNetworkReply>

namespace
{

constexpr int kTimeoutMs = 10000;
const QString kControlPrefix = QStringLiteral("/__control/");

// The log writes every byte as one character.
QByteArray bytesOf(const QJsonValue& value)
{
    return value.toString().toLatin1();
}

LoggedRequest loggedRequest(const QJsonObject& object)
{
    LoggedRequest request;
    request.method = object.value(u"method").toString();
    request.url = QString::fromLatin1(bytesOf(object.value(u"url")));
    for (const QJsonValue& pair : object.value(u"headers").toArray())
        request.headers.append({ bytesOf(pair.toArray().at(0)), bytesOf(pair.toArray().at(1)) });
    request.body = QByteArray::fromBase64(object.value(u"body").toString().toLatin1());
    request.answered = object.value(u"answered").toBool();
    return request;
}

} // namespace

QByteArray LoggedRequest::header(QByteArrayView name) const
{
    for (const auto& [key, value] : headers) {
        if (QByteArrayView(key).compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

SimulatorProcess::SimulatorProcess(const QStringList& extraArguments)
    : m_extraArguments(extraArguments)
{
}

SimulatorProcess::~SimulatorProcess()
{
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(3000)) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

bool SimulatorProcess::start()
{
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(QStringLiteral(SIMULATOR_PATH),
        QStringList { QStringLiteral("--port"), QStringLiteral("0") } + m_extraArguments);
    const QDeadlineTimer deadline(kTimeoutMs);
    QByteArray output;
    while (!output.contains('\n')) {
        if (m_process->state() == QProcess::NotRunning || deadline.hasExpired()
            || !m_process->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
        output += m_process->readAllStandardOutput();
    }
    const QByteArray line = output.left(output.indexOf('\n')).trimmed();
    const QByteArray prefix = "listening on ";
    if (!line.startsWith(prefix))
        return false;
    bool ok = false;
    m_port = line.mid(prefix.size()).toUShort(&ok);
    m_network = std::make_unique<QNetworkAccessManager>();
    m_network->setProxy(QNetworkProxy::NoProxy);
    return ok && m_port != 0;
}

QString SimulatorProcess::proxyUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QList<LoggedRequest> SimulatorProcess::log()
{
    bool ok = false;
    const QByteArray lines = send("GET", QStringLiteral("log"), {}, &ok);
    QList<LoggedRequest> requests;
    for (const QByteArray& line : lines.split('\n')) {
        if (!line.isEmpty())
            requests.append(loggedRequest(QJsonDocument::fromJson(line).object()));
    }
    return requests;
}

void SimulatorProcess::clearLog()
{
    control(QStringLiteral("clear-log"));
}

bool SimulatorProcess::control(const QString& pathAndQuery, const QByteArray& body)
{
    bool ok = false;
    send("POST", pathAndQuery, body, &ok);
    return ok;
}

QProcessEnvironment SimulatorProcess::proxyEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("http_proxy"), proxyUrl());
    environment.insert(QStringLiteral("HTTP_PROXY"), proxyUrl());
    environment.remove(QStringLiteral("no_proxy"));
    environment.remove(QStringLiteral("NO_PROXY"));
    return environment;
}

QByteArray SimulatorProcess::send(
    const QByteArray& operation, const QString& pathAndQuery, const QByteArray& body, bool* ok)
{
    *ok = false;
    if (!m_network)
        return {};
    const QString relative
        = pathAndQuery.startsWith(kControlPrefix) ? pathAndQuery.mid(kControlPrefix.size()) : pathAndQuery;
    QNetworkRequest request(QUrl(proxyUrl() + kControlPrefix + relative));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/octet-stream"));
    request.setTransferTimeout(kTimeoutMs);
    std::unique_ptr<QNetworkReply> reply(operation == "GET" ? m_network->get(request) : m_network->post(request, body));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    *ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    return reply->readAll();
}

QByteArray generatedUpdateContent(qint64 size)
{
    QByteArray content(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        content[i] = simulator::generatedByte(i);
    return content;
}
