// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace platform
{

// File attribute bits, as the Windows file system reports them. Linux has no system or archive bits.
namespace attributes
{
inline constexpr int kReadOnly = 1; // the user cannot write it
inline constexpr int kHidden = 2; // the name begins with "."
inline constexpr int kDirectory = 16; // a folder, also when reached through a symbolic link
inline constexpr int kLink = 1024; // a symbolic link (the reparse point of Windows)
} // namespace attributes

// The attribute bits of a path; -1 when it cannot be read. A symbolic link is never exactly a folder.
int fileAttributes(const QString& path);

struct FolderListing {
    QStringList folders; // no links, and no hidden ones
    QStringList files; // all but folders and links to folders, hidden ones included
};

// The names in a folder in the order Windows' file system lists them: by their upper-case form. "." and ".." are
// not listed. A folder that cannot be listed lists nothing.
FolderListing listFolder(const QString& folder);

} // namespace platform
