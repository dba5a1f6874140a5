// SPDX-License-Identifier: MIT
#include "quillet/app/settings_keys.h"

#include "platform/core/settings_store.h"

namespace quillet
{

namespace settings_keys
{

QString read(const platform::SettingsStore& store, Key key)
{
    return store.read(QLatin1String(key.section), QLatin1String(key.key));
}

bool write(platform::SettingsStore& store, Key key, const QString& value)
{
    return store.write(QLatin1String(key.section), QLatin1String(key.key), value);
}

QString SaveFailureText(const QString& what, const platform::SettingsFailure& failure)
{
    return what + u" could not be saved.\r\r" + failure.fileName + u":\r" + failure.reason;
}

bool isOn(const QString& storedValue)
{
    return storedValue != QLatin1String(kOff);
}

int siteIndexFromStored(const QString& storedValue)
{
    bool ok = false;
    const int index = storedValue.toInt(&ok);
    return ok && index >= 1 && index <= 7 ? index : 1;
}

} // namespace settings_keys

} // namespace quillet
