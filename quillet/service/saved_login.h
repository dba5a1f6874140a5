// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <optional>

namespace platform
{
class Keyring;
class SettingsStore;
struct KeyringAnswer;
} // namespace platform

namespace quillet
{

// Where the saved Lastbell login lives: the user name in the settings, the password in the desktop's keyring under
// that name, or in the owner-only settings file only where no keyring service is on the session bus at all.
class SavedLogin final : public QObject
{
    Q_OBJECT
public:
    struct Waits {
        // How long the start-up login waits for the keyring once the login is due.
        std::chrono::milliseconds startup { 1000 };
        // How long a save waits for the keyring before it says that it waits: an unlock prompt may be up, and the
        // save waits for its answer however long the user takes.
        std::chrono::milliseconds save { 1000 };
    };
    // NoAccount: an empty user name, under which no password is kept (none would ever be sent).
    enum class Kept { InKeyring, InSettingsFile, NoAccount, NotSaved };
    struct SaveResult {
        Kept kept;
        QString failure; // for NotSaved: what failed and why, for a message box
    };

    SavedLogin(platform::SettingsStore& settings, platform::Keyring& keyring, Waits waits, QObject* parent = nullptr);
    SavedLogin(platform::SettingsStore& settings, platform::Keyring& keyring, QObject* parent = nullptr);

    // Reads the user name and asks the keyring for the password; a password still in the settings file is used as
    // it is and moved into the keyring. Only the first call does anything.
    void Load();
    // The start-up login is due: from now on it waits for the keyring's answer, at most Waits::startup, then
    // readyForLogin(). The keyring was asked long before, but its answer needs the event loop, which only runs from
    // about now on.
    void WaitForLogin();
    // The start-up login can go: the password is known, or the wait for it is over.
    bool loginReady() const { return m_ready; }
    QString user() const { return m_user; }
    QString password() const { return m_password; }
    // False when neither the keyring (so far) nor the settings file gave a password for the user.
    bool hasPassword() const { return m_hasPassword; }

    // Keeps the user name and the password; saved() tells where, or why not. Nothing changes unless it is saved.
    void Save(const QString& user, const QString& password);
    // The user stops waiting for the keyring: nothing is saved and saved() does not come. Should the keyring still
    // store the password, a copy of that login in the settings file goes.
    void CancelSave();

signals:
    void readyForLogin();
    // The keyring's start-up answer came after the login had stopped waiting for it.
    void latePassword();
    void saved(const quillet::SavedLogin::SaveResult& result);
    // A save has waited Waits::save for the keyring and goes on waiting.
    void saveWaiting();

private:
    struct PendingSave {
        int id;
        QString user;
        QString password;
    };

    void StartupAnswer(int saves, const platform::KeyringAnswer& answer);
    void Ready();
    void MoveIntoKeyring(const QString& user, const QString& password);
    void RemovePlainCopy(const QString& user, const QString& password);
    void SaveAnswered(const PendingSave& save, const platform::KeyringAnswer& answer);
    void KeepInKeyring(const PendingSave& save);
    void KeepNoPassword(const PendingSave& save);
    void ForgetOldUser(const QString& user);
    void KeepInSettingsFile(const PendingSave& save);
    void UndoKeyringWrite(const PendingSave& save);
    void Saved(const PendingSave& save, Kept kept);
    void NotSaved(const QString& failure);

    platform::SettingsStore& m_settings;
    platform::Keyring& m_keyring;
    QTimer m_startupWait;
    QTimer m_saveWait;
    bool m_loadAsked = false;
    bool m_ready = false;
    QString m_user;
    QString m_password;
    bool m_hasPassword = false;
    int m_saves = 0; // saves begun: an answer asked for before the latest one is out of date
    std::optional<PendingSave> m_pending;
};

} // namespace quillet
