// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace quillet
{

class CUserIDs;

// The favorites files: "Sellers.txt" and "Bidders.txt" in the program folder, one user ID a line, each line
// ended by CR LF, 8-bit text.
namespace favorites_file
{

// Far more than any list of user IDs; a bigger file is refused rather than read.
inline constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// What became of a file step; on failure `reason` says why, for a message.
struct [[nodiscard]] FileResult {
    bool ok = true;
    QString reason;
};

QString FavoritesFilePath(const QString& programFolder, bool bSellers);

// Offers every line of the bytes to `list` in order. A line ends at CR, CR LF or LF; the last line may have no
// ending; repeats are dropped by the list.
void AddFileLines(const QByteArray& bytes, CUserIDs& list);
// The list as the file holds it.
QByteArray FileBytes(const CUserIDs& list);

// A missing file is an empty list. A file that cannot be read fails and leaves `list` as it was.
FileResult LoadFavoritesFile(const QString& path, CUserIDs& list);
// Replaces the file in one step: on failure the old file stays whole.
FileResult SaveFavoritesFile(const QString& path, const CUserIDs& list);

} // namespace favorites_file

} // namespace quillet
