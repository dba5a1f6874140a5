// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/system_info_locator.h"

#include <QHash>
#include <QStringList>

namespace platform
{

// Answers the values the test put in; records every question as "key|value".
class FakeSystemInfoLocator final : public SystemInfoLocator
{
public:
    bool readValue(KeyRoot, const QString& keyName, const QString& valueName, QString& value) const override
    {
        const QString question = keyName + QLatin1Char('|') + valueName;
        asked.append(question);
        value = values.value(question);
        return values.contains(question);
    }

    void set(const char* keyName, const char* valueName, const QString& value)
    {
        values.insert(QLatin1String(keyName) + QLatin1Char('|') + QLatin1String(valueName), value);
    }

    QHash<QString, QString> values;
    mutable QStringList asked;
};

} // namespace platform
