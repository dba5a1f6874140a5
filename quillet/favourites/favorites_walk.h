// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace quillet
{

// The walk of the favorites folder that builds the browser favorites tree, apart from the tree control.
namespace favorites_walk
{

// Pictures of the tree's image list, by index.
inline constexpr int kClosedFolder = 1;
inline constexpr int kOpenFolder = 2;
inline constexpr int kBrowserLogo = 3;
inline constexpr int kShortcutPage = 4;

inline constexpr char kRootKey[] = "IE";
inline constexpr char kSeparator = '/';

struct Node {
    QString key;
    QString parentKey;
    QString text;
    int image = 0;
    int selectedImage = 0;
};

enum class NodeKind { Root, Folder, Shortcut };

// The kind of a node follows from its key alone.
NodeKind KindOf(const QString& key);

struct Sink {
    std::function<void(const Node&)> addNode;
    std::function<void()> processEvents; // after each folder's walk
};

// Adds `folders`, the listed sub-folders of `folder` (a path ending in the separator), under `parentKey`, each
// followed by its own shortcuts and then its own sub-folders. Only plain folders are walked: not hidden, read-only
// or linked ones. Each folder is listed once for both walks.
void AddFolderNodes(const QString& folder, const QStringList& folders, const QString& parentKey, const Sink& sink);

// Adds the internet shortcuts among `files`, the listed files of `folder`, under `parentKey`, hidden ones included.
void AddShortcutNodes(const QString& folder, const QStringList& files, const QString& parentKey, const Sink& sink);

// The root node and the whole favorites folder below it; no folder (it could not be located) gives the root
// alone, never a walk of the file system's root.
void AddAllNodes(const QString& favoritesFolder, const Sink& sink);

} // namespace favorites_walk

} // namespace quillet
