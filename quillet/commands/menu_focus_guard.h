// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

namespace quillet
{

// The menu bar takes the keyboard focus when its menus are opened from the keyboard (Alt, or Alt and a letter),
// and a text control that loses the focus that way drops its selection: the Edit menu's Cut and Copy then had
// nothing to act on. A text control of the window that loses the focus to the menu bar is told it lost it to a
// menu, as when a menu is opened with the mouse, so the selection stays for the command.
class MenuFocusGuard final : public QObject
{
    Q_OBJECT
public:
    explicit MenuFocusGuard(QWidget* window);
    ~MenuFocusGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

} // namespace quillet
