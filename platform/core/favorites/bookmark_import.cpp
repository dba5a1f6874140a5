// SPDX-License-Identifier: MIT
#include "platform/core/favorites/bookmark_import.h"

#include "platform/core/favorites/folder_listing.h"
#include "platform/core/favorites/internet_shortcut.h"
#include "platform/core/favorites/safe_file_name.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <cerrno>
#include <cstring>

namespace platform
{

namespace
{

// Highest " (n)" tried before a name counts as failed.
constexpr int kMaxNumbered = 999;
// Longer addresses are no bookmarks anyone can use.
constexpr qsizetype kMaxAddress = 32768;

QString numbered(const QString& name, int n)
{
    return n == 1 ? name : name + u" (" + QString::number(n) + u')';
}

class Importer
{
public:
    Importer(const QString& root, const std::function<bool(qint64, qint64)>& progress)
        : m_root(root)
        , m_progress(progress)
    {
    }

    ImportCounts run(const BookmarkFile& file)
    {
        const qint64 total = file.items.size();
        for (qint64 i = 0; i < total; ++i) {
            if (m_progress && i % 64 == 0 && !m_progress(i, total)) {
                m_counts.cancelled = true;
                break;
            }
            const Bookmark& item = file.items[i];
            // Folders come before their contents; an item whose folder could not be made is left out with it.
            const QString parent = item.parent < 0 ? m_root : m_folderPaths.value(item.parent);
            if (parent.isEmpty()) {
                m_folderPaths.insert(int(i), QString());
                continue;
            }
            if (item.kind == Bookmark::Kind::Folder)
                m_folderPaths.insert(int(i), addFolder(parent, item.title));
            else
                addLink(parent, item);
        }
        return m_counts;
    }

private:
    // The folder's path, or empty when it could not be made.
    QString addFolder(const QString& parent, const QString& title)
    {
        const QString name = SafeFileName(title, QStringLiteral("Untitled"));
        for (int n = 1; n <= kMaxNumbered; ++n) {
            const QString path = parent + u'/' + numbered(name, n);
            const int bits = fileAttributes(path);
            if (bits >= 0 && (bits & (attributes::kDirectory | attributes::kLink)) == attributes::kDirectory)
                return path; // merged into
            if (bits >= 0)
                continue; // a file or a link of that name: never written through
            if (QDir().mkdir(path)) {
                ++m_counts.foldersAdded;
                return path;
            }
            m_counts.addFailure(path, QString::fromLocal8Bit(std::strerror(errno)));
            return {};
        }
        m_counts.addFailure(parent + u'/' + name, QStringLiteral("too many folders of that name"));
        return {};
    }

    void addLink(const QString& parent, const Bookmark& item)
    {
        const QUrl url(item.address);
        const QString scheme = url.scheme().toLower();
        if (scheme != u"http" && scheme != u"https" && scheme != u"ftp") {
            ++m_counts.skippedByKind[scheme.isEmpty() ? QStringLiteral("no address") : scheme + u':'];
            return;
        }
        if (item.address.size() > kMaxAddress || !url.isValid()) {
            ++m_counts.skippedByKind[QStringLiteral("unusable address")];
            return;
        }
        const QString stored = StoredShortcutAddress(item.address);
        QSet<QString>& there = addressesIn(parent);
        if (there.contains(stored)) {
            ++m_counts.alreadyThere;
            return;
        }
        const QString name = SafeFileName(item.title, url.host());
        for (int n = 1; n <= kMaxNumbered; ++n) {
            const QString path = parent + u'/' + numbered(name, n) + u".url";
            if (fileAttributes(path) >= 0)
                continue; // another favorite, a folder or a link: never written through
            const WriteResult written = WriteNewInternetShortcut(path, item.address);
            if (written.ok) {
                ++m_counts.favoritesAdded;
                there.insert(stored);
            } else {
                m_counts.addFailure(path, written.reason);
            }
            return;
        }
        m_counts.addFailure(parent + u'/' + name + u".url", QStringLiteral("too many favorites of that name"));
    }

