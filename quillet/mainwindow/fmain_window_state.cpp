// SPDX-License-Identifier: MIT
// The main window's state on screen: the tab in front, the refresh of what is enabled, the layout and the busy star.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/web_browser.h"
#include "quillet/commands/link_label.h"
#include "quillet/mainwindow/busy_star.h"
#include "quillet/mainwindow/layout_rule.h"
#include "quillet/mainwindow/refresh_rule.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

namespace quillet
{

using layout_rule::toPixels;

void FMain::TabSwitched(int previousTab)
{
    const bool lastbellInFront = previousTab != kLastbellTab;
    tbrGo->setVisible(!lastbellInFront);
    v_bSnipeTabActive = lastbellInFront;
    m_panels[0]->setText(lastbellInFront ? QStringLiteral("Lastbell") : QStringLiteral("Auction Browser"));
    const bool busy = (lastbellInFront ? m_brwSnipe : m_brwAuction)->busy();
    m_panels[1]->setText(busy ? QStringLiteral("Working . . .") : QStringLiteral("Done"));
    lblCobbleton->setVisible(lastbellInFront);
    RefreshUiState();
}

bool FMain::auctionTabInFront() const
{
    return SSTab1->currentIndex() == kAuctionTab;
}

platform::WebBrowser& FMain::currentBrowser() const
{
    return auctionTabInFront() ? *m_brwAuction : *m_brwSnipe;
}

void FMain::RefreshUiState()
{
    refresh_rule::Inputs in;
    in.addressText = cboAddress->currentText();
    in.auctionTabInFront = auctionTabInFront();
    in.buttonTextShown = m_buttonTextShown;
    in.snipeTabActive = v_bSnipeTabActive;
    in.snipeCanGoBack = v_bSnipeCanGoBack;
    in.snipeCanGoForward = v_bSnipeCanGoForward;
    in.auctionCanGoBack = v_bAuctionCanGoBack;
    in.auctionCanGoForward = v_bAuctionCanGoForward;
    in.snipeTitle = m_brwSnipe->locationName();
    in.auctionTitle = m_brwAuction->locationName();
    const refresh_rule::Outputs out = refresh_rule::RefreshUiState(in);

    for (int i = 0; i < m_navigateButtons.size(); ++i)
        m_navigateButtons[i]->setText(out.navigateCaptions.value(i));
    tbrNavigate->setToolButtonStyle(in.buttonTextShown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_snipeButton->setEnabled(out.snipeButtonEnabled);
    if (out.snipeMenuEnabled)
        mnuNavigateSnipe->setEnabled(*out.snipeMenuEnabled);
    m_navigateButtons[0]->setEnabled(out.backEnabled);
    m_navigateButtons[1]->setEnabled(out.forwardEnabled);
    setWindowTitle(out.caption);
    mnuFavoritesAdd->setEnabled(out.addFavoriteEnabled);
}

void FMain::ToggleButtonText()
{
    m_buttonTextShown = !m_buttonTextShown;
    ShowButtonTextChecked();
    m_busyStar->SetLarge(m_buttonTextShown);
    RefreshUiState();
    LayoutControls();
}

void FMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    LayoutControls();
}

void FMain::LayoutControls()
{
    const QWidget* central = centralWidget();
    const bool text = m_buttonTextShown;
    const layout_rule::Placement p = layout_rule::LayoutControls(
        { layout_rule::toTwips(central->width()), layout_rule::toTwips(central->height() + statusBar()->height()),
            layout_rule::toTwips(frameGeometry().width()), text });
    tbrNavigate->setGeometry(0, 0, toPixels(p.goLeft + 900), toPixels(p.tabTop));
    tbrNavigate->setIconSize(text ? QSize(18, 18) : QSize(22, 22));
    picSnipe->setGeometry(toPixels(p.busyLeft), 3, toPixels(500), toPixels(500) - 6);
    SSTab1->setGeometry(0, toPixels(p.tabTop), toPixels(p.tabWidth), toPixels(p.tabHeight));

    // Positions on a tab count from the tab control's top; its pages start below the tab strip.
    const int strip = SSTab1->tabBar()->height();
    const auto onPage = [strip](int twips) { return qMax(0, toPixels(twips) - strip); };
    for (QWidget* browser : { m_brwSnipe->widget(), m_brwAuction->widget() })
        browser->setGeometry(0, onPage(800), toPixels(p.browserWidth), toPixels(p.browserHeight));
    lblCobbleton->move(toPixels(p.linkLeft), onPage(390));
    // Where Snipe! or Go! is wider in this font than the design's bar, the bar grows and the address box gives way.
    const int snipeExtra = qMax(0, tbrSnipe->sizeHint().width() - toPixels(1050));
    const int goExtra = qMax(0, tbrGo->sizeHint().width() - toPixels(870));
    tbrSnipe->setGeometry(toPixels(135), onPage(360), toPixels(1050) + snipeExtra, toPixels(420));
    cboAddress->setGeometry(
        toPixels(1200) + snipeExtra, onPage(390), toPixels(p.addressWidth) - snipeExtra - goExtra, toPixels(330));
    tbrGo->setGeometry(toPixels(p.goLeft) - goExtra, onPage(360), toPixels(870) + goExtra, toPixels(420));
    m_busyStar->Restart();
}

void FMain::ShowButtonTextChecked()
{
    mnuButtonBarStatusViewLabels->setChecked(m_buttonTextShown);
    mnuOptionsText->setChecked(m_buttonTextShown);
}

} // namespace quillet
