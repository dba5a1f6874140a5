// SPDX-License-Identifier: MIT
#include "platform/core/qt_keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>
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

bool answeredWithoutKeyring(QObject* context, const Keyring::Done& done)
{
    const std::optional<QString> why = whyNoKeyring();
    if (!why)
        return false;
    const KeyringAnswer answer { KeyringAnswer::Outcome::NoKeyring, {}, *why };
    QTimer::singleShot(0, context, [done, answer] { done(answer); });
    return true;
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

// The job is never deleted here: qtkeychain's libsecret callbacks point at it until the keyring answers, so a job
// whose keyring hangs stays for good. One that has answered deletes itself.
void start(QKeychain::Job* job, const QString& account, QObject* context, Keyring::Done done)
{
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(account);
    QObject::connect(job, &QKeychain::Job::finished, context,
        [done = std::move(done)](QKeychain::Job* finished) { done(answerOf(*finished)); });
    job->start();
}

} // namespace

QtKeyring::QtKeyring(const QString& service)
    : m_service(service)
{
}

void QtKeyring::read(const QString& account, QObject* context, Done done)
{
    if (!answeredWithoutKeyring(context, done))
        start(new QKeychain::ReadPasswordJob(m_service), account, context, std::move(done));
}

void QtKeyring::write(const QString& account, const QString& password, QObject* context, Done done)
{
    if (answeredWithoutKeyring(context, done))
        return;
    auto* job = new QKeychain::WritePasswordJob(m_service);
    job->setTextData(password);
    start(job, account, context, std::move(done));
}

void QtKeyring::remove(const QString& account, QObject* context, Done done)
{
    if (!answeredWithoutKeyring(context, done))
        start(new QKeychain::DeletePasswordJob(m_service), account, context, std::move(done));
}

} // namespace platform
