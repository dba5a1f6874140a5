// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace platform
{

// Identifiers of the shell's special folders that the programs ask for.
inline constexpr int kCsidlFavorites = 6;

// The shell's special folders, by identifier.
class SpecialFolders
{
public:
    virtual ~SpecialFolders() = default;
    // The folder's path without a trailing separator; empty when it cannot be found.
    virtual QString path(int csidl) const = 0;
};

// The favorites folder is "Favorites" under the program's XDG data folder, created on first use.
class XdgSpecialFolders final : public SpecialFolders
{
public:
    QString path(int csidl) const override;
};

} // namespace platform
