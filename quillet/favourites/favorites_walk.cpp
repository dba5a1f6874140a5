// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_walk.h"

#include "platform/core/favorites/folder_listing.h"

#include <QStringList>

namespace quillet
{

namespace favorites_walk
{

NodeKind KindOf(const QString& key)
{
    if (key == QLatin1String(kRootKey))
        return NodeKind::Root;
    return key.endsWith(QLatin1Char(kSeparator)) ? NodeKind::Folder : NodeKind::Shortcut;
}

void AddShortcutNodes(const QString& folder, const QStringList& files, const QString& parentKey, const Sink& sink)
{
    for (const QString& name : files) {
        // Only the last three letters count, so "myurl" is a shortcut too. A name too short to lose four
        // characters gives no node.
        if (name.size() < 4 || name.right(3).toLower() != QLatin1String("url"))
            continue;
        sink.addNode({ folder + name, parentKey, name.chopped(4), kShortcutPage, kShortcutPage });
    }
}

void AddFolderNodes(const QString& folder, const QStringList& folders, const QString& parentKey, const Sink& sink)
{
    // The whole listing first, then the nodes and the walks below.
    QStringList kept;
    for (const QString& name : folders) {
        if (platform::fileAttributes(folder + name) == platform::attributes::kDirectory)
            kept.append(name);
    }
    for (const QString& name : kept) {
        const QString path = folder + name + QLatin1Char(kSeparator);
        sink.addNode({ path, parentKey, name, kClosedFolder, kOpenFolder });
        const platform::FolderListing below = platform::listFolder(path);
        AddShortcutNodes(path, below.files, path, sink);
        AddFolderNodes(path, below.folders, path, sink);
    }
    if (sink.processEvents)
        sink.processEvents();
}

void AddAllNodes(const QString& favoritesFolder, const Sink& sink)
{
    const QString root = QLatin1String(kRootKey);
    sink.addNode({ root, QString(), QStringLiteral("Favorites"), kBrowserLogo, kBrowserLogo });
    if (favoritesFolder.isEmpty())
        return;
    const QString folder = favoritesFolder + QLatin1Char(kSeparator);
    const platform::FolderListing listing = platform::listFolder(folder);
    AddFolderNodes(folder, listing.folders, root, sink);
    AddShortcutNodes(folder, listing.files, root, sink);
}

} // namespace favorites_walk

} // namespace quillet
