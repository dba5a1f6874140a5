// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

// A file's bytes, or "<missing>" so that a comparison with any expected content names the cause.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The permission bits as `ls -l` shows them (0600), or -1 when the file is not there.
inline int fileMode(const QString& fileName)
{
    struct stat status {
    };
    return ::stat(QFile::encodeName(fileName).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}
