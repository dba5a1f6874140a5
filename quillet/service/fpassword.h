// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/no_escape_dialog.h"

#include "quillet/service/saved_login.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace platform
{
class MessageBoxes;
} // namespace platform

namespace quillet
{

// Saves the Lastbell user name and password.
class FPassword final : public platform::NoEscapeDialog
{
    Q_OBJECT
public:
    FPassword(SavedLogin& savedLogin, platform::MessageBoxes& messages, QWidget* parent = nullptr);

    void PrefillLogin(const QString& user, const QString& password);
    bool WasCancelled() const { return m_cancelled; }
    QString EnteredUser() const { return m_enteredUser; }
    QString EnteredPassword() const { return m_enteredPassword; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Save();
    void Saved(const SavedLogin::SaveResult& result);
    void Cancel();
    void ShowSaving(bool saving);
    void ShowWaitingForKeyring();
    void GiveUpSaving();

    SavedLogin& m_savedLogin;
    platform::MessageBoxes& m_messages;
    QLabel* lblSavePassword = nullptr;
    QLineEdit* txtUser = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    bool m_saving = false; // waiting for the keyring: the dialog takes no input but Cancel, once it says it waits
    bool m_cancelled = false;
    QString m_enteredUser;
    QString m_enteredPassword;
};

} // namespace quillet
