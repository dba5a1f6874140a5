// SPDX-License-Identifier: MIT
#include "quillet/commands/link_label.h"

#include "platform/ui/design_controls.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quillet
{

namespace
{

// A screen reader sees a link it can follow, named by the shown text, rather than a plain label.
class LinkLabelAccessible final : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return platform::spokenCaption(static_cast<const LinkLabel*>(widget())->text());
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit static_cast<LinkLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* linkLabelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Reached by Tab and followed with Enter or Space, as a browser's links are.
    setFocusPolicy(Qt::TabFocus);
    [[maybe_unused]] static const bool asLink = (QAccessible::installFactory(&linkLabelAccessible), true);
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

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

// Underlined while it has the keyboard, so a Tab shows where Enter will go.
void LinkLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    showLook(palette().color(QPalette::WindowText), true);
}

void LinkLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    showLook(palette().color(QPalette::WindowText), m_hot);
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