    // The addresses of the favorites a folder holds, read once a folder. A favorite that is there under another
    // name (imported when titles lost their inner spaces, or renamed since) is not added again.
    QSet<QString>& addressesIn(const QString& folder)
    {
        auto found = m_addresses.find(folder);
        if (found != m_addresses.end())
            return *found;
        QSet<QString> addresses;
        for (const QString& name : listFolder(folder).files) {
            const QString path = folder + u'/' + name;
            if (name.endsWith(u".url", Qt::CaseInsensitive)
                && (fileAttributes(path) & (attributes::kDirectory | attributes::kLink)) == 0)
                addresses.insert(ReadShortcutAddress(path));
        }
        return *m_addresses.insert(folder, addresses);
    }

    QString m_root;
    const std::function<bool(qint64, qint64)>& m_progress;
    QHash<int, QString> m_folderPaths;
    QHash<QString, QSet<QString>> m_addresses; // by folder path
    ImportCounts m_counts;
};

QString plural(int n, const char* one, const char* many)
{
    return QString::number(n) + u' ' + QLatin1String(n == 1 ? one : many);
}

QString tooLarge()
{
    return u"It is larger than a bookmark file can be (" + QString::number(kMaxBookmarkFileBytes >> 20)
        + u" MB at most).";
}

} // namespace

int ImportCounts::skipped() const
{
    int sum = 0;
    for (int n : skippedByKind)
        sum += n;
    return sum;
}

void ImportCounts::addFailure(const QString& path, const QString& reason)
{
    if (failed++ == 0)
        firstFailure = path + u": " + reason;
}

ImportCounts ImportBookmarks(
    const BookmarkFile& file, const QString& favoritesFolder, const std::function<bool(qint64, qint64)>& progress)
{
    return Importer(QDir::cleanPath(favoritesFolder), progress).run(file);
}

BookmarkFileBytes ReadBookmarkFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { false, {}, file.errorString() };
    if (QFileInfo(path).isDir())
        return { false, {}, QStringLiteral("It is a folder, not a file.") };
    if (file.size() > kMaxBookmarkFileBytes)
        return { false, {}, tooLarge() };
    BookmarkFileBytes read { true, file.read(kMaxBookmarkFileBytes + 1), {} };
    if (file.error() != QFileDevice::NoError)
        return { false, {}, file.errorString() };
    if (read.bytes.size() > kMaxBookmarkFileBytes)
        return { false, {}, tooLarge() };
    return read;
}

QString ImportSummaryText(const QString& path, const ImportCounts& counts)
{
    QString text = (counts.cancelled ? QString(u"The import of " + path + u" was cancelled. Before that, ")
                                     : QString(u"The bookmarks of " + path + u" were imported: "))
        + plural(counts.favoritesAdded, "favorite", "favorites") + u" and "
        + plural(counts.foldersAdded, "folder", "folders") + u" added.";
    if (counts.alreadyThere > 0)
        text += u"\r"
            + plural(counts.alreadyThere, "favorite was already there and left as it was",
                "favorites were already there and left as they were")
            + u'.';
    if (counts.skipped() > 0) {
        QStringList kinds;
        for (auto it = counts.skippedByKind.cbegin(); it != counts.skippedByKind.cend(); ++it)
            kinds.append(it.key() + u' ' + QString::number(it.value()));
        text += u"\r"
            + plural(counts.skipped(), "link was skipped: it is not a web address",
                "links were skipped: they are not web addresses")
            + u" (" + kinds.join(u", ") + u").";
    }
    if (counts.failed > 0)
        text += u"\r" + plural(counts.failed, "favorite or folder", "favorites or folders")
            + u" could not be written, the first one being " + counts.firstFailure;
    return text;
}

} // namespace platform
