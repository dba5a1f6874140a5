// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform
{

class MessageBoxes;

// "Add Favorite": a name proposed from the page title and a folder of the favorites folder; OK writes
// "<name>.url" there.
class AddFavoriteDialog final : public QDialog
{
    Q_OBJECT
public:
    AddFavoriteDialog(const QString& favoritesFolder, const QString& url, const QString& title, MessageBoxes& messages,
        QWidget* owner = nullptr);

    void accept() override;

    // The shortcut written, once OK succeeded.
    QString writtenPath() const { return m_written; }

private:
    void addFolderItems(QTreeWidgetItem* parent, const QString& folder);
    QString chosenFolder() const;
    void NewFolder();
    void tell(const QString& text);

    QString m_url;
    MessageBoxes& m_messages;
    QLineEdit* txtName = nullptr;
    QTreeWidget* tvwFolders = nullptr;
    QString m_written;
};

} // namespace platform
