// SPDX-License-Identifier: MIT
#pragma once

#include <QProcessEnvironment>

// The web engine reports its start-up (GL set-up, GPU messages) on the terminal. Quillet starts quietly
// unless QUILLET_DEBUG is set; a user who set the logging variables themselves keeps them as they are.
namespace quiet_start
{

// The environment to start the web engine with, given the one the program was started with.
QProcessEnvironment QuietEnvironment(const QProcessEnvironment& given);

// Applies QuietEnvironment to this process; called before the application object exists.
void Apply();

} // namespace quiet_start
