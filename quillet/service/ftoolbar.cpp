// SPDX-License-Identifier: MIT
#include "quillet/service/ftoolbar.h"

#include "platform/core/product.h"
#include "quillet/service/number_text.h"
#include "quillet/service/snipe_address.h"
#include "quillet/service/snipe_icon.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>

namespace quillet
{

namespace
{

// A drop's plain text; a dragged link that carries no text gives its address.
QString droppedText(const QMimeData* data)
{
    if (data->hasText())
        return data->text();
    if (data->hasUrls() && !data->urls().isEmpty())
        return data->urls().constFirst().toString();
    return {};
}

bool canDrop(const QMimeData* data)
{
    return data->hasText() || data->hasUrls();
}

} // namespace

void ItemBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (canDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (canDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemBox::dropEvent(QDropEvent* event)
{
    // Nothing readable in the drop leaves the box as it was.
    const QString text = droppedText(event->mimeData());
    if (text.isEmpty()) {
        event->ignore();
        return;
    }
    // A marketplace item page dropped from a browser is as good as its number.
    setText(snipe_address::MarketplaceItemNumber(text).value_or(text));
    event->acceptProposedAction();
}

FToolbar::FToolbar(QWidget* parent)
    : NoEscapeDialog(parent,
        Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FToolbar"));
    setWindowTitle(QLatin1String(product::kTitle));

    lblItem = new QLabel(QStringLiteral("&eBay Item #"), this);
    lblItem->setObjectName(QStringLiteral("lblItem"));
    txtItem = new ItemBox(this);
    txtItem->setObjectName(QStringLiteral("txtItem"));
    lblItem->setBuddy(txtItem);

    picToolbar = new QWidget(this);
    picToolbar->setObjectName(QStringLiteral("picToolbar"));
    Toolbar1 = new QToolBar(picToolbar);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setAccessibleName(QStringLiteral("Snipe"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Toolbar1->setIconSize(QSize(16, 16));
    m_snipeButton = Toolbar1->addAction(SnipeIcon(), QStringLiteral("Snipe!"));
    m_snipeButton->setObjectName(QStringLiteral("Snipe"));
    auto* holder = new QHBoxLayout(picToolbar);
    holder->setContentsMargins(0, 0, 0, 0);
    holder->addWidget(Toolbar1);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(lblItem);
    row->addWidget(txtItem, 1);
    row->addWidget(picToolbar);
    setTabOrder(txtItem, Toolbar1);
    // About 270 by 36 pixels, or what the controls need in a larger font.
    setFixedSize(qMax(270, sizeHint().width()), qMax(36, sizeHint().height()));

    connect(txtItem, &QLineEdit::textChanged, this, &FToolbar::UpdateSnipeButton);
    connect(m_snipeButton, &QAction::triggered, this, &FToolbar::Snipe);
    // Enter presses Snipe! as a dialog's default button would: the toolbar button takes no keyboard focus.
    connect(txtItem, &QLineEdit::returnPressed, this, [this] {
        if (m_snipeButton->isEnabled())
            m_snipeButton->trigger();
    });

    // The focus goes to the item box once the window is up, then the timer is done.
    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(1);
    timTimer->setSingleShot(true);
    connect(timTimer, &QTimer::timeout, txtItem, [this] { txtItem->setFocus(Qt::OtherFocusReason); });
    timTimer->start();

    UpdateSnipeButton();
}

void FToolbar::UpdateSnipeButton()
{
    const QString text = txtItem->text();
    m_snipeButton->setEnabled(!text.isEmpty() && number_text::IsNumeric(text, locale()));
}

void FToolbar::Snipe()
{
    m_itemText = txtItem->text();
    hide();
}

void FToolbar::closeEvent(QCloseEvent* event)
{
    // Only the close box counts; a close by the opener leaves the result alone.
    if (event->spontaneous())
        m_wasClosed = true;
    QDialog::closeEvent(event);
}

} // namespace quillet
