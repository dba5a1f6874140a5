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

bool apply(platform::SettingsStore& store, std::initializer_list<Change> changes)
{
    QList<platform::SettingsChange> all;
    for (const Change& change : changes)
        all.append({ QLatin1String(change.key.section), QLatin1String(change.key.key), change.value });
    return store.apply(all);
}

QString SaveFailureText(const QString& what, const platform::SettingsFailure& failure)
{
    return SaveFailureText(what, failure.fileName, failure.reason);
}

QString SaveFailureText(const QString& what, const QString& where, const QString& why)
{
    return what + u" could not be saved.\r\r" + where + u":\r" + why;
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
