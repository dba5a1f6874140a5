// SPDX-License-Identifier: MIT
#include "quillet/mainwindow/fmain.h"

#include "platform/shell_ui_helper.h"
#include "platform/web_browser.h"
#include "quillet/app/settings_keys.h"
#include "quillet/commands/link_label.h"
#include "quillet/mainwindow/busy_frames.h"
#include "quillet/mainwindow/layout_rule.h"
#include "quillet/mainwindow/open_windows.h"
#include "quillet/mainwindow/pictures.h"
#include "quillet/mainwindow/refresh_rule.h"
#include "quillet/service/lastbell_login.h"
#include "quillet/service/snipe_icon.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
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

using layout::toPixels;

FMain::FMain(Services services, std::unique_ptr<platform::WebBrowser> snipe,
    std::unique_ptr<platform::WebBrowser> auction, QWidget* parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_brwSnipe(std::move(snipe))
    , m_brwAuction(std::move(auction))
    , m_openWindows(std::make_unique<OpenWindows>())
{
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QLatin1String(ui_state::kTitle));
    setWindowIcon(pictures::WindowIcon());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    createNavigateToolbar(central);
    createTabs(central);
    createStatusBar();
    createTimers();
    createMenus();
    connectBrowserEvents();
    resize(toPixels(10020), toPixels(6585) + menuBar()->sizeHint().height());
}

FMain::~FMain() = default;

void FMain::createNavigateToolbar(QWidget* central)
{
    struct Button {
        const char* key;
        const char* tooltip;
    };
    static constexpr Button kButtons[] = {
        { "Back", "Go back to the page you viewed before this one." },
        { "Forward", "Go forward to the page you viewed after this one." },
        { "Stop", "Stop the current browser from navigating." },
        { "Refresh", "Refresh the page in the current browser." },
        { "Home", "Go to the home page for the current browser." },
        { "Favorites", "View your favorites lists." },
        { "Toolbar2", "Transform Quillet into a small floating toolbar." },
    };
    tbrNavigate = new QToolBar(central);
    tbrNavigate->setObjectName(QStringLiteral("tbrNavigate"));
    tbrNavigate->setMovable(false);
    tbrNavigate->setContentsMargins(0, 0, 0, 0);
    tbrNavigate->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int i = 0; i < 7; ++i) {
        QAction* button = tbrNavigate->addAction(pictures::NavigateIcon(i + 1), QString());
        button->setObjectName(QLatin1String(kButtons[i].key));
        button->setData(QLatin1String(kButtons[i].key));
        button->setToolTip(QLatin1String(kButtons[i].tooltip));
        connect(button, &QAction::triggered, this, [this, i] { NavigateButtonClicked(i + 1); });
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
}

void FMain::createTabs(QWidget* central)
{
    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto* lastbellPage = new QWidget;
    auto* auctionPage = new QWidget;
    SSTab1->addTab(lastbellPage, QStringLiteral("Last&bell "));
    SSTab1->addTab(auctionPage, QStringLiteral("&Auction Browser "));

    lblCobbleton = new LinkLabel(QStringLiteral("Cobbleton"), lastbellPage);
    lblCobbleton->setObjectName(QStringLiteral("lblCobbleton"));
    lblCobbleton->setToolTip(QStringLiteral("Visit Cobbleton for other great online auction utilities."));
    m_brwSnipe->widget()->setParent(lastbellPage);
    m_brwSnipe->widget()->setObjectName(QStringLiteral("brwSnipe"));

    tbrSnipe = new QToolBar(auctionPage);
    tbrSnipe->setObjectName(QStringLiteral("tbrSnipe"));
    tbrSnipe->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_snipeButton = tbrSnipe->addAction(SnipeIcon(), QStringLiteral("Snipe!"));
    m_snipeButton->setObjectName(QStringLiteral("Snipe"));
    connect(m_snipeButton, &QAction::triggered, this, &FMain::SnipeCurrentAuction);

    cboAddress = new QComboBox(auctionPage);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    connect(cboAddress, &QComboBox::activated, this, &FMain::OpenAddressBoxText);
    cboAddress->lineEdit()->installEventFilter(this);

    tbrGo = new QToolBar(auctionPage);
    tbrGo->setObjectName(QStringLiteral("tbrGo"));
    tbrGo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* go = tbrGo->addAction(pictures::NavigateIcon(0), QStringLiteral("Go!  "));
    go->setObjectName(QStringLiteral("Go"));
    connect(go, &QAction::triggered, this, &FMain::GoToTypedAddress);

    m_brwAuction->widget()->setParent(auctionPage);
    m_brwAuction->widget()->setObjectName(QStringLiteral("brwAuction"));

    // At design the auction tab is in front; the load sequence brings the Lastbell tab forward.
    SSTab1->setCurrentIndex(1);
    m_currentTab = 1;
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
    timStar = new QTimer(this);
    timStar->setObjectName(QStringLiteral("timStar"));
    timStar->setInterval(175);
    connect(timStar, &QTimer::timeout, this, &FMain::AnimateBusy);
    timStar->start();
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

void FMain::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QMainWindow::showEvent(event);
}

