// SPDX-License-Identifier: MIT
#include "platform/core/favorites/shell_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform
{

QString XdgSpecialFolders::path(int csidl) const
{
    if (csidl != kCsidlFavorites)
        return {};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    const QString favorites = data + u"/Lastbell Quillet/Favorites";
    return QDir().mkpath(favorites) ? favorites : QString();
}

} // namespace platform
