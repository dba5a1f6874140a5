// SPDX-License-Identifier: MIT
#include "platform/core/favorites/internet_shortcut.h"

#include "platform/core/favorites/ini_reader.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

namespace
{

// Longer addresses than any browser keeps.
constexpr int kAddressBuffer = 65536;

WriteResult failure(int error)
{
    return { false, QString::fromLocal8Bit(std::strerror(error)) };
}

bool writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

QString StoredShortcutAddress(const QString& address)
{
    return QString::fromLatin1(QUrl(address).toEncoded());
}

QByteArray InternetShortcutContent(const QString& address)
{
    return "[InternetShortcut]\r\nURL=" + QUrl(address).toEncoded() + "\r\n";
}

QString ReadShortcutAddress(const QString& path)
{
    return readIniFileValue(path, QStringLiteral("InternetShortcut"), QStringLiteral("URL"), kAddressBuffer);
}

WriteResult WriteInternetShortcut(const QString& path, const QString& address)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return { false, file.errorString() };
    if (file.write(InternetShortcutContent(address)) < 0 || !file.commit())
        return { false, file.errorString() };
    return {};
}

WriteResult WriteNewInternetShortcut(const QString& path, const QString& address)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(errno);
    int error = writeAll(fd, InternetShortcutContent(address)) ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        return {};
    ::unlink(name.constData());
    return failure(error);
}

WriteResult SyncFileSystem(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    const WriteResult result = ::syncfs(fd) == 0 ? WriteResult {} : failure(errno);
    ::close(fd);
    return result;
}

} // namespace platform
