// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QCheckBox;
class LinkLabel;

namespace platform
{
class SettingsStore;
class Shell;
} // namespace platform

// The welcome screen: does the user have a Lastbell account?
class FStart final : public QDialog
{
    Q_OBJECT
public:
    FStart(platform::SettingsStore& settings, platform::Shell& shell, QWidget* parent = nullptr);
    ~FStart() override; // the unload step: remembers "do not show again" when ticked

    bool HasAccount() const { return m_hasAccount; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    platform::SettingsStore& m_settings;
    QCheckBox* chkHasAccount = nullptr;
    LinkLabel* lblCobbleton = nullptr;
    bool m_hasAccount = false;
};
