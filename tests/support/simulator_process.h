// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <memory>

// One request as the local web service received it.
struct LoggedRequest {
    QString method;
    QString url; // the absolute address exactly as sent, a trailing "?" included
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    bool answered = false; // the service has written its whole reply

    // The first header of that name, matched without regard to case; empty when absent.
    QByteArray header(QByteArrayView name) const;
};

// Starts the local web service on a free loopback port for one test and stops it when destroyed.
// Tests point the programs or their own network access at proxyUrl().
class SimulatorProcess
{
public:
    explicit SimulatorProcess(const QStringList& extraArguments = {});
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts the service and waits (at most 10 s) until it listens.
    bool start();
    quint16 port() const { return m_port; }
    QString proxyUrl() const;

    // Every request received so far, control requests aside, in arrival order.
    QList<LoggedRequest> log();
    void clearLog();
    // POST /__control/<pathAndQuery>, for example control("fault?name=Quillet&kind=drop&after=100000&times=1").
    // A leading "/__control/" may be given too. True when the service answered 2xx.
    bool control(const QString& pathAndQuery, const QByteArray& body = {});

    // The system environment with the proxy variables pointing at the service, for starting the programs.
    QProcessEnvironment proxyEnvironment() const;

private:
    QByteArray send(const QByteArray& operation, const QString& pathAndQuery, const QByteArray& body, bool* ok);

    QStringList m_extraArguments;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QNetworkAccessManager> m_network;
    quint16 m_port = 0;
};

// The content the service generates for an update file of that size (update-file?name=X&size=N).
QByteArray generatedUpdateContent(qint64 size);
