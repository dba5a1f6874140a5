// SPDX-License-Identifier: MIT
// The two browsers' events, the address box and its history, and the navigation commands.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/hosts.h"

#include "platform/core/web_browser.h"
#include "quillet/commands/link_label.h"
#include "quillet/mainwindow/address_history.h"
#include "quillet/mainwindow/refresh_rule.h"
#include "quillet/service/lastbell_login.h"
#include "quillet/service/sites.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

namespace quillet
{

void FMain::connectBrowserEvents()
{
    platform::WebBrowser* auction = m_brwAuction.get();
    connect(auction, &platform::WebBrowser::StatusTextChange, this,
        [this](const QString& text) { SetStatusText(false, text); });
    connect(auction, &platform::WebBrowser::ProgressChange, this, &FMain::RefreshUiState);
    connect(auction, &platform::WebBrowser::CommandStateChange, this,
        [this](int command, bool enable) { SetCanGo(command, enable, v_bAuctionCanGoForward, v_bAuctionCanGoBack); });
    connect(auction, &platform::WebBrowser::DownloadComplete, this, [this] {
        if (!v_bSnipeTabActive)
            setWindowTitle(refresh_rule::Caption(m_brwAuction->locationName()));
        RefreshUiState();
    });
    connect(auction, &platform::WebBrowser::NavigateComplete2, this, &FMain::AuctionNavigateComplete);

    platform::WebBrowser* snipe = m_brwSnipe.get();
    connect(snipe, &platform::WebBrowser::StatusTextChange, this,
        [this](const QString& text) { SetStatusText(true, text); });
    connect(snipe, &platform::WebBrowser::CommandStateChange, this,
        [this](int command, bool enable) { SetCanGo(command, enable, v_bSnipeCanGoForward, v_bSnipeCanGoBack); });
    connect(snipe, &platform::WebBrowser::DownloadComplete, this, [this] {
        if (v_bSnipeTabActive)
            setWindowTitle(refresh_rule::Caption(m_brwSnipe->locationName()));
        RefreshUiState();
    });
    connect(snipe, &platform::WebBrowser::NavigateComplete2, this, &FMain::RefreshUiState);
    connect(snipe, &platform::WebBrowser::focusReceived, lblCobbleton, &LinkLabel::resetLook);
    // The Lastbell tab has no address box, so a page there is taken for the service's own: another site's page
    // opens in the auction browser, where its address shows.
    snipe->keepToSite(QLatin1String(hosts::kLastbellDomain));
    connect(snipe, &platform::WebBrowser::OtherSiteRequested, this, [this](const QString& address) {
        BringTabForward(kAuctionTab);
        cboAddress->setEditText(address);
        m_brwAuction->navigate(address);
    });
}

void FMain::createBrowserKeys()
{
    // The keys every browser has, beside the design's menus and shortcuts; they act as the menu items do.
    const auto key = [this](QKeySequence sequence, auto operation) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, operation);
    };
    key(QKeySequence(Qt::ALT | Qt::Key_Left), [this] { BrowseBack(!auctionTabInFront()); });
    key(QKeySequence(Qt::ALT | Qt::Key_Right), [this] { BrowseForward(!auctionTabInFront()); });
    key(QKeySequence(Qt::Key_F5), [this] { BrowseRefresh(); });
    // Two tabs: either key brings the other one forward.
    key(QKeySequence(Qt::CTRL | Qt::Key_PageDown),
        [this] { BringTabForward(auctionTabInFront() ? kLastbellTab : kAuctionTab); });
    key(QKeySequence(Qt::CTRL | Qt::Key_PageUp),
        [this] { BringTabForward(auctionTabInFront() ? kLastbellTab : kAuctionTab); });
    for (const QKeySequence& sequence :
        { QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::Key_F6) })
        key(sequence, [this] { FocusAddressBox(); });
}

void FMain::BringTabForward(Tab tab)
{
    SSTab1->setCurrentIndex(tab);
    (tab == kAuctionTab ? m_brwAuction : m_brwSnipe)->widget()->setFocus(Qt::OtherFocusReason);
}

void FMain::FocusAddressBox()
{
    SSTab1->setCurrentIndex(kAuctionTab);
    cboAddress->setFocus(Qt::ShortcutFocusReason);
    cboAddress->lineEdit()->selectAll();
}

