// SPDX-License-Identifier: MIT
#include "platform/core/qt_keyring.h"

#include "platform/core/startup_trace.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QThread>
#include <optional>
#include <qt6keychain/keychain.h>

namespace platform
{

namespace
{

// The bus names of the keyrings qtkeychain talks to, whether running or started by the bus on demand.
constexpr const char* kKeyringServices[] = { "org.freedesktop.secrets", "org.kde.kwalletd6", "org.kde.kwalletd5" };

// qtkeychain reports a missing Secret Service as an error like any other; the bus itself tells them apart.
std::optional<QString> whyNoKeyring()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QStringLiteral("There is no session bus: ") + bus.lastError().message();
    const QStringList running = bus.interface()->registeredServiceNames().value();
    const QStringList startable = bus.interface()->activatableServiceNames().value();
    for (const char* name : kKeyringServices) {
        if (running.contains(QLatin1String(name)) || startable.contains(QLatin1String(name)))
            return std::nullopt;
    }
    return QStringLiteral("There is no Secret Service on the session bus.");
}

KeyringAnswer answerOf(const QKeychain::Job& job)
{
    using Outcome = KeyringAnswer::Outcome;
    switch (job.error()) {
    case QKeychain::NoError: {
        const auto* reading = qobject_cast<const QKeychain::ReadPasswordJob*>(&job);
        return { Outcome::Done, reading ? reading->textData() : QString(), {} };
    }
    case QKeychain::EntryNotFound:
        return { Outcome::NotFound, {}, job.errorString() };
    // A collection the user leaves locked holds nothing for us this time; the keyring is still there.
    case QKeychain::AccessDenied:
    case QKeychain::AccessDeniedByUser:
        return { Outcome::Locked, {}, job.errorString() };
    case QKeychain::NoBackendAvailable:
        return { Outcome::NoKeyring, {}, job.errorString() };
    case QKeychain::CouldNotDeleteEntry:
    case QKeychain::NotImplemented:
    case QKeychain::OtherError:
        break;
    }
    return { Outcome::Failed, {}, job.errorString() };
}

// One request, made on the caller's thread and carried out on the keyring's. Its answer is a signal, connected on
// the caller's thread, so a caller that is gone by then is simply not called.
class KeyringRequest final : public QObject
{
    Q_OBJECT
public:
    KeyringRequest(std::function<QKeychain::Job*()> makeJob, QString account)
        : m_makeJob(std::move(makeJob))
        , m_account(std::move(account))
    {
    }

    // On the keyring's thread. The job is never deleted here: qtkeychain's libsecret callbacks point at it until
    // the keyring answers, so a job whose keyring hangs stays for good. One that has answered deletes itself.
    void run()
    {
        QKeychain::Job* job = m_makeJob();
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(m_account);
        connect(job, &QKeychain::Job::finished, this, [this](QKeychain::Job* finished) {
            KeyringAnswer answer = answerOf(*finished);
            // Only a failure needs the bus's word on whether a keyring is there at all; the usual answer goes
            // without that exchange.
            if (answer.outcome == KeyringAnswer::Outcome::Failed
                || answer.outcome == KeyringAnswer::Outcome::NoKeyring) {
                if (const std::optional<QString> why = whyNoKeyring())
                    answer = { KeyringAnswer::Outcome::NoKeyring, {}, *why };
            }
            finish(answer);
        });
        job->start();
    }

signals:
    void answered(const platform::KeyringAnswer& answer);

private:
    void finish(const KeyringAnswer& answer)
    {
        MarkStartup("keyring replied");
        emit answered(answer);
        deleteLater();
    }

    std::function<QKeychain::Job*()> m_makeJob;
    QString m_account;
};

// The bus's round trips run on a thread of their own, so that an answer comes in while the user-interface thread
// is busy starting the web engine. One thread for the whole run, since qtkeychain keeps its job queue in the
// thread that started the first job; it ends with the application.
QThread* keyringThread()
{
    static QThread* const thread = [] {
        auto* started = new QThread;
        started->setObjectName(QStringLiteral("Keyring"));
        started->start();
        qAddPostRoutine([] {
            thread->quit();
            thread->wait();
            delete thread;
        });
        return started;
    }();
    return thread;
}

void onKeyringThread(QObject* context, Keyring::Done done, std::function<QKeychain::Job*()> makeJob, QString account)
{
    auto* request = new KeyringRequest(std::move(makeJob), std::move(account));
    QObject::connect(request, &KeyringRequest::answered, context, std::move(done));
    request->moveToThread(keyringThread());
    QMetaObject::invokeMethod(request, &KeyringRequest::run);
}

} // namespace

QtKeyring::QtKeyring(const QString& service)
    : m_service(service)
{
}

void QtKeyring::read(const QString& account, QObject* context, Done done)
{
    onKeyringThread(
        context, std::move(done), [service = m_service] { return new QKeychain::ReadPasswordJob(service); }, account);
}

void QtKeyring::write(const QString& account, const QString& password, QObject* context, Done done)
{
    onKeyringThread(
        context, std::move(done),
        [service = m_service, password] {
            auto* job = new QKeychain::WritePasswordJob(service);
            job->setTextData(password);
            return job;
        },
        account);
}

void QtKeyring::remove(const QString& account, QObject* context, Done done)
{
    onKeyringThread(
        context, std::move(done), [service = m_service] { return new QKeychain::DeletePasswordJob(service); }, account);
}

} // namespace platform

#include "qt_keyring.moc"
