// SPDX-License-Identifier: MIT
#include "platform/core/favorites/folder_listing.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform
{

namespace
{

bool isHiddenName(const QString& name)
{
    return name.startsWith(u'.');
}

enum class EntryKind { Folder, LinkToFolder, Other };

EntryKind kindOf(unsigned char type, const QByteArray& path)
{
    if (type == DT_DIR)
        return EntryKind::Folder;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return EntryKind::Other;
    struct stat own {
    };
    if (::lstat(path.constData(), &own) != 0)
        return EntryKind::Other;
    if (S_ISDIR(own.st_mode))
        return EntryKind::Folder;
    struct stat target {
    };
    const bool toFolder = S_ISLNK(own.st_mode) && ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode);
    return toFolder ? EntryKind::LinkToFolder : EntryKind::Other;
}

} // namespace

int fileAttributes(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat own {
    };
    if (::lstat(native.constData(), &own) != 0)
        return -1;
    int bits = 0;
    const qsizetype slash = path.lastIndexOf(u'/', path.endsWith(u'/') ? -2 : -1);
    if (isHiddenName(path.sliced(slash + 1)))
        bits |= attributes::kHidden;
    if (::access(native.constData(), W_OK) != 0)
        bits |= attributes::kReadOnly;
    if (S_ISLNK(own.st_mode)) {
        bits |= attributes::kLink;
        struct stat target {
        };
        if (::stat(native.constData(), &target) == 0 && S_ISDIR(target.st_mode))
            bits |= attributes::kDirectory;
    } else if (S_ISDIR(own.st_mode)) {
        bits |= attributes::kDirectory;
    }
    return bits;
}

FolderListing listFolder(const QString& folder)
{
    // Straight from the directory entries: the file system names each entry's kind, so most need no stat.
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    DIR* dir = ::opendir(prefix.constData());
    if (!dir)
        return {};
    using Sorted = std::vector<std::pair<QString, QString>>; // upper-case form, name
    Sorted folders;
    Sorted files;
    while (const dirent* entry = ::readdir(dir)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        const EntryKind kind = kindOf(entry->d_type, prefix + raw);
        Sorted* list = kind == EntryKind::Other          ? &files
            : kind == EntryKind::Folder && raw[0] != '.' ? &folders
                                                         : nullptr;
        if (list) {
            QString name = QFile::decodeName(raw);
            list->emplace_back(name.toUpper(), std::move(name));
        }
    }
    ::closedir(dir);
    const auto names = [](Sorted& sorted) {
        std::sort(sorted.begin(), sorted.end());
        QStringList names;
        names.reserve(qsizetype(sorted.size()));
        for (auto& [upper, name] : sorted)
            names.append(std::move(name));
        return names;
    };
    return { names(folders), names(files) };
}

} // namespace platform
