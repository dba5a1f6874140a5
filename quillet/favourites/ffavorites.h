// SPDX-License-Identifier: MIT
#pragma once

#include "quillet/favourites/user_ids.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace platform
{
class MessageBoxes;
}

namespace quillet
{

// The favorite sellers or bidders list. The opener sets the kind, loads, shows it modally, reads ChosenID and
// unloads it; the list file is saved exactly once, when the window unloads.
class FFavorites final : public QDialog
{
    Q_OBJECT
public:
    FFavorites(platform::MessageBoxes& messages, QString programFolder, QWidget* parent = nullptr);
    ~FFavorites() override;

    // Sellers (true) or bidders (false); starts an empty user list.
    void SetListKind(bool bSellers);
    // Caption, file and rows. False when the file exists but cannot be read: the user has been told, and the
    // window must not be shown, so the file is never overwritten.
    bool OnFormLoad();
    // The highlighted row's text after "&Go!" or a double-click; empty otherwise.
    QString ChosenID() const { return m_chosenID; }
    // Saves the list unless that was done already.
    void Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void GetInfo();
    void AddUserID();
    void DeleteUserID();
    void SelectionChanged();
    void addRow(const QString& sUserID);
    QString filePath() const;

    platform::MessageBoxes& m_messages;
    QString m_programFolder;
    bool m_bSellers = true;
    std::unique_ptr<CUserIDs> m_userIDs;
    QString m_chosenID;
    bool m_loaded = false;
    bool m_unloaded = false;

    QLabel* lblDoubleClick = nullptr;
    QListWidget* lstFavorites = nullptr;
    QPushButton* cmdGetInfo = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace quillet
