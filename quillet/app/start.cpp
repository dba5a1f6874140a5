// SPDX-License-Identifier: MIT
#include "quillet/app/start.h"

#include "platform/message_boxes.h"
#include "platform/product.h"
#include "platform/settings_store.h"
#include "quillet/app/fstart.h"
#include "quillet/app/settings_keys.h"

bool AskHasAccount(platform::SettingsStore& settings, platform::Shell& shell, platform::MessageBoxes& messages)
{
    // A user who has turned the screen off is taken to have an account.
    if (settings::read(settings, settings::kStartScreen) == QLatin1String(settings::kOff))
        return true;
    FStart welcome(shell);
    welcome.exec();
    if (welcome.DoNotShowAgain() && !settings::write(settings, settings::kStartScreen, QLatin1String(settings::kOff))) {
        messages.ask(nullptr, QLatin1String(product::kTitle),
            settings::SaveFailureText(
                QStringLiteral("Your choice not to show the welcome screen again"), settings.lastFailure()),
            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
    }
    return welcome.HasAccount();
}