void FMain::Form_Load()
{
    SelectSite(settings::siteIndexFromStored(settings::read(m_services.settings, settings::kSite)));
    SSTab1->setCurrentIndex(0);
    tbrGo->hide();
    m_navigateButtons[0]->setEnabled(false);
    m_navigateButtons[1]->setEnabled(false);
    mnuButtonBarStatusViewLabels->setChecked(true);
    picSnipe->setPixmap(pictures::Star(busy_frames::kIdlePicture, true));
    m_shownPicture = busy_frames::kIdlePicture;
    m_shownLarge = true;
    v_sStartingAddress = GetSiteHomeAddress();
    LoadSavedLogin();
    if (!v_sStartingAddress.isEmpty()) {
        cboAddress->setEditText(v_sStartingAddress);
        cboAddress->addItem(v_sStartingAddress);
        timTimer->start();
        m_brwAuction->navigate(v_sStartingAddress);
        const lastbell::FirstPage first = lastbell::ChooseFirstPage(bIsHasAccount, sUser, sPassword);
        if (first.kind == lastbell::FirstPage::Kind::LoginPost)
            m_brwSnipe->navigatePost(first.address, first.postData, QLatin1String(lastbell::kFormHeader));
        else
            m_brwSnipe->navigate(first.address);
    }
    if (settings::read(m_services.settings, settings::kTextLabels) == QLatin1String(settings::kOff))
        ToggleButtonText();
    if (m_services.checkForUpdate)
        m_services.checkForUpdate();
}

void FMain::TabSwitched(int previousTab)
{
    const bool lastbellInFront = previousTab != 0;
    tbrGo->setVisible(!lastbellInFront);
    v_bSnipeTabActive = lastbellInFront;
    m_panels[0]->setText(lastbellInFront ? QStringLiteral("Lastbell") : QStringLiteral("Auction Browser"));
    const bool busy = (lastbellInFront ? m_brwSnipe : m_brwAuction)->busy();
    m_panels[1]->setText(busy ? QStringLiteral("Working . . .") : QStringLiteral("Done"));
    lblCobbleton->setVisible(lastbellInFront);
    RefreshUiState();
}

bool FMain::buttonTextShown() const
{
    return mnuButtonBarStatusViewLabels->isChecked();
}

bool FMain::auctionTabInFront() const
{
    return SSTab1->currentIndex() == 1;
}

platform::WebBrowser& FMain::currentBrowser() const
{
    return auctionTabInFront() ? *m_brwAuction : *m_brwSnipe;
}

