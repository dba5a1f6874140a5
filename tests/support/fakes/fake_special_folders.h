// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/favorites/shell_folders.h"

#include <QHash>

namespace platform
{

// Special folders from a table the test fills.
class FakeSpecialFolders final : public SpecialFolders
{
public:
    QString path(int csidl) const override { return folders.value(csidl); }
    QHash<int, QString> folders;
};
} // namespace platform
