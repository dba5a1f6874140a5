// SPDX-License-Identifier: MIT
#include "quillet/app/quiet_start.h"

#include <QLoggingCategory>
#include <QStringList>

namespace quillet
{

namespace quiet_start
{

namespace
{

const QString kDebug = QStringLiteral("QUILLET_DEBUG");
const QString kLoggingRules = QStringLiteral("QT_LOGGING_RULES");
const QString kChromiumFlags = QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS");

// Chromium's own messages: only fatal ones.
const QString kChromiumQuiet = QStringLiteral("--log-level=3");

bool asksForLogging(const QString& flags)
{
    for (const QString& flag : flags.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (flag.startsWith(QLatin1String("--log-level")) || flag.startsWith(QLatin1String("--enable-logging"))
            || flag.startsWith(QLatin1String("--v=")) || flag.startsWith(QLatin1String("--vmodule")))
            return true;
    }
    return false;
}

} // namespace

Settings QuietSettings(const QProcessEnvironment& given)
{
    const QString debug = given.value(kDebug);
    if (!debug.isEmpty() && debug != QLatin1String("0"))
        return {};
    Settings quiet;
    if (!given.contains(kLoggingRules))
        quiet.loggingRules = QStringLiteral("qt.webenginecontext=false\njs=false");
    // Other flags (the sandbox and GPU switches of headless runs) are kept; only the log level is added.
    const QString flags = given.value(kChromiumFlags);
    if (!asksForLogging(flags))
        quiet.chromiumFlags = flags.isEmpty() ? kChromiumQuiet : flags + QLatin1Char(' ') + kChromiumQuiet;
    return quiet;
}

void Apply()
{
    const Settings quiet = QuietSettings(QProcessEnvironment::systemEnvironment());
    // Qt reads QT_LOGGING_RULES before main, so the rules go in through the API, which the variable overrides.
    if (quiet.loggingRules)
        QLoggingCategory::setFilterRules(*quiet.loggingRules);
    if (quiet.chromiumFlags)
        qputenv(kChromiumFlags.toLocal8Bit().constData(), quiet.chromiumFlags->toLocal8Bit());
}

} // namespace quiet_start

} // namespace quillet
