// SPDX-License-Identifier: MIT
#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr char kApplication[] = "Lastbell Quillet";

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

} // namespace

IniSettingsStore::IniSettingsStore()
    : m_settings(std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QLatin1String(kApplication), QLatin1String(kApplication)))
{
    makeOwnerOnly(m_settings->fileName());
}

IniSettingsStore::IniSettingsStore(const QString& fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat))
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
    ensureOwnerOnlyFile(m_settings->fileName());
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
    const bool stored = m_settings->status() == QSettings::NoError;
    makeOwnerOnly(m_settings->fileName());
    return stored;
}

QString IniSettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace platform
