// SPDX-License-Identifier: MIT
#include "quillet/favourites/fiefavorites.h"

#include "platform/core/favorites/ini_reader.h"
#include "platform/core/favorites/shell_folders.h"
#include "platform/core/twips.h"
#include "quillet/favourites/favorites_pictures.h"
#include "quillet/favourites/favorites_walk.h"

#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QTreeWidget>

namespace quillet
{

namespace
{

constexpr int kKeyRole = Qt::UserRole;
// The buffer the shortcut's address is read into: longer addresses come back cut to one less.
constexpr int kAddressBuffer = 255;

QIcon nodeIcon(int image, int selectedImage)
{
    QIcon icon(favorites_pictures::Picture(image));
    icon.addPixmap(favorites_pictures::Picture(selectedImage), QIcon::Selected);
    return icon;
}

} // namespace

FIEFavorites::FIEFavorites(const platform::SpecialFolders& folders, QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_folders(folders)
{
    setObjectName(QStringLiteral("FIEFavorites"));
    setWindowTitle(QStringLiteral("Browser Favorites"));
    setFixedSize(platform::twipsSize(5280, 5565));
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setGeometry(platform::twipsRect(60, 45, 5160, 5475));
    TreeView1->setAccessibleName(QStringLiteral("Browser favorites"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->installEventFilter(this);
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { NodeClicked(node); });
}

void FIEFavorites::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
        if (QWidget* owner = parentWidget())
            move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void FIEFavorites::Form_Load()
{
    if (!m_treeFilled)
        FillTree();
}

QString FIEFavorites::SpecialFolder(int CSIDL) const
{
    return m_folders.path(CSIDL);
}

void FIEFavorites::FillTree()
{
    // The nodes are built apart from the view and handed to it whole: no view update for every node.
    QList<QTreeWidgetItem*> topLevel;
    QHash<QString, QTreeWidgetItem*> nodes; // by key
    // Four pictures serve every node: draw each pair once, not once a node.
    QHash<int, QIcon> icons;
    favorites_walk::Sink sink;
    sink.addNode = [&](const favorites_walk::Node& node) {
        QTreeWidgetItem* parent = nodes.value(node.parentKey);
        if (!node.parentKey.isEmpty() && !parent)
            return; // a node that cannot be added is passed over
        QTreeWidgetItem*& slot = nodes[node.key];
        if (slot)
            return;
        auto* item = new QTreeWidgetItem;
        item->setText(0, node.text);
        item->setData(0, kKeyRole, node.key);
        const int pair = node.image * 16 + node.selectedImage;
        if (!icons.contains(pair))
            icons.insert(pair, nodeIcon(node.image, node.selectedImage));
        item->setIcon(0, icons.value(pair));
        if (parent)
            parent->addChild(item);
        else
            topLevel.append(item);
        slot = item;
    };
    sink.processEvents = [] { QCoreApplication::processEvents(); };
    favorites_walk::AddAllNodes(SpecialFolder(platform::kCsidlFavorites), sink);
    TreeView1->addTopLevelItems(topLevel);
    if (QTreeWidgetItem* root = TreeView1->topLevelItem(0)) {
        root->setExpanded(true);
        TreeView1->setCurrentItem(root);
    }
    m_treeFilled = true;
}

QString FIEFavorites::ReadINI(const QString& Filename, const QString& Section, const QString& Key)
{
    return platform::readIniFileValue(Filename, Section, Key, kAddressBuffer);
}

void FIEFavorites::NodeClicked(QTreeWidgetItem* node)
{
    const QString key = node->data(0, kKeyRole).toString();
    if (favorites_walk::KindOf(key) != favorites_walk::NodeKind::Shortcut)
        return;
    m_chosenAddress = ReadINI(key, QStringLiteral("InternetShortcut"), QStringLiteral("URL"));
    hide();
}

bool FIEFavorites::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and Space on a shortcut do what a click does; on a folder or the root, what the tree does.
    if (watched == TreeView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* node = TreeView1->currentItem();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && node
            && favorites_walk::KindOf(node->data(0, kKeyRole).toString()) == favorites_walk::NodeKind::Shortcut) {
            NodeClicked(node);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillet
