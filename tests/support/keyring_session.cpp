// SPDX-License-Identifier: MIT
#include "tests/support/keyring_session.h"

#include <QDeadlineTimer>
#include <QLibrary>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace
{
constexpr int kWaitMs = 30000;
} // namespace

KeyringSession::~KeyringSession()
{
    if (m_session.state() == QProcess::NotRunning)
        return;
    // The session ends when its command reads the end of its input: the daemon, the bus and the home go with it.
    m_session.closeWriteChannel();
    if (!m_session.waitForFinished(kWaitMs)) {
        m_session.kill();
        m_session.waitForFinished();
    }
}

QString KeyringSession::missingPackages()
{
    QStringList missing;
    if (QStandardPaths::findExecutable(u"dbus-run-session"_s).isEmpty()
        || QStandardPaths::findExecutable(u"dbus-send"_s).isEmpty())
        missing.append(u"dbus"_s);
    if (QStandardPaths::findExecutable(u"gnome-keyring-daemon"_s).isEmpty())
        missing.append(u"gnome-keyring"_s);
    if (QStandardPaths::findExecutable(u"secret-tool"_s).isEmpty())
        missing.append(u"libsecret-tools"_s);
    // qtkeychain loads it when it first talks to a keyring.
    if (QLibrary libsecret(u"secret-1"_s, 0); !libsecret.load())
        missing.append(u"libsecret-1-0"_s);
    return missing.join(u", "_s);
}

bool KeyringSession::start(Keyring keyring)
{
    QStringList arguments;
    if (keyring == Keyring::None)
        arguments.append(u"--no-keyring"_s);
    arguments << u"sh"_s << u"-c"_s << u"echo \"$DBUS_SESSION_BUS_ADDRESS\"; exec cat >/dev/null"_s;
    m_session.setProcessChannelMode(QProcess::SeparateChannels);
    m_session.start(QStringLiteral(KEYRING_SESSION_PATH), arguments);
    const QDeadlineTimer deadline(kWaitMs);
    QByteArray output;
    while (!output.contains('\n')) {
        if (m_session.state() == QProcess::NotRunning || deadline.hasExpired()
            || !m_session.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            m_why = u"the keyring session did not start: "_s + QString::fromLocal8Bit(m_session.readAllStandardError());
            return false;
        }
        output += m_session.readAllStandardOutput();
    }
    m_address = QString::fromLocal8Bit(output.left(output.indexOf('\n')).trimmed());
    return !m_address.isEmpty();
}

QProcessEnvironment KeyringSession::environment(QProcessEnvironment base) const
{
    base.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_address);
    return base;
}

QString KeyringSession::secretTool(const QStringList& arguments, const QByteArray& input) const
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels); // it prints attributes on standard error
    tool.setProcessEnvironment(environment());
    tool.start(u"secret-tool"_s, arguments);
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(kWaitMs)) {
        tool.kill();
        tool.waitForFinished();
        return u"<failed: secret-tool took too long>"_s;
    }
    if (tool.exitStatus() != QProcess::NormalExit)
        return u"<failed: secret-tool crashed>"_s;
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QString KeyringSession::lookUp(const QString& user) const
{
    return secretTool({ u"lookup"_s, u"server"_s, u"Lastbell Quillet"_s, u"user"_s, user });
}

bool KeyringSession::lock() const
{
    QProcess send;
    send.setProcessEnvironment(environment());
    send.start(u"dbus-send"_s,
        { u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.secrets"_s, u"/org/freedesktop/secrets"_s,
            u"org.freedesktop.Secret.Service.Lock"_s, u"array:objpath:/org/freedesktop/secrets/collection/login"_s });
    return send.waitForFinished(kWaitMs) && send.exitStatus() == QProcess::NormalExit && send.exitCode() == 0;
}
