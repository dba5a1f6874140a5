// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/no_escape_dialog.h"
#include <QLineEdit>

class QAction;
class QLabel;
class QTimer;
class QToolBar;

namespace quillet
{

// The item box of the floating toolbar: a drop replaces its whole text rather than inserting at the cursor, and a
// dropped item page leaves just its number.
class ItemBox final : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The small always-on-top window that stands in for the main window: type or drop an item number, press Snipe!.
// Shown with exec(); it ends by hiding itself (Snipe!) or by its close box.
class FToolbar final : public platform::NoEscapeDialog
{
    Q_OBJECT
public:
    explicit FToolbar(QWidget* parent = nullptr);

    // The item box's text when Snipe! was pressed; empty until then.
    QString ItemText() const { return m_itemText; }
    // Whether the close box ended the window.
    bool WasClosed() const { return m_wasClosed; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateSnipeButton();
    void Snipe();

    QLabel* lblItem = nullptr;
    ItemBox* txtItem = nullptr;
    QWidget* picToolbar = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QAction* m_snipeButton = nullptr;
    QTimer* timTimer = nullptr;

    QString m_itemText;
    bool m_wasClosed = false;
};

} // namespace quillet
