// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

namespace quillet
{

// Decides who gets a key that both a menu shortcut and the focused control want.
// Menu-first keys go to the window's menu, as menu accelerators do: the address box would otherwise take Ctrl+Z
// as undo and a web page Ctrl+F as its own. Page-first keys go to a web page that has the focus, so that cutting
// and pasting in a page's fields works from the keyboard although the Edit menu's commands leave pages alone.
class KeyPriority final : public QObject
{
    Q_OBJECT
public:
    KeyPriority(QWidget* window, QList<QKeySequence> menuFirst, QList<QKeySequence> pageFirst, QList<QWidget*> pages);
    ~KeyPriority() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inPage(const QWidget* focused) const;

    QWidget* m_window;
    QList<QKeySequence> m_menuFirst;
    QList<QKeySequence> m_pageFirst;
    QList<QWidget*> m_pages;
};

} // namespace quillet
