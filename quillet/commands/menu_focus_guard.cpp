// SPDX-License-Identifier: MIT
#include "quillet/commands/menu_focus_guard.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWidget>

namespace quillet
{

namespace
{

// The controls that drop their selection when they lose the focus: line edits, and editable boxes through theirs.
bool editsText(QObject* control)
{
    const auto* combo = qobject_cast<QComboBox*>(control);
    return qobject_cast<QLineEdit*>(control) || (combo && combo->isEditable());
}

} // namespace

MenuFocusGuard::MenuFocusGuard(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    // Focus events go to the control itself, so the application is watched rather than each control.
    qApp->installEventFilter(this);
}

MenuFocusGuard::~MenuFocusGuard()
{
    qApp->removeEventFilter(this);
}

bool MenuFocusGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || static_cast<QFocusEvent*>(event)->reason() != Qt::MenuBarFocusReason
        || !editsText(watched) || static_cast<QWidget*>(watched)->window() != m_window)
        return QObject::eventFilter(watched, event);
    QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(watched, &toMenu);
    return true;
}

} // namespace quillet
