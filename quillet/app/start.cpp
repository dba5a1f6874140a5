// SPDX-License-Identifier: MIT
#include "quillet/app/start.h"

#include "quillet/app/fstart.h"
#include "quillet/app/settings_keys.h"

bool AskHasAccount(platform::SettingsStore& settings, platform::Shell& shell)
{
    // A user who has turned the screen off is taken to have an account.
    if (settings::read(settings, settings::kStartScreen) == QLatin1String(settings::kOff))
        return true;
    FStart welcome(settings, shell);
    welcome.exec();
    return welcome.HasAccount();
}
