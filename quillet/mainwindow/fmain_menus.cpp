// SPDX-License-Identifier: MIT
// The main window's menu bar and the hidden pop-up menu of the navigation toolbar.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/shell.h"
#include "platform/core/web_browser.h"
#include "quillet/commands/edit_commands.h"
#include "quillet/commands/fabout.h"
#include "quillet/commands/help_commands.h"
#include "quillet/commands/key_priority.h"
#include "quillet/commands/link_label.h"
#include "quillet/commands/menu_focus_guard.h"
#include "quillet/service/sites.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace quillet
{

QAction* FMain::addMenuItem(QMenu* menu, const char* name, const QString& caption, QKeySequence shortcut)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    return item;
}

void FMain::createMenus()
{
    menuBar()->addMenu(createFileMenu());
    menuBar()->addMenu(createEditMenu());
    menuBar()->addMenu(createNavigateMenu());
    menuBar()->addMenu(createFavoritesMenu());
    menuBar()->addMenu(createToolsMenu());
    menuBar()->addMenu(createHelpMenu());
    createButtonBarStatusMenu();
    new KeyPriority(this,
        { QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_T), QKeySequence(Qt::CTRL | Qt::Key_F) },
        { QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_V) },
        { m_brwSnipe->widget(), m_brwAuction->widget() });
    new MenuFocusGuard(this);
}

