// SPDX-License-Identifier: MIT
// The main window's construction: its controls, timers and status bar, and the load sequence.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/product.h"
#include "platform/core/shell_ui_helper.h"
#include "platform/core/web_browser.h"
#include "platform/ui/design_controls.h"
#include "quillet/app/settings_keys.h"
#include "quillet/commands/link_label.h"
#include "quillet/mainwindow/busy_star.h"
#include "quillet/mainwindow/layout_rule.h"
#include "quillet/mainwindow/open_windows.h"
#include "quillet/mainwindow/pictures.h"
#include "quillet/service/saved_login.h"
#include "quillet/service/snipe_icon.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace quillet
{

using layout_rule::toPixels;

FMain::FMain(Services services, std::unique_ptr<platform::WebBrowser> snipe,
    std::unique_ptr<platform::WebBrowser> auction, QWidget* parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_brwSnipe(std::move(snipe))
    , m_brwAuction(std::move(auction))
    , m_openWindows(std::make_unique<OpenWindows>())
{
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QLatin1String(product::kTitle));
    setWindowIcon(pictures::WindowIcon());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    createNavigateToolbar(central);
    createTabs(central);
    createStatusBar();
    createTimers();
    createMenus();
    connectBrowserEvents();
    // A keyring that answers after the login stopped waiting still gives the held password, which the password
    // dialog shows.
    connect(&m_services.savedLogin, &SavedLogin::latePassword, this, &FMain::LoadSavedLogin);
    createBrowserKeys();
    resize(toPixels(10020), toPixels(6585) + menuBar()->sizeHint().height());
}

FMain::~FMain() = default;

void FMain::createNavigateToolbar(QWidget* central)
{
    struct Button {
        const char* key;
        const char* name; // a screen reader's, also while the captions are hidden
        const char* tooltip;
    };
    static constexpr Button kButtons[] = {
        { "Back", "Back", "Go back to the page you viewed before this one." },
        { "Forward", "Forward", "Go forward to the page you viewed after this one." },
        { "Stop", "Stop", "Stop the current browser from navigating." },
        { "Refresh", "Refresh", "Refresh the page in the current browser." },
        { "Home", "Home", "Go to the home page for the current browser." },
        { "Favorites", "Favorites", "View your favorites lists." },
        { "Toolbar2", "Floating toolbar", "Transform Quillet into a small floating toolbar." },
    };
    tbrNavigate = new QToolBar(central);
    tbrNavigate->setObjectName(QStringLiteral("tbrNavigate"));
    tbrNavigate->setAccessibleName(QStringLiteral("Navigation"));
    tbrNavigate->setMovable(false);
    tbrNavigate->setContentsMargins(0, 0, 0, 0);
    tbrNavigate->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int i = 0; i < 7; ++i) {
        QAction* button = tbrNavigate->addAction(pictures::NavigateIcon(i + 1), QString());
        button->setObjectName(QLatin1String(kButtons[i].key));
        button->setData(QLatin1String(kButtons[i].key));
        button->setToolTip(QLatin1String(kButtons[i].tooltip));
        connect(button, &QAction::triggered, this, [this, i] { NavigateButtonClicked(i + 1); });
        tbrNavigate->widgetForAction(button)->setAccessibleName(QLatin1String(kButtons[i].name));
        m_navigateButtons.append(button);
    }
    auto* dropDown = new QMenu(this);
    static constexpr std::pair<const char*, const char*> kFavorites[] = { { "Browser Favorites", "Favorites" },
        { "Favorite Sellers", "Sellers" }, { "Favorite Bidders", "Bidders" } };
    for (const auto& [caption, key] : kFavorites) {
        QAction* item = dropDown->addAction(QLatin1String(caption));
        const QString itemKey = QLatin1String(key);
        item->setData(itemKey);
        connect(item, &QAction::triggered, this, [this, itemKey] { FavoritesDropDownChosen(itemKey); });
    }
    m_navigateButtons[5]->setMenu(dropDown);
    if (auto* favorites = qobject_cast<QToolButton*>(tbrNavigate->widgetForAction(m_navigateButtons[5])))
        favorites->setPopupMode(QToolButton::MenuButtonPopup);
    connect(tbrNavigate, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { mnuButtonBarStatus->popup(tbrNavigate->mapToGlobal(at)); });

    picSnipe = new QLabel(central);
    picSnipe->setObjectName(QStringLiteral("picSnipe"));
    picSnipe->setAlignment(Qt::AlignCenter);
    picSnipe->setAccessibleName(QStringLiteral("Busy star"));
}

