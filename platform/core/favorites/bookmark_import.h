// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/favorites/bookmark_file.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace platform
{

// Bookmark files larger than this are not read.
inline constexpr qint64 kMaxBookmarkFileBytes = 256LL << 20;

struct ImportCounts {
    int favoritesAdded = 0;
    int foldersAdded = 0;
    int alreadyThere = 0; // a shortcut of that name and address was there before
    QMap<QString, int> skippedByKind; // links that are no web address, by scheme ("javascript", "place", ...)
    int failed = 0; // could not be written
    QString firstFailure; // the first of them: the path and the operating system's reason
    bool cancelled = false;
    int skipped() const;
    void addFailure(const QString& path, const QString& reason);
};

// Writes the folders and links of a parsed bookmark file into `favoritesFolder`: folders become sub-folders
// (one that exists is merged into), http, https and ftp links become internet shortcuts. Names are made safe;
// a shortcut that exists with the same address is left alone, one with another address makes the new one
// " (2)", " (3)". Nothing is written outside `favoritesFolder`, and no link found there is followed.
// `progress` is told how many items are done and may answer false to stop. The shortcuts are not yet
// on the disk when it returns: SyncFileSystem does that, once for all of them.
ImportCounts ImportBookmarks(const BookmarkFile& file, const QString& favoritesFolder,
    const std::function<bool(qint64 done, qint64 total)>& progress = {});

// The bytes of a bookmark file, bounded by kMaxBookmarkFileBytes; on failure, why, in words for the user.
struct BookmarkFileBytes {
    bool ok = false;
    QByteArray bytes;
    QString reason;
};
BookmarkFileBytes ReadBookmarkFile(const QString& path);

// The one message that tells the user what an import did.
QString ImportSummaryText(const QString& path, const ImportCounts& counts);

} // namespace platform
