// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// One value of an INI-format file, read as the Windows profile reader reads it: section and key match without
// regard to case; blanks around key and value are ignored; one outer pair of matching quotes is removed; a line
// whose first non-blank is ";" is a comment; the first of duplicate sections and of duplicate keys wins. The
// value is cut to bufferSize - 1 characters, as a caller's buffer of that size would hold it. Missing: empty.
QString readIniValue(const QByteArray& content, const QString& section, const QString& key, int bufferSize);

// The same, from a file; a file that cannot be read, or is larger than an INI file can sensibly be, reads as
// empty.
QString readIniFileValue(const QString& path, const QString& section, const QString& key, int bufferSize);

// Files larger than this are not INI files a reader should load.
inline constexpr qint64 kMaxIniFileBytes = 1 << 20;

} // namespace platform
