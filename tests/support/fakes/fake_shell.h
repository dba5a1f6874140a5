// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/shell.h"

#include <QStringList>

namespace platform
{

class FakeShell final : public Shell
{
public:
    bool openAddress(const QString& address) override
    {
        opened.append(address);
        return true;
    }
    bool startProgram(const QString& path) override
    {
        started.append(path);
        return startSucceeds;
    }

    QStringList opened;
    QStringList started;
    bool startSucceeds = true;
};

} // namespace platform
