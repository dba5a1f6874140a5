// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/favorites/shell_folders.h"

#include <QHash>

namespace platform
{

// Answers with the folders the test put in, by their number; any other folder has no path.
class FakeSpecialFolders final : public SpecialFolders
{
public:
    QString path(int folder) const override { return folders.value(folder); }
    QHash<int, QString> folders;
};

} // namespace platform