void FMain::SetCanGo(int command, bool enable, bool& canGoForward, bool& canGoBack)
{
    // Other commands change nothing but still refresh.
    if (command == platform::WebBrowser::kCommandForward)
        canGoForward = enable;
    else if (command == platform::WebBrowser::kCommandBack)
        canGoBack = enable;
    RefreshUiState();
}

void FMain::SetStatusText(bool fromSnipe, const QString& text)
{
    // Only the browser in front speaks in the status bar.
    if (fromSnipe == !auctionTabInFront())
        m_panels[1]->setText(text);
}

void FMain::AuctionNavigateComplete()
{
    if (!v_bSnipeTabActive)
        setWindowTitle(refresh_rule::Caption(m_brwAuction->locationName()));
    const QString address = m_brwAuction->locationAddress();
    QStringList history;
    for (int i = 0; i < cboAddress->count(); ++i)
        history.append(cboAddress->itemText(i));
    v_bUpdatingAddressList = true;
    const QStringList updated = address_history::MoveToFront(history, address);
    cboAddress->clear();
    cboAddress->addItems(updated);
    cboAddress->setCurrentIndex(0);
    cboAddress->setEditText(address);
    v_bUpdatingAddressList = false;
    RefreshUiState();
}

void FMain::OpenAddressBoxText()
{
    if (v_bUpdatingAddressList)
        return;
    timTimer->start();
    m_brwAuction->navigate(cboAddress->currentText());
}

void FMain::GoToTypedAddress()
{
    if (!cboAddress->currentText().isEmpty())
        m_brwAuction->navigate(cboAddress->currentText());
}

void FMain::CaptionProgress()
{
    if (m_brwAuction->busy()) {
        setWindowTitle(refresh_rule::Caption(QStringLiteral("Working...")));
        return;
    }
    timTimer->stop();
    if (!v_bSnipeTabActive)
        setWindowTitle(refresh_rule::Caption(m_brwAuction->locationName()));
}

void FMain::NavigateButtonClicked(int index)
{
    // The buttons go by the flag the tab switch keeps, the menu items by the tab in front: the design's two rules,
    // which name the same browser from the end of the load sequence on.
    switch (index) {
    case 1:
        BrowseBack(v_bSnipeTabActive);
        break;
    case 2:
        BrowseForward(v_bSnipeTabActive);
        break;
    case 3:
        BrowseStop();
        break;
    case 4:
        BrowseRefresh();
        break;
    case 5:
        BrowseHome();
        break;
    case 6:
        ShowBrowserFavorites();
        break;
    case 7:
        ShowFloatingToolbar();
        break;
    default:
        break;
    }
}

void FMain::FavoritesDropDownChosen(const QString& key)
{
    // By key, not caption; any other key does nothing.
    if (key == QLatin1String("Favorites"))
        ShowBrowserFavorites();
    else if (key == QLatin1String("Sellers"))
        ShowFavoriteUsers(true);
    else if (key == QLatin1String("Bidders"))
        ShowFavoriteUsers(false);
}

void FMain::BrowseBack(bool bSnipe)
{
    if (bSnipe ? v_bSnipeCanGoBack : v_bAuctionCanGoBack)
        (bSnipe ? m_brwSnipe : m_brwAuction)->goBack();
}

void FMain::BrowseForward(bool bSnipe)
{
    if (bSnipe ? v_bSnipeCanGoForward : v_bAuctionCanGoForward)
        (bSnipe ? m_brwSnipe : m_brwAuction)->goForward();
}

void FMain::BrowseStop()
{
    currentBrowser().stop();
}

void FMain::BrowseRefresh()
{
    currentBrowser().refresh();
}

void FMain::BrowseHome()
{
    if (auctionTabInFront())
        m_brwAuction->navigate(GetSiteHomeAddress());
    else
        m_brwSnipe->navigate(lastbell_login::NewsAddress());
}

void FMain::PrintCurrentPage()
{
    currentBrowser().printWithDialog();
}

void FMain::OpenInAuctionBrowser(const QString& address)
{
    BringTabForward(kAuctionTab);
    m_brwAuction->navigate(sites::MakeAffiliateAddress(address));
    RefreshUiState();
}

} // namespace quillet
