// SPDX-License-Identifier: MIT
#include "platform/folder_listing.h"

#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

bool isHiddenName(const QString& name)
{
    return name.startsWith(u'.');
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

bool listedBefore(const QString& a, const QString& b)
{
    const int byUpper = a.toUpper().compare(b.toUpper());
    return byUpper != 0 ? byUpper < 0 : a < b;
}

QStringList listFolder(const QString& folder, Listing listing)
{
    QDir::Filters filters = QDir::NoDotAndDotDot | QDir::System;
    filters |= listing == Listing::FoldersIncluded ? QDir::Files | QDir::Dirs : QDir::Files | QDir::Hidden;
    QStringList names;
    QDirIterator entries(folder, filters);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (listing == Listing::FoldersIncluded && isHiddenName(name))
            continue;
        // A link to a folder is a folder here, as a junction is on Windows: not a file to list.
        if (listing == Listing::HiddenFiles && entries.fileInfo().isDir())
            continue;
        names.append(name);
    }
    std::sort(names.begin(), names.end(), listedBefore);
    return names;
}

} // namespace platform
