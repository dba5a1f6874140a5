// SPDX-License-Identifier: MIT
#include "quillet/service/saved_login.h"

#include "platform/core/keyring.h"
#include "platform/core/product.h"
#include "platform/core/settings_store.h"
#include "platform/core/startup_trace.h"
#include "quillet/app/settings_keys.h"

#include <utility>

namespace quillet
{

using platform::KeyringAnswer;
using Outcome = KeyringAnswer::Outcome;

namespace
{

QString what()
{
    return QStringLiteral("Your user name and password");
}

void ignoreAnswer(const KeyringAnswer&) { }

} // namespace

SavedLogin::SavedLogin(platform::SettingsStore& settings, platform::Keyring& keyring, Waits waits, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_keyring(keyring)
{
    m_startupWait.setSingleShot(true);
    m_startupWait.setInterval(waits.startup);
    connect(&m_startupWait, &QTimer::timeout, this, &SavedLogin::Ready);
    m_saveWait.setSingleShot(true);
    m_saveWait.setInterval(waits.save);
    connect(&m_saveWait, &QTimer::timeout, this, &SavedLogin::saveWaiting);
}

SavedLogin::SavedLogin(platform::SettingsStore& settings, platform::Keyring& keyring, QObject* parent)
    : SavedLogin(settings, keyring, Waits {}, parent)
{
}

void SavedLogin::Load()
{
    if (m_loadAsked)
        return;
    m_loadAsked = true;
    m_user = settings_keys::read(m_settings, settings_keys::kUser);
    const QString inFile = settings_keys::read(m_settings, settings_keys::kPassword);
    // A password without a user name is never sent, and has no account to be kept under: it stays where it is.
    if (m_user.isEmpty()) {
        Ready();
        return;
    }
    if (!inFile.isEmpty()) {
        m_password = inFile;
        m_hasPassword = true;
        Ready();
        MoveIntoKeyring(m_user, inFile);
        return;
    }
    const int saves = m_saves;
    m_keyring.read(m_user, this, [this, saves](const KeyringAnswer& answer) { StartupAnswer(saves, answer); });
}

void SavedLogin::StartupAnswer(int saves, const KeyringAnswer& answer)
{
    // Only a password found counts, and only while no save since knows better. No entry, which is also what a
    // collection left locked answers, leaves it unknown: the user logs in on the login page.
    if (saves == m_saves && answer.outcome == Outcome::Done) {
        m_password = answer.password;
        m_hasPassword = true;
        if (m_ready) {
            emit latePassword();
            return;
        }
    }
    Ready();
}

void SavedLogin::WaitForLogin()
{
    if (!m_ready && !m_startupWait.isActive())
        m_startupWait.start();
}

void SavedLogin::Ready()
{
    if (m_ready)
        return;
    m_ready = true;
    platform::MarkStartup("keyring answered");
    m_startupWait.stop();
    emit readyForLogin();
}

// Written, read back, and only then taken out of the file; any other answer leaves the file as it is.
void SavedLogin::MoveIntoKeyring(const QString& user, const QString& password)
{
    m_keyring.write(user, password, this, [this, user, password](const KeyringAnswer& written) {
        if (written.outcome != Outcome::Done)
            return;
        m_keyring.read(user, this, [this, user, password](const KeyringAnswer& readBack) {
            if (readBack.outcome == Outcome::Done && readBack.password == password)
                RemovePlainCopy(user, password);
        });
    });
}

void SavedLogin::RemovePlainCopy(const QString& user, const QString& password)
{
    // Only that login's copy goes: a save meanwhile may have put another one in the file.
    if (settings_keys::read(m_settings, settings_keys::kUser) != user
        || settings_keys::read(m_settings, settings_keys::kPassword) != password)
        return;
    if (!settings_keys::apply(m_settings, { { settings_keys::kPassword, std::nullopt } })) {
        // Nobody is asked at start-up; the next start tries again.
        const platform::SettingsFailure failure = m_settings.lastFailure();
        qWarning("%s: the password stays in %s: %s", product::kTitle, qUtf8Printable(failure.fileName),
            qUtf8Printable(failure.reason));
    }
}

void SavedLogin::Save(const QString& user, const QString& password)
{
    m_pending = PendingSave { ++m_saves, user, password };
    const int id = m_saves;
    if (user.isEmpty()) {
        QTimer::singleShot(0, this, [this, id] {
            if (m_pending && m_pending->id == id)
                KeepNoPassword(*std::exchange(m_pending, std::nullopt));
        });
        return;
    }
    m_saveWait.start();
    m_keyring.write(
        user, password, this, [this, save = *m_pending](const KeyringAnswer& answer) { SaveAnswered(save, answer); });
}

void SavedLogin::CancelSave()
{
    m_saveWait.stop();
    m_pending.reset();
}

void SavedLogin::SaveAnswered(const PendingSave& save, const KeyringAnswer& answer)
{
    // Given up or out of date: the keyring holds the password all the same, so a plain copy of it goes.
    if (!m_pending || m_pending->id != save.id) {
        if (answer.outcome == Outcome::Done)
            RemovePlainCopy(save.user, save.password);
        return;
    }
    m_saveWait.stop();
    m_pending.reset();
    switch (answer.outcome) {
    case Outcome::Done:
        KeepInKeyring(save);
        return;
    case Outcome::NoKeyring:
        KeepInSettingsFile(save);
        return;
    case Outcome::NotFound:
    case Outcome::Failed:
    case Outcome::Locked:
        break;
    }
    NotSaved(settings_keys::SaveFailureText(what(), QStringLiteral("The desktop's keyring"), answer.reason));
}

void SavedLogin::KeepInKeyring(const PendingSave& save)
{
    if (!settings_keys::apply(
            m_settings, { { settings_keys::kUser, save.user }, { settings_keys::kPassword, std::nullopt } })) {
        UndoKeyringWrite(save);
        NotSaved(settings_keys::SaveFailureText(what(), m_settings.lastFailure()));
        return;
    }
    ForgetOldUser(save.user);
    Saved(save, Kept::InKeyring);
}

void SavedLogin::KeepNoPassword(const PendingSave& save)
{
    if (!settings_keys::apply(
            m_settings, { { settings_keys::kUser, QString() }, { settings_keys::kPassword, std::nullopt } })) {
        NotSaved(settings_keys::SaveFailureText(what(), m_settings.lastFailure()));
        return;
    }
    ForgetOldUser(save.user);
    Saved(save, Kept::NoAccount);
}

// Nobody would ever read the old user's password again.
void SavedLogin::ForgetOldUser(const QString& user)
{
    if (!m_user.isEmpty() && m_user != user)
        m_keyring.remove(m_user, this, ignoreAnswer);
}

// The settings file refused the user name: the keyring goes back to what it held, as far as that is known.
void SavedLogin::UndoKeyringWrite(const PendingSave& save)
{
    if (save.user != m_user)
        m_keyring.remove(save.user, this, ignoreAnswer);
    else if (m_hasPassword)
        m_keyring.write(m_user, m_password, this, ignoreAnswer);
}

void SavedLogin::KeepInSettingsFile(const PendingSave& save)
{
    if (!settings_keys::apply(
            m_settings, { { settings_keys::kUser, save.user }, { settings_keys::kPassword, save.password } })) {
        NotSaved(settings_keys::SaveFailureText(what(), m_settings.lastFailure()));
        return;
    }
    Saved(save, Kept::InSettingsFile);
}

void SavedLogin::Saved(const PendingSave& save, Kept kept)
{
    m_user = save.user;
    m_password = save.password;
    m_hasPassword = true;
    emit saved({ kept, {} });
}

void SavedLogin::NotSaved(const QString& failure)
{
    emit saved({ Kept::NotSaved, failure });
}

} // namespace quillet