QMenu* FMain::createFileMenu()
{
    auto* menu = new QMenu(QStringLiteral("&File"), this);
    menu->setObjectName(QStringLiteral("mnuFile"));
    connect(addMenuItem(menu, "mnuFilePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P)),
        &QAction::triggered, this, &FMain::PrintCurrentPage);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    connect(addMenuItem(menu, "mnuFileExit", QStringLiteral("E&xit")), &QAction::triggered, this, &FMain::ExitProgram);
    return menu;
}

QMenu* FMain::createEditMenu()
{
    auto* menu = new QMenu(QStringLiteral("&Edit"), this);
    menu->setObjectName(QStringLiteral("mnuEdit"));
    const auto browsers = [this] { return QList<platform::WebBrowser*> { m_brwSnipe.get(), m_brwAuction.get() }; };
    connect(addMenuItem(menu, "mnuEditCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X)),
        &QAction::triggered, this, [browsers] { EditCut(QApplication::focusWidget(), browsers()); });
    connect(addMenuItem(menu, "mnuEditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)),
        &QAction::triggered, this, [browsers] { EditCopy(QApplication::focusWidget(), browsers()); });
    connect(addMenuItem(menu, "mnuEditPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V)),
        &QAction::triggered, this, [browsers] { EditPaste(QApplication::focusWidget(), browsers()); });
    menu->addSeparator()->setObjectName(QStringLiteral("mnuEditSep"));
    connect(addMenuItem(
                menu, "mnuEditFind", QStringLiteral("&Find (on current web page)"), QKeySequence(Qt::CTRL | Qt::Key_F)),
        &QAction::triggered, this, [this] { EditFind(currentBrowser()); });
    return menu;
}

QMenu* FMain::createNavigateMenu()
{
    auto* menu = new QMenu(QStringLiteral("&Navigate"), this);
    menu->setObjectName(QStringLiteral("mnumnuNavigate"));
    connect(addMenuItem(menu, "mnumnuNavigatemnuNavigateBack", QStringLiteral("&Back")), &QAction::triggered, this,
        [this] { BrowseBack(!auctionTabInFront()); });
    connect(addMenuItem(menu, "mnumnuNavigatemnuNavigateForward", QStringLiteral("&Forward")), &QAction::triggered,
        this, [this] { BrowseForward(!auctionTabInFront()); });
    connect(
        addMenuItem(menu, "mnuNavigateStop", QStringLiteral("&Stop")), &QAction::triggered, this, &FMain::BrowseStop);
    connect(addMenuItem(menu, "mnumnuNavigatemnuNavigateHome", QStringLiteral("&Home")), &QAction::triggered, this,
        &FMain::BrowseHome);
    connect(addMenuItem(menu, "mnumnuNavigatemnuNavigateRefresh", QStringLiteral("&Refresh")), &QAction::triggered,
        this, &FMain::BrowseRefresh);
    return menu;
}

QMenu* FMain::createFavoritesMenu()
{
    auto* menu = new QMenu(QStringLiteral("Fa&vorites"), this);
    menu->setObjectName(QStringLiteral("mnumnuFavorites"));
    connect(addMenuItem(menu, "mnuFavoritesView", QStringLiteral("&View Browser Favorites...")), &QAction::triggered,
        this, &FMain::ShowBrowserFavorites);
    mnuFavoritesAdd = addMenuItem(menu, "mnuFavoritesAdd", QStringLiteral("&Add to Browser Favorites..."));
    connect(mnuFavoritesAdd, &QAction::triggered, this, &FMain::AddToBrowserFavorites);
    connect(addMenuItem(menu, "mnuFavoritesImport", QStringLiteral("&Import Netscape Favorites...")),
        &QAction::triggered, this, &FMain::ImportNetscapeFavorites);
    menu->addSeparator()->setObjectName(QStringLiteral("mnuFavoritesSeparate"));
    connect(addMenuItem(menu, "mnuFavoritesSellers", QStringLiteral("Favorite eBay &Sellers...")), &QAction::triggered,
        this, [this] { ShowFavoriteUsers(true); });
    connect(addMenuItem(menu, "mnuFavoritesBidders", QStringLiteral("Favorite eBay &Bidders...")), &QAction::triggered,
        this, [this] { ShowFavoriteUsers(false); });
    return menu;
}

QMenu* FMain::createToolsMenu()
{
    auto* menu = new QMenu(QStringLiteral("&Tools"), this);
    menu->setObjectName(QStringLiteral("mnuTools"));
    mnuNavigateSnipe = addMenuItem(
        menu, "mnuNavigateSnipe", QStringLiteral("Snipe &Current Auction"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuNavigateSnipe->setEnabled(false);
    connect(mnuNavigateSnipe, &QAction::triggered, this, &FMain::SnipeCurrentAuction);
    connect(
        addMenuItem(menu, "mnuToolsToolbar", QStringLiteral("&Floating Toolbar"), QKeySequence(Qt::CTRL | Qt::Key_T)),
        &QAction::triggered, this, &FMain::ShowFloatingToolbar);
    connect(addMenuItem(menu, "mnuToolsPassword", QStringLiteral("&Lastbell Password")), &QAction::triggered, this,
        &FMain::ShowPasswordDialog);
    menu->addSeparator()->setObjectName(QStringLiteral("sep"));

    QMenu* options = menu->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QMenu* siteMenu = options->addMenu(QStringLiteral("&Start-up Auction Site"));
    siteMenu->setObjectName(QStringLiteral("mnuOPtionsAuctionSite"));
    auto* siteGroup = new QActionGroup(siteMenu);
    for (int i = 1; i <= sites::kCount; ++i) {
        QAction* site = siteMenu->addAction(sites::caption(i));
        site->setObjectName(QStringLiteral("mnuOptionsSite%1").arg(i));
        site->setCheckable(true);
        siteGroup->addAction(site);
        connect(site, &QAction::triggered, this, [this, i] {
            SelectSite(i);
            BringTabForward(kAuctionTab);
        });
        mnuOptionsSite[i] = site;
    }
    ShowSiteChecked();
    options->addSeparator()->setObjectName(QStringLiteral("wowie"));
    mnuOptionsText = options->addAction(QStringLiteral("&Show Button Text"));
    mnuOptionsText->setObjectName(QStringLiteral("mnuOptionsText"));
    mnuOptionsText->setCheckable(true);
    mnuOptionsText->setChecked(m_buttonTextShown);
    // The check marks show the choice; the toggle decides it and sets both, so they stay in step.
    connect(mnuOptionsText, &QAction::triggered, this, &FMain::ToggleButtonText);
    return menu;
}

QMenu* FMain::createHelpMenu()
{
    auto* menu = new QMenu(QStringLiteral("&Help"), this);
    menu->setObjectName(QStringLiteral("mnuHelp"));
    connect(addMenuItem(menu, "mnuHelpContents", QStringLiteral("&Contents")), &QAction::triggered, this,
        [this] { m_services.shell.openAddress(HelpFileAddress(m_services.programFolder)); });
    menu->addSeparator()->setObjectName(QStringLiteral("mnuHelpSep"));
    connect(addMenuItem(menu, "mnuHelpmnuHelpCobbleton", QStringLiteral("&Cobbleton Home Page")), &QAction::triggered,
        this, [this] { m_services.shell.openAddress(MakerHomeAddress()); });
    connect(lblCobbleton, &LinkLabel::clicked, this, [this] { m_services.shell.openAddress(MakerHomeAddress()); });
    connect(addMenuItem(menu, "mnuHelpmnuHelpLastbell", QStringLiteral("Lastbell &Online")), &QAction::triggered, this,
        [this] { m_services.shell.openAddress(LastbellOnlineAddress()); });
    connect(addMenuItem(menu, "mnuHelpmnuHelpFeedback", QStringLiteral("Email Last&bell Help")), &QAction::triggered,
        this, [this] { m_services.shell.openAddress(FeedbackMailAddress()); });
    connect(addMenuItem(menu, "mnuHelpJoinList", QStringLiteral("&Join Mailing List")), &QAction::triggered, this,
        [this] { m_services.shell.openAddress(JoinListMailAddress()); });
    menu->addSeparator()->setObjectName(QStringLiteral("mnuHelpBar0"));
    // Without the design's trailing space, which a menu never shows but a screen reader would say.
    connect(addMenuItem(menu, "mnuHelpAbout", QStringLiteral("&About")), &QAction::triggered, this, [this] {
        FAbout about(m_services.shell, m_services.messages, m_services.systemInfo, this);
        about.exec();
    });
    return menu;
}

void FMain::createButtonBarStatusMenu()
{
    mnuButtonBarStatus = new QMenu(QStringLiteral("ButtonBarStatus"), this);
    mnuButtonBarStatus->setObjectName(QStringLiteral("mnuButtonBarStatus"));
    mnuButtonBarStatusViewLabels = mnuButtonBarStatus->addAction(QStringLiteral("View Text Labels"));
    mnuButtonBarStatusViewLabels->setObjectName(QStringLiteral("mnuButtonBarStatusViewLabels"));
    mnuButtonBarStatusViewLabels->setCheckable(true);
    mnuButtonBarStatusViewLabels->setChecked(m_buttonTextShown);
    connect(mnuButtonBarStatusViewLabels, &QAction::triggered, this, &FMain::ToggleButtonText);
}

} // namespace quillet
