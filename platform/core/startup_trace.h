// SPDX-License-Identifier: MIT
#pragma once

namespace platform
{

// Marks of the way to the first pages, off unless asked for: QT_LOGGING_RULES="quillet.startup.debug=true".
// Each mark carries the wall clock in microseconds, so a trace lines it up with the web service's log.
void MarkStartup(const char* what);

} // namespace platform
