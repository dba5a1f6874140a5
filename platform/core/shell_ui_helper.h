// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform
{

// The shell's favorites helper: adds a page to the browser favorites, imports a bookmark file into them.
// Each call does its own talking to the user; the caller learns nothing back.
class ShellUIHelper
{
public:
    virtual ~ShellUIHelper() = default;
    virtual void AddFavorite(const QString& url, const QString& title) = 0;
    // Only import is supported: an export request does nothing.
    virtual void ImportExportFavorites(bool import, const QString& path) = 0;
};

} // namespace platform
