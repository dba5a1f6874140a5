// SPDX-License-Identifier: MIT
#include "quillet/app/quiet_start.h"

#include <QStringList>

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

QProcessEnvironment QuietEnvironment(const QProcessEnvironment& given)
{
    QProcessEnvironment quiet = given;
    const QString debug = given.value(kDebug);
    if (!debug.isEmpty() && debug != QLatin1String("0"))
        return quiet;
    if (!given.contains(kLoggingRules))
        quiet.insert(kLoggingRules, QStringLiteral("qt.webenginecontext.info=false"));
    // Other flags (the sandbox and GPU switches of headless runs) are kept; only the log level is added.
    const QString flags = given.value(kChromiumFlags);
    if (!asksForLogging(flags))
        quiet.insert(kChromiumFlags, flags.isEmpty() ? kChromiumQuiet : flags + QLatin1Char(' ') + kChromiumQuiet);
    return quiet;
}

void Apply()
{
    const QProcessEnvironment given = QProcessEnvironment::systemEnvironment();
    const QProcessEnvironment quiet = QuietEnvironment(given);
    for (const QString& name : { kLoggingRules, kChromiumFlags }) {
        if (quiet.value(name) != given.value(name))
            qputenv(name.toLocal8Bit().constData(), quiet.value(name).toLocal8Bit());
    }
}

} // namespace quiet_start
