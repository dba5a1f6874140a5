// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

// Gives a window's menu shortcuts precedence over the focused control for the given keys, as menu accelerators
// have: an address box would otherwise take Ctrl+Z as undo and a web page Ctrl+F as its own.
class MenuKeysFirst final : public QObject
{
    Q_OBJECT
public:
    MenuKeysFirst(QWidget* window, QList<QKeySequence> keys);
    ~MenuKeysFirst() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QList<QKeySequence> m_keys;
};
