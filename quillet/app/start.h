// SPDX-License-Identifier: MIT
#pragma once

namespace platform
{
class SettingsStore;
class Shell;
} // namespace platform

// The welcome screen unless it is turned off; returns the has-account answer.
bool AskHasAccount(platform::SettingsStore& settings, platform::Shell& shell);
