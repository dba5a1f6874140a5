// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QLabel>

namespace quillet
{

// A label that behaves as a web link: blue and plain at rest, magenta and underlined while the pointer moves
// over it. The window around it calls resetLook() when the pointer moves over the window itself.
class LinkLabel final : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // The colour shown until the label is first hovered; blue unless the window chooses another.
    void setDesignColour(const QColor& colour);

    void resetLook();
    bool isHot() const { return m_hot; }

    static QColor restColour() { return { 0, 0, 255 }; }
    static QColor hotColour() { return { 255, 0, 255 }; }

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showLook(const QColor& colour, bool underlined);

    bool m_hot = false;
    bool m_pressed = false;
};

} // namespace quillet
