// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A private session bus for one test (scripts/keyring-session), with gnome-keyring-daemon serving the Secret
// Service on it from a throwaway home, its collection unlocked; or the bus alone.
class KeyringSession
{
public:
    enum class Keyring { Running, None };

    ~KeyringSession();
    // What of the packages the real keyring needs is not installed; empty when all are.
    static QString missingPackages();
    // Waits (at most 30 s) until the bus, and the keyring on it, are up. False with why() when they do not come.
    bool start(Keyring keyring = Keyring::Running);
    QString why() const { return m_why; }

    // The environment with this session's bus.
    QProcessEnvironment environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;
    // Runs secret-tool on this session's bus; what it printed, or "<failed: ...>" naming what went wrong.
    QString secretTool(const QStringList& arguments, const QByteArray& input = {}) const;
    // Quillet's entry for the user as another program finds it, by its attributes; empty when there is none.
    QString lookUp(const QString& user) const;
    // Locks the collection, as a screen lock or the user would; the keyring then needs a prompt to open it.
    bool lock() const;

private:
    QProcess m_session;
    QString m_address;
    QString m_why;
};
