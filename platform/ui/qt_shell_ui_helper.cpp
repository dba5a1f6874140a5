// SPDX-License-Identifier: MIT
#include "platform/ui/qt_shell_ui_helper.h"

#include "platform/core/favorites/bookmark_import.h"
#include "platform/core/favorites/internet_shortcut.h"
#include "platform/core/favorites/shell_folders.h"
#include "platform/core/message_boxes.h"
#include "platform/ui/add_favorite_dialog.h"

#include <QApplication>
#include <QProgressDialog>
#include <memory>

namespace platform
{

namespace
{

// Files larger than this are read with a progress window that can be cancelled.
constexpr qsizetype kProgressFileBytes = 4 << 20;

// One progress window over both steps, reading and writing, each half of the bar.
class ImportProgress
{
public:
    ImportProgress(QWidget* owner, bool shown)
    {
        if (!shown)
            return;
        m_dialog = std::make_unique<QProgressDialog>(
            QStringLiteral("Importing favorites..."), QStringLiteral("&Cancel"), 0, 1000, owner);
        m_dialog->setObjectName(QStringLiteral("importProgress"));
        m_dialog->setWindowTitle(QStringLiteral("Import Favorites"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setValue(0);
    }

    std::function<bool(qint64, qint64)> step(int half)
    {
        if (!m_dialog)
            return {};
        return [this, half](qint64 done, qint64 total) {
            m_dialog->setValue(half * 500 + int(total > 0 ? done * 500 / total : 0));
            QCoreApplication::processEvents();
            return !m_dialog->wasCanceled();
        };
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

QtShellUIHelper::QtShellUIHelper(
    const SpecialFolders& folders, MessageBoxes& messages, QWidget* owner, const QString& title)
    : m_folders(folders)
    , m_messages(messages)
    , m_owner(owner)
    , m_title(title)
{
}

QString QtShellUIHelper::favoritesFolder()
{
    const QString folder = m_folders.path(kCsidlFavorites);
    if (folder.isEmpty())
        m_messages.ask(m_owner, m_title, QStringLiteral("The favorites folder cannot be found or created."),
            MessageIcon::Critical, MessageButtons::Ok);
    return folder;
}

void QtShellUIHelper::AddFavorite(const QString& url, const QString& title)
{
    const QString folder = favoritesFolder();
    if (folder.isEmpty())
        return;
    AddFavoriteDialog dialog(folder, url, title, m_messages, m_owner);
    dialog.exec();
}

void QtShellUIHelper::ImportExportFavorites(bool import, const QString& path)
{
    if (!import)
        return;
    const QString folder = favoritesFolder();
    if (folder.isEmpty())
        return;
    const BookmarkFileBytes read = ReadBookmarkFile(path);
    if (!read.ok) {
        m_messages.ask(m_owner, m_title, u"The bookmark file " + path + u" cannot be read.\r" + read.reason,
            MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    ImportProgress progress(m_owner, read.bytes.size() > kProgressFileBytes);
    const BookmarkFile bookmarks = ParseBookmarkFile(read.bytes, progress.step(0));
    if (bookmarks.cancelled)
        return;
    if (bookmarks.items.isEmpty()) {
        m_messages.ask(m_owner, m_title, path + u" holds no bookmarks. Nothing was imported.", MessageIcon::Information,
            MessageButtons::Ok);
        return;
    }
    ImportCounts counts = ImportBookmarks(bookmarks, folder, progress.step(1));
    // The summary is told only once the shortcuts are on the disk.
    const WriteResult synced = SyncFileSystem(folder);
    if (!synced.ok)
        counts.addFailure(folder, synced.reason);
    m_messages.ask(m_owner, m_title, ImportSummaryText(path, counts),
        counts.failed > 0 ? MessageIcon::Warning : MessageIcon::Information, MessageButtons::Ok);
}

} // namespace platform
