// SPDX-License-Identifier: MIT
#include "quillet/commands/link_label.h"

#include <QMouseEvent>

namespace quillet
{

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // A label's access key moves the focus on to the next control; being its own buddy shows the mnemonic.
    if (text.contains(QLatin1Char('&')))
        setBuddy(this);
    showLook(restColour(), false);
}

void LinkLabel::setDesignColour(const QColor& colour)
{
    if (!m_hot)
        showLook(colour, false);
}

void LinkLabel::resetLook()
{
    m_hot = false;
    showLook(restColour(), false);
}

void LinkLabel::showLook(const QColor& colour, bool underlined)
{
    QPalette look = palette();
    look.setColor(QPalette::WindowText, colour);
    setPalette(look);
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

bool LinkLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        // The control that follows the label in tab order takes the focus.
        for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(window()) && next->isEnabled()) {
                next->setFocus(Qt::ShortcutFocusReason);
                break;
            }
        }
        return true;
    }
    return QLabel::event(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_hot) {
        m_hot = true;
        showLook(hotColour(), true);
    }
    // Taken here, so the window around does not see the move and reset the look at once.
    event->accept();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    resetLook();
    event->accept();
    if (click)
        emit clicked();
}

} // namespace quillet