void FMain::RefreshUiState()
{
    ui_state::Inputs in;
    in.addressText = cboAddress->currentText();
    in.auctionTabInFront = auctionTabInFront();
    in.buttonTextShown = buttonTextShown();
    in.snipeTabActive = v_bSnipeTabActive;
    in.snipeCanGoBack = v_bSnipeCanGoBack;
    in.snipeCanGoForward = v_bSnipeCanGoForward;
    in.auctionCanGoBack = v_bAuctionCanGoBack;
    in.auctionCanGoForward = v_bAuctionCanGoForward;
    in.snipeTitle = m_brwSnipe->locationName();
    in.auctionTitle = m_brwAuction->locationName();
    in.snipeMenuEnabled = mnuNavigateSnipe->isEnabled();
    const ui_state::Outputs out = ui_state::RefreshUiState(in);

    for (int i = 0; i < m_navigateButtons.size(); ++i)
        m_navigateButtons[i]->setText(out.navigateCaptions.value(i));
    tbrNavigate->setToolButtonStyle(in.buttonTextShown ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_snipeButton->setEnabled(out.snipeButtonEnabled);
    mnuNavigateSnipe->setEnabled(out.snipeMenuEnabled);
    m_navigateButtons[0]->setEnabled(out.backEnabled);
    m_navigateButtons[1]->setEnabled(out.forwardEnabled);
    setWindowTitle(out.caption);
    mnuFavoritesAdd->setEnabled(out.addFavoriteEnabled);
}

void FMain::ToggleButtonText()
{
    const bool show = !buttonTextShown();
    mnuButtonBarStatusViewLabels->setChecked(show);
    mnuOptionsText->setChecked(show);
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
    const bool text = buttonTextShown();
    const layout::Placement p = layout::LayoutControls({ layout::toTwips(central->width()),
        layout::toTwips(central->height() + statusBar()->height()), layout::toTwips(frameGeometry().width()), text });
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
    tbrSnipe->setGeometry(toPixels(135), onPage(360), toPixels(1050), toPixels(420));
    cboAddress->setGeometry(toPixels(1200), onPage(390), toPixels(p.addressWidth), toPixels(330));
    tbrGo->setGeometry(toPixels(p.goLeft), onPage(360), toPixels(870), toPixels(420));
    timStar->start();
}

void FMain::AnimateBusy()
{
    nStarFrame = busy_frames::next(nStarFrame);
    const bool large = buttonTextShown();
    const platform::WebBrowser& watched = auctionTabInFront() ? *m_brwAuction : *m_brwSnipe;
    const int picture = watched.busy() ? nStarFrame : busy_frames::kIdlePicture;
    if (picture == m_shownPicture && large == m_shownLarge)
        return;
    picSnipe->setPixmap(pictures::Star(picture, large));
    m_shownPicture = picture;
    m_shownLarge = large;
}

void FMain::ExitProgram()
{
    if (sUser.isEmpty())
        ShowPasswordDialog();
    BeginAppEnd();
}

void FMain::BeginAppEnd()
{
    m_ending = true;
    setCursor(Qt::WaitCursor);
    setEnabled(false);
    timAppEnd->start();
    m_brwAuction->navigate(GetSiteHomeAddress());
}

void FMain::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous()) {
        // The close box: the exit command's own steps, which end in a close by the program.
        event->ignore();
        if (!m_ending)
            ExitProgram();
        return;
    }
    Form_Unload();
    event->accept();
}

void FMain::ShutDown()
{
    Form_Unload();
}

void FMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_openWindows->closeAllBut(this);
    int checked = 0;
    for (int i = 1; i <= 7; ++i) {
        if (mnuOptionsSite[i]->isChecked())
            checked = i;
    }
    settings::write(m_services.settings, settings::kSite, QString::number(checked));
    settings::write(
        m_services.settings, settings::kTextLabels, buttonTextShown() ? QString() : QLatin1String(settings::kOff));
    timStar->stop();
    timTimer->stop();
    timAppEnd->stop();
    emit ended();
}

bool FMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboAddress->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            OpenAddressBoxText(); // the key still goes on to the box
    } else if (watched == SSTab1->tabBar()
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)) {
        lblCobbleton->resetLook();
    }
    return QMainWindow::eventFilter(watched, event);
}
