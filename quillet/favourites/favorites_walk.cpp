// SPDX-License-Identifier: MIT
#include "quillet/favourites/favorites_walk.h"

#include "platform/folder_listing.h"

#include <QStringList>

namespace favorites_walk
{

NodeKind KindOf(const QString& key)
{
    if (key == QLatin1String(kRootKey))
        return NodeKind::Root;
    return key.endsWith(QLatin1Char(kSeparator)) ? NodeKind::Folder : NodeKind::Shortcut;
}

void AddFolderNodes(const QString& folder, const QString& parentKey, const Sink& sink)
{
    // The whole listing first, then the nodes and the walks below.
    QStringList kept;
    for (const QString& name : platform::listFolder(folder, platform::Listing::FoldersIncluded)) {
        if (platform::fileAttributes(folder + name) == platform::attributes::kDirectory)
            kept.append(name);
    }
    for (const QString& name : kept) {
        const QString path = folder + name + QLatin1Char(kSeparator);
        sink.addNode({ path, parentKey, name, kClosedFolder, kOpenFolder });
        AddShortcutNodes(path, path, sink);
        AddFolderNodes(path, path, sink);
    }
    if (sink.processEvents)
        sink.processEvents();
}

void AddShortcutNodes(const QString& folder, const QString& parentKey, const Sink& sink)
{
    for (const QString& name : platform::listFolder(folder, platform::Listing::HiddenFiles)) {
        // Only the last three letters count, so "myurl" is a shortcut too. A name too short to lose four
        // characters gives no node.
        if (name.size() < 4 || name.right(3).toLower() != QLatin1String("url"))
            continue;
        sink.addNode({ folder + name, parentKey, name.chopped(4), kShortcutPage, kShortcutPage });
    }
}

void AddAllNodes(const QString& favoritesFolder, const Sink& sink)
{
    const QString root = QLatin1String(kRootKey);
    sink.addNode({ root, QString(), QStringLiteral("Favorites"), kBrowserLogo, kBrowserLogo });
    if (favoritesFolder.isEmpty())
        return;
    const QString folder = favoritesFolder + QLatin1Char(kSeparator);
    AddFolderNodes(folder, root, sink);
    AddShortcutNodes(folder, root, sink);
}

} // namespace favorites_walk
