// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QObject;

namespace platform
{

class TerminationSignal;

// The desktop session ends: SIGTERM (log-off, shutdown), or the session manager's last request. Calls `end` on
// either for as long as `context` lives, so each stage of a program answers with what that stage must do.
void OnSessionEnd(const TerminationSignal& termination, const QObject* context, const std::function<void()>& end);

} // namespace platform
