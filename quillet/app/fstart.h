// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/no_escape_dialog.h"

class QCheckBox;

namespace platform
{
class Shell;
} // namespace platform

namespace quillet
{

class LinkLabel;

// The welcome screen: does the user have a Lastbell account?
class FStart final : public platform::NoEscapeDialog
{
    Q_OBJECT
public:
    explicit FStart(platform::Shell& shell, QWidget* parent = nullptr);

    bool HasAccount() const { return m_hasAccount; }
    // The box was ticked: the screen is not to be shown again.
    bool DoNotShowAgain() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* chkHasAccount = nullptr;
    LinkLabel* lblCobbleton = nullptr;
    bool m_hasAccount = false;
};

} // namespace quillet
