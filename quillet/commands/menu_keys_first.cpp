// SPDX-License-Identifier: MIT
#include "quillet/commands/menu_keys_first.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

MenuKeysFirst::MenuKeysFirst(QWidget* window, QList<QKeySequence> keys)
    : QObject(window)
    , m_window(window)
    , m_keys(std::move(keys))
{
    // The web view hands keys to objects that are not widgets, so the whole application is watched.
    qApp->installEventFilter(this);
}

MenuKeysFirst::~MenuKeysFirst()
{
    qApp->removeEventFilter(this);
}

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != m_window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!m_keys.contains(QKeySequence(key->keyCombination())))
        return false;
    // Left unaccepted, the override falls through to the window's shortcuts.
    event->ignore();
    return true;
}
