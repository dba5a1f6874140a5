// SPDX-License-Identifier: MIT
#pragma once

namespace platform
{
class MessageBoxes;
class SettingsStore;
class Shell;
} // namespace platform

namespace quillet
{

// The welcome screen unless it is turned off; returns the has-account answer. When the user ticks "do not show
// again", the screen's unload step stores that, and says so if the settings file cannot be written.
bool AskHasAccount(platform::SettingsStore& settings, platform::Shell& shell, platform::MessageBoxes& messages);

} // namespace quillet
