// SPDX-License-Identifier: MIT
#include "quillet/commands/key_priority.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quillet
{

KeyPriority::KeyPriority(
    QWidget* window, QList<QKeySequence> menuFirst, QList<QKeySequence> pageFirst, QList<QWidget*> pages)
    : QObject(window)
    , m_window(window)
    , m_menuFirst(std::move(menuFirst))
    , m_pageFirst(std::move(pageFirst))
    , m_pages(std::move(pages))
{
    // The web view hands keys to objects that are not widgets, so the whole application is watched.
    qApp->installEventFilter(this);
}

KeyPriority::~KeyPriority()
{
    qApp->removeEventFilter(this);
}

bool KeyPriority::inPage(const QWidget* focused) const
{
    for (const QWidget* page : m_pages) {
        if (page == focused || page->isAncestorOf(focused))
            return true;
    }
    return false;
}

bool KeyPriority::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != m_window)
        return false;
    const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
    if (m_menuFirst.contains(key)) {
        // Left unaccepted, the override falls through to the window's shortcuts.
        event->ignore();
        return true;
    }
    if (m_pageFirst.contains(key) && inPage(focused)) {
        // Accepted, the key goes on to the page as an ordinary key press.
        event->accept();
        return true;
    }
    return false;
}

} // namespace quillet
