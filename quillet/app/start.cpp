// SPDX-License-Identifier: MIT
#include "quillet/app/start.h"

#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/settings_store.h"
#include "quillet/app/fstart.h"
#include "quillet/app/settings_keys.h"

namespace quillet
{

bool AskHasAccount(platform::SettingsStore& settings, platform::Shell& shell, platform::MessageBoxes& messages)
{
    // A user who has turned the screen off is taken to have an account.
    if (settings_keys::read(settings, settings_keys::kStartScreen) == QLatin1String(settings_keys::kOff))
        return true;
    FStart welcome(shell);
    welcome.exec();
    if (welcome.DoNotShowAgain()
        && !settings_keys::write(settings, settings_keys::kStartScreen, QLatin1String(settings_keys::kOff))) {
        messages.ask(nullptr, QLatin1String(product::kTitle),
            settings_keys::SaveFailureText(
                QStringLiteral("Your choice not to show the welcome screen again"), settings.lastFailure()),
            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
    }
    return welcome.HasAccount();
}

} // namespace quillet
