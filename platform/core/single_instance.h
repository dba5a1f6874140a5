// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/activation_request.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace platform
{

// One program per user: a lock file and a local socket in the user's runtime folder. The first start takes the
// lock and listens; a later start hands its activation request to the first one through the socket and ends.
// A lock left by a killed program (kill -9, a power cut) is taken over.
class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    enum class Claim {
        First, // this process holds the lock: it runs, and answers later starts once it listens
        HandedOver, // the running program took the request: this start ends
        NoAnswer, // a live program holds the lock but did not take the request in time
        Unavailable, // the lock could not be made at all (no writable runtime folder): run without one
    };

    // `folder` holds the lock and the socket, named after `name`; a later start waits `answerWait` for an answer.
    SingleInstance(QString folder, QString name, std::chrono::milliseconds answerWait = std::chrono::seconds(2));
    ~SingleInstance() override;

    // Needs no application object, so it can run first in main.
    Claim claim(const ActivationRequest& request);
    // After a First claim, with the application object made: answers later starts. False, with the reason in
    // errorString(), when the socket cannot be made; the lock is still held.
    bool listen();
    QString errorString() const { return m_error; }
    // Stops answering and frees the lock, so that a start while this program ends runs on its own.
    void release();

    // The name for the program whose settings are in that folder: the lock belongs to what it protects.
    static QString NameFor(const QString& settingsFolder);
    QString socketPath() const;

signals:
    void activationRequested(const platform::ActivationRequest& request);

private:
    void take(QLocalSocket* peer);

    QString m_folder;
    QString m_name;
    std::chrono::milliseconds m_answerWait;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QString m_error;
};

} // namespace platform
