// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/no_escape_dialog.h"

class QLineEdit;

namespace platform
{
class MessageBoxes;
class SettingsStore;
} // namespace platform

namespace quillet
{

// Saves the Lastbell user name and password.
class FPassword final : public platform::NoEscapeDialog
{
    Q_OBJECT
public:
    FPassword(platform::SettingsStore& settings, platform::MessageBoxes& messages, QWidget* parent = nullptr);

    void PrefillLogin(const QString& user, const QString& password);
    bool WasCancelled() const { return m_cancelled; }
    QString EnteredUser() const { return m_enteredUser; }
    QString EnteredPassword() const { return m_enteredPassword; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Save();
    void Cancel();

    platform::SettingsStore& m_settings;
    platform::MessageBoxes& m_messages;
    QLineEdit* txtUser = nullptr;
    QLineEdit* txtPassword = nullptr;
    bool m_cancelled = false;
    QString m_enteredUser;
    QString m_enteredPassword;
};

} // namespace quillet
