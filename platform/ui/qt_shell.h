// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/shell.h"

namespace platform
{

// xdg-open for addresses and documents; a detached process for programs.
class QtShell final : public Shell
{
public:
    bool openAddress(const QString& address) override;
    bool startProgram(const QString& path) override;
};

} // namespace platform
