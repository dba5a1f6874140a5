// SPDX-License-Identifier: MIT
#include "platform/ui/add_favorite_dialog.h"

#include "platform/core/favorites/folder_listing.h"
#include "platform/core/favorites/internet_shortcut.h"
#include "platform/core/favorites/safe_file_name.h"
#include "platform/core/message_boxes.h"
#include "platform/ui/design_controls.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <cerrno>
#include <cstring>

namespace platform
{

namespace
{

constexpr int kPathRole = Qt::UserRole;

bool isPlainFolder(const QString& path)
{
    return fileAttributes(path) == attributes::kDirectory;
}

} // namespace

AddFavoriteDialog::AddFavoriteDialog(
    const QString& favoritesFolder, const QString& url, const QString& title, MessageBoxes& messages, QWidget* owner)
    : QDialog(owner)
    , m_url(url)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("AddFavorite"));
    setWindowTitle(QStringLiteral("Add Favorite"));
    auto* grid = new QGridLayout(this);

    auto* nameLabel = new QLabel(QStringLiteral("&Name:"), this);
    txtName = new QLineEdit(SafeFileName(title, QUrl(url).host()), this);
    txtName->setObjectName(QStringLiteral("txtName"));
    nameLabel->setBuddy(txtName);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(txtName, 0, 1, 1, 2);

    auto* folderLabel = new QLabel(QStringLiteral("Create &in:"), this);
    tvwFolders = new QTreeWidget(this);
    tvwFolders->setObjectName(QStringLiteral("tvwFolders"));
    tvwFolders->setHeaderHidden(true);
    labelControl(folderLabel, tvwFolders);
    auto* root = new QTreeWidgetItem(tvwFolders, { QStringLiteral("Favorites") });
    root->setData(0, kPathRole, favoritesFolder);
    addFolderItems(root, favoritesFolder);
    root->setExpanded(true);
    tvwFolders->setCurrentItem(root);
    grid->addWidget(folderLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(tvwFolders, 1, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* newFolder = buttons->addButton(QStringLiteral("New &Folder..."), QDialogButtonBox::ActionRole);
    newFolder->setObjectName(QStringLiteral("cmdNewFolder"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddFavoriteDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddFavoriteDialog::reject);
    connect(newFolder, &QPushButton::clicked, this, &AddFavoriteDialog::NewFolder);
    connect(txtName, &QLineEdit::textChanged, this,
        [this, buttons] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!txtName->text().trimmed().isEmpty()); });
    txtName->selectAll();
    resize(420, 320);
}

void AddFavoriteDialog::addFolderItems(QTreeWidgetItem* parent, const QString& folder)
{
    for (const QString& name : listFolder(folder).folders) {
        const QString path = folder + u'/' + name;
        if (!isPlainFolder(path))
            continue;
        auto* item = new QTreeWidgetItem(parent, { name });
        item->setData(0, kPathRole, path);
        addFolderItems(item, path);
    }
}

QString AddFavoriteDialog::chosenFolder() const
{
    const QTreeWidgetItem* item = tvwFolders->currentItem();
    return item ? item->data(0, kPathRole).toString() : tvwFolders->topLevelItem(0)->data(0, kPathRole).toString();
}

void AddFavoriteDialog::tell(const QString& text)
{
    m_messages.ask(this, windowTitle(), text, MessageIcon::Critical, MessageButtons::Ok);
}

void AddFavoriteDialog::NewFolder()
{
    bool ok = false;
    const QString typed = QInputDialog::getText(
        this, QStringLiteral("New Folder"), QStringLiteral("Folder &name:"), QLineEdit::Normal, QString(), &ok);
    if (!ok || typed.trimmed().isEmpty())
        return;
    QTreeWidgetItem* parent = tvwFolders->currentItem() ? tvwFolders->currentItem() : tvwFolders->topLevelItem(0);
    const QString path = chosenFolder() + u'/' + SafeFileName(typed, QStringLiteral("New Folder"));
    if (!isPlainFolder(path) && !QDir().mkdir(path)) {
        tell(u"The folder " + path + u" cannot be created.\r" + QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->data(0, kPathRole).toString() == path) {
            tvwFolders->setCurrentItem(parent->child(i));
            return;
        }
    }
    auto* item = new QTreeWidgetItem(parent, { path.sliced(path.lastIndexOf(u'/') + 1) });
    item->setData(0, kPathRole, path);
    parent->setExpanded(true);
    tvwFolders->setCurrentItem(item);
}

void AddFavoriteDialog::accept()
{
    const QString name = SafeFileName(txtName->text(), QUrl(m_url).host());
    const QString path = chosenFolder() + u'/' + name + u".url";
    const int bits = fileAttributes(path);
    if (bits >= 0 && (bits & (attributes::kDirectory | attributes::kLink)) != 0) {
        tell(u"The name " + name + u".url is taken by a folder or a link. Please choose another name.");
        return;
    }
    if (bits >= 0
        && m_messages.ask(this, windowTitle(), name + u" is already in your favorites.\rDo you want to replace it?",
               MessageIcon::Question, MessageButtons::YesNo)
            != MessageAnswer::Yes)
        return;
    const WriteResult written = WriteInternetShortcut(path, m_url);
    if (!written.ok) {
        tell(u"The favorite " + path + u" cannot be written.\r" + written.reason);
        return;
    }
    m_written = path;
    QDialog::accept();
}

} // namespace platform
