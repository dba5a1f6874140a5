// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// Input as the user gives it: a click gives the focus the way the window system does, and a key goes to the widget
// that has the focus, never straight to a control's inner part (a combo box hands its keys to its line edit itself,
// past any filter on that line edit).
namespace keyboard
{

// A click into the control, into the text part of an editable combo box; the widget that has the focus after it.
inline QWidget* clickInto(QWidget* control)
{
    auto* combo = qobject_cast<QComboBox*>(control);
    QWidget* target = combo && combo->lineEdit() ? combo->lineEdit() : control;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    return QApplication::focusWidget();
}

// Keys to the widget that has the focus, each looked up again: a key can move the focus.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    if (QWidget* focused = QApplication::focusWidget())
        QTest::keyClick(focused, key, modifiers);
}

inline void type(const QString& text)
{
    for (const QChar c : text) {
        if (QWidget* focused = QApplication::focusWidget())
            QTest::keyClick(focused, c.toLatin1());
    }
}

// Tab until `target` has the focus, as a user moves there; false when it never comes round.
inline bool tabTo(const QWidget* target, int limit = 30)
{
    for (int i = 0; i < limit && QApplication::focusWidget() != target; ++i)
        press(Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

} // namespace keyboard
