// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace platform
{
class Shell;
}

namespace freshbolt
{

// Offers to start the updated Quillet.
class FRestart final : public QWidget
{
    Q_OBJECT
public:
    FRestart(platform::Shell& shell, QString programFolder, QWidget* parent = nullptr);

private:
    void restartNow();

    platform::Shell& m_shell;
    QString m_programFolder;
    QLabel* lblBidderBlock;
    QLabel* Label1;
    QLabel* lblRestartNow;
    QPushButton* cmdYes;
    QPushButton* cmdNo;
};

} // namespace freshbolt
