// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform
{

// The desktop shell: open a web address, a mailto: address or a document; start a program.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual bool openAddress(const QString& address) = 0;
    virtual bool startProgram(const QString& path) = 0;
};

} // namespace platform
