// SPDX-License-Identifier: MIT
#include "quillet/favourites/ffavorites.h"

#include "platform/core/message_boxes.h"
#include "platform/core/twips.h"
#include "platform/ui/design_controls.h"
#include "quillet/favourites/fadduserid.h"
#include "quillet/favourites/favorites_file.h"
#include "quillet/favourites/fixed_window.h"
#include "quillet/favourites/list_rules.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>

namespace quillet
{

using platform::twipsRect;

namespace
{

// A row of the list box, in its place without regard to letter case.
class UserIDRow final : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override
    {
        return list_rules::RowSortsBefore(text(), other.text());
    }
};

// The list box opens with no row framed, and the first key that moves in it selects the row it lands on: the
// system lists the design was written for do that, and a framed row that is not chosen reads as chosen.
class UserIDList final : public QListWidget
{
public:
    explicit UserIDList(QWidget* parent)
        : QListWidget(parent)
    {
        // Set once, so that taking the focus frames no row of its own accord.
        setCurrentIndex(QModelIndex());
    }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (currentIndex().isValid() || count() == 0)
            return QListWidget::moveCursor(action, modifiers);
        // From no row at all: End lands on the last row, every other move on the first.
        return model()->index(action == MoveEnd ? count() - 1 : 0, 0, rootIndex());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        // Space selects the framed row; with none framed yet, the first.
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && !currentIndex().isValid()
            && count() > 0) {
            setCurrentRow(0);
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

} // namespace

FFavorites::FFavorites(platform::MessageBoxes& messages, QString programFolder, QWidget* parent)
    : QDialog(parent, fixed_window::kFixedDialogFlags)
    , m_messages(messages)
    , m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("FFavorites"));
    setWindowTitle(QStringLiteral("Favorite"));
    setFixedSize(platform::twipsSize(3525, 3990));

    lblDoubleClick = new QLabel(QStringLiteral("Double-click a User ID or highlight and press Go!"), this);
    lblDoubleClick->setObjectName(QStringLiteral("lblDoubleClick"));
    lblDoubleClick->setGeometry(twipsRect(150, 30, 2355, 405));
    lblDoubleClick->setWordWrap(true);

    lstFavorites = new UserIDList(this);
    lstFavorites->setObjectName(QStringLiteral("lstFavorites"));
    lstFavorites->setGeometry(twipsRect(120, 480, 1995, 3375));
    lstFavorites->setToolTip(
        QStringLiteral("Double-click any user ID to return to Lastbell Quillet and view that user's information."));
    platform::labelControl(lblDoubleClick, lstFavorites);
    lstFavorites->setSortingEnabled(true);
    lstFavorites->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFavorites->setUniformItemSizes(true);

    cmdGetInfo = fixed_window::makeButton(this, "cmdGetInfo", QStringLiteral("&Go!"), twipsRect(2220, 990, 1230, 360),
        QStringLiteral("Check the user highlighted in the box to the left."));
    cmdGetInfo->setDefault(true);
    cmdAdd = fixed_window::makeButton(this, "cmdAdd", QStringLiteral("&Add User ID.."),
        twipsRect(2220, 1740, 1215, 345), QStringLiteral("Add a User ID to the favorites list."));
    cmdDelete = fixed_window::makeButton(this, "cmdDelete", QStringLiteral("&Delete"), twipsRect(2220, 2190, 1230, 345),
        QStringLiteral("Delete the highlighted user from the favorites list."));
    cmdDelete->setEnabled(false);
    cmdClose = fixed_window::makeButton(this, "cmdClose", QStringLiteral("&Close"), twipsRect(2235, 2925, 1230, 345),
        QStringLiteral("Close favorites list and return to Lastbell Quillet."));

    connect(lstFavorites, &QListWidget::itemSelectionChanged, this, &FFavorites::SelectionChanged);
    connect(lstFavorites, &QListWidget::itemDoubleClicked, this, &FFavorites::GetInfo);
    connect(cmdGetInfo, &QPushButton::clicked, this, &FFavorites::GetInfo);
    connect(cmdAdd, &QPushButton::clicked, this, &FFavorites::AddUserID);
    connect(cmdDelete, &QPushButton::clicked, this, &FFavorites::DeleteUserID);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* deleteKey = new QShortcut(QKeySequence::Delete, lstFavorites);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, &FFavorites::DeleteUserID);

    setTabOrder(lstFavorites, cmdGetInfo);
    setTabOrder(cmdGetInfo, cmdAdd);
    setTabOrder(cmdAdd, cmdDelete);
    setTabOrder(cmdDelete, cmdClose);
    lstFavorites->setFocus();
}

