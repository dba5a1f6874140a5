// SPDX-License-Identifier: MIT
#include "platform/core/settings_store.h"

#include "platform/core/product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// The password must not stay readable by others, also in a file found with looser permissions.
void makeOwnerOnly(const QString& fileName)
{
    ::chmod(QFile::encodeName(fileName).constData(), S_IRUSR | S_IWUSR);
}

// Create the file owner-only before QSettings ever writes it, so the password is never readable by others,
// not even for a moment. QSettings replaces the file atomically and keeps these permissions.
void ensureOwnerOnlyFile(const QString& fileName)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd >= 0)
        ::close(fd);
    makeOwnerOnly(fileName);
}

// QSettings only says that the file could not be written. Writing the same contents once more the way it does,
// into a new file beside it, and throwing that away, finds the operating system's reason.
QString whyUnwritable(const QString& fileName)
{
    QFile current(fileName);
    QByteArray contents = current.open(QIODevice::ReadOnly) ? current.readAll() : QByteArray();
    contents.append(QByteArray(256, '\n'));
    QByteArray probe = QFile::encodeName(QFileInfo(fileName).absolutePath()) + "/.settings-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    int error = 0;
    for (qsizetype done = 0; done < contents.size() && error == 0;) {
        const ssize_t written = ::write(fd, contents.constData() + done, size_t(contents.size() - done));
        if (written < 0)
            error = errno;
        else
            done += written;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    ::unlink(probe.constData());
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QStringLiteral("the file could not be replaced");
}

} // namespace

IniSettingsStore::IniSettingsStore()
    : m_open([] {
        return std::make_unique<QSettings>(
            QSettings::IniFormat, QSettings::UserScope, QLatin1String(product::kTitle), QLatin1String(product::kTitle));
    })
    , m_settings(m_open())
{
    makeOwnerOnly(m_settings->fileName());
}

IniSettingsStore::IniSettingsStore(const QString& fileName)
    : m_open([fileName] { return std::make_unique<QSettings>(fileName, QSettings::IniFormat); })
    , m_settings(m_open())
{
    makeOwnerOnly(m_settings->fileName());
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::read(const QString& section, const QString& key) const
{
    return m_settings->value(section + QLatin1Char('/') + key).toString();
}

bool IniSettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    return apply({ { section, key, value } });
}

bool IniSettingsStore::apply(const QList<SettingsChange>& changes)
{
    // QSettings goes on reporting a failed write after every later one; a fresh one tells this one's outcome.
    if (m_failedBefore) {
        m_settings = m_open();
        m_failedBefore = false;
    }
    ensureOwnerOnlyFile(m_settings->fileName());
    QList<SettingsChange> earlier;
    for (const SettingsChange& change : changes) {
        const QString name = change.section + QLatin1Char('/') + change.key;
        earlier.prepend({ change.section, change.key,
            m_settings->contains(name) ? std::optional(m_settings->value(name).toString()) : std::nullopt });
        set(change);
    }
    m_settings->sync();
    const bool stored = m_settings->status() == QSettings::NoError;
    makeOwnerOnly(m_settings->fileName());
    if (stored)
        return true;
    m_failure = { m_settings->fileName(), whyUnwritable(m_settings->fileName()) };
    // QSettings keeps what it could not write and would write it with the next change: take it back.
    for (const SettingsChange& change : earlier)
        set(change);
    m_settings->sync();
    m_failedBefore = true;
    return false;
}

void IniSettingsStore::set(const SettingsChange& change)
{
    const QString name = change.section + QLatin1Char('/') + change.key;
    if (change.value)
        m_settings->setValue(name, *change.value);
    else
        m_settings->remove(name);
}

SettingsFailure IniSettingsStore::lastFailure() const
{
    return m_failure;
}

QString IniSettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace platform