void FMain::createTabs(QWidget* central)
{
    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto* lastbellPage = new QWidget;
    auto* auctionPage = new QWidget;
    SSTab1->addTab(lastbellPage, QStringLiteral("Last&bell "));
    SSTab1->addTab(auctionPage, QStringLiteral("&Auction Browser "));
    for (int tab : { kLastbellTab, kAuctionTab })
        SSTab1->tabBar()->setAccessibleTabName(tab, platform::spokenCaption(SSTab1->tabText(tab)));

    lblCobbleton = new LinkLabel(QStringLiteral("Cobbleton"), lastbellPage);
    lblCobbleton->setObjectName(QStringLiteral("lblCobbleton"));
    lblCobbleton->setToolTip(QStringLiteral("Visit Cobbleton for other great online auction utilities."));
    m_brwSnipe->widget()->setParent(lastbellPage);
    m_brwSnipe->widget()->setObjectName(QStringLiteral("brwSnipe"));

    tbrSnipe = new QToolBar(auctionPage);
    tbrSnipe->setObjectName(QStringLiteral("tbrSnipe"));
    tbrSnipe->setAccessibleName(QStringLiteral("Snipe"));
    tbrSnipe->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_snipeButton = tbrSnipe->addAction(SnipeIcon(), QStringLiteral("Snipe!"));
    m_snipeButton->setObjectName(QStringLiteral("Snipe"));
    connect(m_snipeButton, &QAction::triggered, this, &FMain::SnipeCurrentAuction);

    cboAddress = new QComboBox(auctionPage);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    // Named for what it is, not for the address it holds.
    cboAddress->setAccessibleName(QStringLiteral("Address"));
    cboAddress->lineEdit()->setAccessibleName(QStringLiteral("Address"));
    connect(cboAddress, &QComboBox::activated, this, &FMain::OpenAddressBoxText);
    // Enter reaches the box, which hands it to its line edit itself (no filter on the line edit sees it); with
    // nothing inserted the box signals nothing for it, but the line edit does. The key is not consumed.
    connect(cboAddress->lineEdit(), &QLineEdit::returnPressed, this, &FMain::OpenAddressBoxText);

    tbrGo = new QToolBar(auctionPage);
    tbrGo->setObjectName(QStringLiteral("tbrGo"));
    tbrGo->setAccessibleName(QStringLiteral("Go"));
    tbrGo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* go = tbrGo->addAction(pictures::NavigateIcon(0), QStringLiteral("Go!  "));
    go->setObjectName(QStringLiteral("Go"));
    tbrGo->widgetForAction(go)->setAccessibleName(platform::spokenCaption(go->text()));
    connect(go, &QAction::triggered, this, &FMain::GoToTypedAddress);

    m_brwAuction->widget()->setParent(auctionPage);
    m_brwAuction->widget()->setObjectName(QStringLiteral("brwAuction"));

    // At design the auction tab is in front; the load sequence brings the Lastbell tab forward.
    SSTab1->setCurrentIndex(kAuctionTab);
    m_currentTab = kAuctionTab;
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int now) {
        const int previous = m_currentTab;
        m_currentTab = now;
        TabSwitched(previous);
    });
    SSTab1->tabBar()->installEventFilter(this);
}

void FMain::createStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->setAccessibleName(QStringLiteral("Status"));
    static constexpr const char* kPanelNames[] = { "Panel1", "Panel2", "Panel3" };
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QLatin1String(kPanelNames[i]));
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(m_panels[i], i == 1 ? 1 : 0);
    }
    m_panels[0]->setText(QStringLiteral("Lastbell"));
    m_panels[2]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void FMain::createTimers()
{
    timAppEnd = new QTimer(this);
    timAppEnd->setObjectName(QStringLiteral("timAppEnd"));
    timAppEnd->setInterval(2000);
    connect(timAppEnd, &QTimer::timeout, this, [this] {
        timAppEnd->stop();
        close();
    });
    m_busyStar = new BusyStar(
        picSnipe, [this] { return (auctionTabInFront() ? *m_brwAuction : *m_brwSnipe).busy(); }, this);
    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(10);
    connect(timTimer, &QTimer::timeout, this, &FMain::CaptionProgress);
    timTimer->start();
}

void FMain::Initialize(bool hasAccount)
{
    bIsHasAccount = hasAccount;
}

void FMain::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void FMain::showEvent(QShowEvent* event)
{
    Load();
    QMainWindow::showEvent(event);
}

void FMain::Form_Load()
{
    SelectSite(settings_keys::siteIndexFromStored(settings_keys::read(m_services.settings, settings_keys::kSite)));
    SSTab1->setCurrentIndex(kLastbellTab);
    tbrGo->hide();
    m_navigateButtons[0]->setEnabled(false);
    m_navigateButtons[1]->setEnabled(false);
    m_buttonTextShown = true;
    ShowButtonTextChecked();
    m_busyStar->ShowIdle(m_buttonTextShown);
    v_sStartingAddress = GetSiteHomeAddress();
    LoadSavedLogin();
    if (!v_sStartingAddress.isEmpty()) {
        cboAddress->setEditText(v_sStartingAddress);
        cboAddress->addItem(v_sStartingAddress);
        timTimer->start();
        m_brwAuction->navigate(v_sStartingAddress);
        GiveLastbellFirstPage();
    }
    if (settings_keys::read(m_services.settings, settings_keys::kTextLabels) == QLatin1String(settings_keys::kOff))
        ToggleButtonText();
    emit checkForUpdate();
}

bool FMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SSTab1->tabBar()
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress))
        lblCobbleton->resetLook();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quillet
