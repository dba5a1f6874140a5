// SPDX-License-Identifier: MIT
#include "platform/ui/session_end.h"

#include "platform/core/termination_signal.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace platform
{

void OnSessionEnd(const TerminationSignal& termination, const QObject* context, const std::function<void()>& end)
{
    QObject::connect(&termination, &TerminationSignal::received, context, end);
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, context, [end](QSessionManager&) { end(); });
}

} // namespace platform
