// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/shell_ui_helper.h"

class QWidget;

namespace platform
{

class MessageBoxes;
class SpecialFolders;

// The favorites helper on this desktop: the "Add Favorite" dialog, and the bookmark importer with its progress
// window and summary message, both writing into the favorites special folder.
class QtShellUIHelper final : public ShellUIHelper
{
public:
    // `title` is the caption of the helper's messages.
    QtShellUIHelper(const SpecialFolders& folders, MessageBoxes& messages, QWidget* owner, const QString& title);

    void AddFavorite(const QString& url, const QString& title) override;
    void ImportExportFavorites(bool import, const QString& path) override;

private:
    QString favoritesFolder();

    const SpecialFolders& m_folders;
    MessageBoxes& m_messages;
    QWidget* m_owner;
    QString m_title;
};

} // namespace platform
