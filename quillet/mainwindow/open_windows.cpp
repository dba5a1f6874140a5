// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/open_windows.h"

#include <QApplication>
#include <QEvent>

namespace quillet
{

OpenWindows::OpenWindows(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

OpenWindows::~OpenWindows()
{
    qApp->removeEventFilter(this);
}

void OpenWindows::closeAllBut(const QWidget* keep)
{
    for (qsizetype i = m_windows.size() - 1; i >= 0; --i) {
        QWidget* window = m_windows.at(i);
        if (window && window != keep && window->isVisible())
            window->close();
    }
}

bool OpenWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow()) {
            m_windows.removeAll(nullptr);
            m_windows.removeAll(widget);
            m_windows.append(widget);
        }
    }
    return false;
}

} // namespace quillet