FFavorites::~FFavorites() = default;

void FFavorites::SetListKind(bool bSellers)
{
    m_bSellers = bSellers;
    m_userIDs = std::make_unique<CUserIDs>();
}

bool FFavorites::OnFormLoad()
{
    setWindowTitle(m_bSellers ? QStringLiteral("Favorite Sellers List") : QStringLiteral("Favorite Bidders List"));
    const favorites_file::FileResult loaded = favorites_file::LoadFavoritesFile(filePath(), *m_userIDs);
    if (!loaded.ok) {
        m_messages.ask(parentWidget(), windowTitle(),
            QStringLiteral("The list cannot be opened.\r\"%1\" cannot be read: %2.\rThe file has been left as it is.")
                .arg(QDir::toNativeSeparators(filePath()), loaded.reason),
            platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        m_unloaded = true; // so no later unload can overwrite the file it could not read
        return false;
    }
    // One sort at the end instead of a sorted insertion per row.
    lstFavorites->setSortingEnabled(false);
    for (const CUserID& entry : m_userIDs->NewEnum())
        addRow(entry.UserID());
    lstFavorites->setSortingEnabled(true);
    lstFavorites->sortItems(Qt::AscendingOrder);
    return true;
}

void FFavorites::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    for (;;) {
        const favorites_file::FileResult saved = favorites_file::SaveFavoritesFile(filePath(), *m_userIDs);
        if (saved.ok)
            return;
        const platform::MessageAnswer answer = m_messages.ask(isVisible() ? this : parentWidget(), windowTitle(),
            QStringLiteral("Your changes to the list could not be saved.\r\"%1\" cannot be written: %2.\rRetry to "
                           "save again, or Cancel to close the list without saving your changes.")
                .arg(QDir::toNativeSeparators(filePath()), saved.reason),
            platform::MessageIcon::Warning, platform::MessageButtons::RetryCancel);
        if (answer != platform::MessageAnswer::Retry)
            return;
    }
}

void FFavorites::closeEvent(QCloseEvent* event)
{
    // "&Close", Escape and the close box all unload the window, which saves the list.
    Unload();
    QDialog::closeEvent(event);
}

void FFavorites::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FFavorites::GetInfo()
{
    const QList<QListWidgetItem*> highlighted = lstFavorites->selectedItems();
    m_chosenID = highlighted.isEmpty() ? QString() : highlighted.first()->text();
    // Hidden, not unloaded: the opener reads the chosen ID, then unloads the window.
    accept();
}

void FFavorites::AddUserID()
{
    QString entered;
    {
        FAddUserID dialog(this);
        dialog.exec();
        entered = dialog.EnteredID();
    }
    if (entered.isEmpty())
        return;
    if (const CUserID* added = m_userIDs->Add(entered))
        addRow(added->UserID());
}

void FFavorites::DeleteUserID()
{
    const QList<QListWidgetItem*> highlighted = lstFavorites->selectedItems();
    if (highlighted.isEmpty())
        return;
    QListWidgetItem* row = highlighted.first();
    const int position = lstFavorites->row(row);
    const QString text = row->text();
    const std::unique_ptr<QListWidgetItem> removed(lstFavorites->takeItem(position));
    const int next = list_rules::RowToSelectAfterDelete(position, lstFavorites->count());
    if (next >= 0)
        lstFavorites->setCurrentRow(next, QItemSelectionModel::ClearAndSelect);
    // Removing the selected row does not signal a selection change.
    SelectionChanged();
    m_userIDs->Remove(text);
}

void FFavorites::SelectionChanged()
{
    cmdDelete->setEnabled(!lstFavorites->selectedItems().isEmpty());
}

void FFavorites::addRow(const QString& sUserID)
{
    lstFavorites->addItem(new UserIDRow(sUserID));
}

QString FFavorites::filePath() const
{
    return favorites_file::FavoritesFilePath(m_programFolder, m_bSellers);
}

} // namespace quillet
