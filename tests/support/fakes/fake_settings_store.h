// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/settings_store.h"

#include <QMap>
#include <QStringList>

namespace platform
{

class FakeSettingsStore final : public SettingsStore
{
public:
    QString read(const QString& section, const QString& key) const override
    {
        return values.value(section + QLatin1Char('/') + key);
    }
    [[nodiscard]] bool write(const QString& section, const QString& key, const QString& value) override
    {
        writes.append(section + QLatin1Char('/') + key);
        if (failWrites)
            return false;
        values.insert(section + QLatin1Char('/') + key, value);
        return true;
    }
    [[nodiscard]] bool apply(const QList<SettingsChange>& changes) override
    {
        for (const SettingsChange& change : changes)
            writes.append(change.section + QLatin1Char('/') + change.key);
        if (failWrites)
            return false;
        for (const SettingsChange& change : changes) {
            const QString name = change.section + QLatin1Char('/') + change.key;
            if (change.value)
                values.insert(name, *change.value);
            else
                values.remove(name);
        }
        return true;
    }
    SettingsFailure lastFailure() const override { return { QStringLiteral("/home/user/settings.ini"), failReason }; }

    QMap<QString, QString> values; // "Section/Key" -> value
    QStringList writes; // every key written or taken out, in order
    bool failWrites = false;
    QString failReason = QStringLiteral("No space left on device");
};

} // namespace platform
