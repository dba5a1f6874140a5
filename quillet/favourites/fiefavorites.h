// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace platform
{
class SpecialFolders;
}

namespace quillet
{

// "Browser Favorites": the favorites folder as a tree. A click (or Enter) on a shortcut chooses its address and
// hides the window; the close box ends it with nothing chosen. Shown with exec().
class FIEFavorites final : public QDialog
{
    Q_OBJECT
public:
    explicit FIEFavorites(const platform::SpecialFolders& folders, QWidget* owner = nullptr);

    QString SpecialFolder(int CSIDL) const;
    void FillTree();
    static QString ReadINI(const QString& Filename, const QString& Section, const QString& Key);

    // The address of the shortcut chosen; empty when none was.
    QString ChosenAddress() const { return m_chosenAddress; }
    bool TreeFilled() const { return m_treeFilled; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void NodeClicked(QTreeWidgetItem* node);

    const platform::SpecialFolders& m_folders;
    QTreeWidget* TreeView1 = nullptr;
    bool m_treeFilled = false;
    bool m_loaded = false;
    QString m_chosenAddress;
};

} // namespace quillet
