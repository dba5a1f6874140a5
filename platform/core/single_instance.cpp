// SPDX-License-Identifier: MIT
#include "platform/core/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr QByteArrayView kAnswer = "ok\n";
// Between a later start's retries while the first one has the lock but does not listen yet.
constexpr std::chrono::milliseconds kRetryPause(10);

// The file descriptor closed however the hand-over ends.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool connectTo(int fd, const QByteArray& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    int result = 0;
    do
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    while (result < 0 && errno == EINTR);
    return result == 0;
}

bool sendAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(fd, bytes.data(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes = bytes.sliced(sent);
    }
    return true;
}

// Reads the answer, a few bytes at most, until the deadline.
QByteArray answerOf(int fd, const QDeadlineTimer& deadline)
{
    QByteArray answer;
    while (answer.size() < kAnswer.size() && !answer.endsWith('\n')) {
        pollfd waiting { fd, POLLIN, 0 };
        const int ready = ::poll(&waiting, 1, static_cast<int>(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char bytes[8];
        const ssize_t got = ::recv(fd, bytes, static_cast<size_t>(kAnswer.size() - answer.size()), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        answer.append(bytes, got);
    }
    return answer;
}

// Hands one request to a program listening at that socket and waits for its answer until `wait` has passed.
// Plain POSIX calls: it runs before any Qt application object exists.
bool HandOver(const QString& socketPath, const ActivationRequest& request, std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.get() < 0 || !connectTo(socket.get(), QFile::encodeName(socketPath)))
        return false;
    return sendAll(socket.get(), ActivationLineOf(request)) && answerOf(socket.get(), deadline) == kAnswer;
}

} // namespace

SingleInstance::SingleInstance(QString folder, QString name, std::chrono::milliseconds answerWait)
    : m_folder(std::move(folder))
    , m_name(std::move(name))
    , m_answerWait(answerWait)
    , m_lock(std::make_unique<QLockFile>(QDir(m_folder).filePath(m_name + QStringLiteral(".lock"))))
{
    // The program runs for days: only a dead owner makes the lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::NameFor(const QString& settingsFolder)
{
    const QByteArray digest
        = QCryptographicHash::hash(QFile::encodeName(QDir::cleanPath(settingsFolder)), QCryptographicHash::Sha256);
    return QStringLiteral("Quillet-") + QString::fromLatin1(digest.left(8).toHex());
}

QString SingleInstance::socketPath() const
{
    return QDir(m_folder).filePath(m_name + QStringLiteral(".socket"));
}

SingleInstance::Claim SingleInstance::claim(const ActivationRequest& request)
{
    const QDeadlineTimer deadline(m_answerWait);
    QDir().mkpath(m_folder);
    for (;;) {
        if (m_lock->tryLock(0))
            return Claim::First;
        if (m_lock->error() != QLockFile::LockFailedError)
            return Claim::Unavailable;
        // The running program may still be on its way to listening: asked again until the deadline.
        if (HandOver(socketPath(), request, std::chrono::milliseconds(deadline.remainingTime())))
            return Claim::HandedOver;
        if (deadline.hasExpired())
            return Claim::NoAnswer;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(kRetryPause.count(), deadline.remainingTime())));
    }
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a killed program: ours now, since we hold the lock.
    QLocalServer::removeServer(socketPath());
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server->nextPendingConnection())
            take(peer);
    });
    if (m_server->listen(socketPath()))
        return true;
    m_error = m_server->errorString();
    return false;
}

void SingleInstance::take(QLocalSocket* peer)
{
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    // A peer that never finishes its line is not waited for.
    QTimer::singleShot(m_answerWait, peer, &QObject::deleteLater);
    const auto readLine = [this, peer] {
        if (!peer->canReadLine() && peer->bytesAvailable() < kActivationLineLimit)
            return;
        const std::optional<ActivationRequest> request = ActivationRequestOf(peer->readLine(kActivationLineLimit + 1));
        if (request) {
            peer->write(kAnswer.data(), kAnswer.size());
            peer->flush();
            emit activationRequested(*request);
        }
        peer->disconnectFromServer();
    };
    connect(peer, &QLocalSocket::readyRead, this, readLine);
    readLine();
}

void SingleInstance::release()
{
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    m_lock->unlock();
}

} // namespace platform
