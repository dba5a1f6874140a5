// SPDX-License-Identifier: MIT
// The bookmark importer on any bytes, into a fresh folder: never a crash, and nothing written outside it.
#include "platform/core/favorites/bookmark_import.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTemporaryDir outer;
    if (!outer.isValid())
        return 0;
    const QString favorites = outer.filePath(QStringLiteral("Favorites"));
    if (!QDir().mkdir(favorites))
        return 0;
    const platform::BookmarkFile parsed = platform::ParseBookmarkFile(bytes);
    platform::ImportBookmarks(parsed, favorites);
    // The favorites folder is the only thing beside it, and nothing inside it is a link.
    const QStringList beside
        = QDir(outer.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (beside != QStringList { QStringLiteral("Favorites") })
        std::abort();
    QDirIterator it(
        favorites, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isSymLink() || !it.fileInfo().canonicalFilePath().startsWith(favorites + u'/'))
            std::abort();
    }
    return 0;
}
