// SPDX-License-Identifier: MIT
#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace quillet
{

// The web engine reports its start-up (GL set-up, GPU messages) and the pages' console on the terminal.
// Quillet starts quietly unless QUILLET_DEBUG is set; a user who set the logging variables keeps them.
namespace quiet_start
{

struct Settings {
    std::optional<QString> loggingRules; // Qt's filter rules, one per line; none: leave Qt's logging alone
    std::optional<QString> chromiumFlags; // the whole QTWEBENGINE_CHROMIUM_FLAGS; none: leave it as it is
};

// What to change, given the environment the program was started with.
Settings QuietSettings(const QProcessEnvironment& given);

// Applies QuietSettings to this process; called before the application object exists.
void Apply();

} // namespace quiet_start

} // namespace quillet
