// SPDX-License-Identifier: MIT
#include "platform/core/startup_trace.h"

#include <QLoggingCategory>
#include <chrono>

namespace platform
{

namespace
{

Q_LOGGING_CATEGORY(lcStartup, "quillet.startup", QtWarningMsg)

} // namespace

void MarkStartup(const char* what)
{
    if (!lcStartup().isDebugEnabled())
        return;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    qCDebug(lcStartup, "mark %lld %s",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()), what);
}

} // namespace platform
