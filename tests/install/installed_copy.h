// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// The built tree installed with `cmake --install` into a temporary prefix. The prefix holds a blank, as a
// home folder may, so every path the install writes is tested quoted.
class InstalledCopy
{
public:
    // Installs; false (with CMake's output in output()) when the install failed.
    bool install()
    {
        QProcess cmake;
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(CMAKE_COMMAND),
            { QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), prefix() });
        const bool finished = cmake.waitForFinished(60000);
        m_output = cmake.readAll();
        return finished && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
    }
    QString prefix() const { return m_root.filePath(QStringLiteral("home with blank/.local")); }
    QString path(const QString& relative) const { return QDir(prefix()).filePath(relative); }
    QString folder() const { return path(QStringLiteral("lib/quillet")); }
    QByteArray output() const { return m_output; }

private:
    QTemporaryDir m_root;
    QByteArray m_output;
};
