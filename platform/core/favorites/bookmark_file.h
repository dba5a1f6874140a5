// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace platform
{

// What a bookmark file in the Netscape bookmark format holds, in document order.
struct Bookmark {
    enum class Kind { Folder, Link };
    Kind kind = Kind::Link;
    QString title; // entities decoded, each line break or tab a space, no blanks around it
    QString address; // links only; entities decoded, a bare "&" kept
    int parent = -1; // index of the folder that holds it; -1 is the file's root list
};

struct BookmarkFile {
    QList<Bookmark> items;
    bool cancelled = false;
};

// Folders nested deeper than this are read into the deepest one allowed.
inline constexpr int kMaxBookmarkDepth = 64;

// Reads the format tolerantly, as Firefox, Chromium and Internet Explorer write it: tags are never required to
// close, <HR> may stand anywhere, an <H3> may have no list, attributes may hold raw "&" and very long values.
// The text is decoded with the charset its META line names (UTF-8 when none or unknown). `progress` is told
// how much of the text has been read and may answer false to stop.
BookmarkFile ParseBookmarkFile(
    const QByteArray& bytes, const std::function<bool(qint64 done, qint64 total)>& progress = {});

// The charset a META line names, or an empty one.
QByteArray DeclaredCharset(const QByteArray& bytes);

} // namespace platform
