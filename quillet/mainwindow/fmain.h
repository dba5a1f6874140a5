// SPDX-License-Identifier: MIT
#pragma once

#include "quillet/service/sites.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class QToolBar;

namespace platform
{
class FileDialogs;
class MessageBoxes;
class SettingsStore;
class Shell;
class ShellUIHelper;
class SpecialFolders;
class SystemInfoLocator;
class WebBrowser;
} // namespace platform

namespace quillet
{

class BusyStar;
class LinkLabel;
class OpenWindows;
class SavedLogin;

// The main window: two browsers on two tabs, toolbars, menus, status bar, busy indicator and the exit sequence.
class FMain final : public QMainWindow
{
    Q_OBJECT
public:
    struct Services {
        platform::SettingsStore& settings;
        platform::Shell& shell;
        platform::MessageBoxes& messages;
        // The saved login, asked for its password before the window exists.
        SavedLogin& savedLogin;
        QString programFolder;
        // Where the about box looks for the system-information tool; none: the tool counts as not installed.
        const platform::SystemInfoLocator* systemInfo = nullptr;
        // The browser favorites: their folder, the import's file dialog and the shell's favorites helper.
        const platform::SpecialFolders* specialFolders = nullptr;
        platform::FileDialogs* fileDialogs = nullptr;
        std::function<std::unique_ptr<platform::ShellUIHelper>(QWidget* owner)> createShellUIHelper;
    };

    FMain(Services services, std::unique_ptr<platform::WebBrowser> snipe, std::unique_ptr<platform::WebBrowser> auction,
        QWidget* parent = nullptr);
    ~FMain() override;

    void Initialize(bool bIsHasAccount);
    // Runs the load sequence once, before the window is first shown; showing the window loads it too.
    void Load();
    void ShutDown(); // operating-system shutdown, log-off or SIGTERM: no dialog, no wait

    // The operations the favorites windows' callers and the tests reach from outside.
    void OpenInAuctionBrowser(const QString& address);
    void BrowseHome();
    QString GetSiteHomeAddress() const;
    void ShowFloatingToolbar();

    // The tabs of SSTab1; the one in front decides the current browser.
    enum Tab { kLastbellTab = 0, kAuctionTab = 1 };

    platform::WebBrowser& brwSnipe() const { return *m_brwSnipe; }
    platform::WebBrowser& brwAuction() const { return *m_brwAuction; }
    bool snipeTabActive() const { return v_bSnipeTabActive; }
    QTabWidget* tabs() const { return SSTab1; }

signals:
    // The last step of the load sequence: the version check starts now.
    void checkForUpdate();
    // The shutdown steps are done: the program ends now.
    void ended();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction, one piece each.
    void createNavigateToolbar(QWidget* central);
    void createTabs(QWidget* central);
    void createStatusBar();
    void createTimers();
    void createMenus();
    QMenu* createFileMenu();
    QMenu* createEditMenu();
    QMenu* createNavigateMenu();
    QMenu* createFavoritesMenu();
    QMenu* createToolsMenu();
    QMenu* createHelpMenu();
    void createButtonBarStatusMenu();
    void connectBrowserEvents();
    void createBrowserKeys();

    enum class Ending { ByProgram, Shutdown };

    void RefreshUiState();
    void LayoutControls();
    void ToggleButtonText();
    void ExitProgram();

    // Browsing.
    void BrowseBack(bool bSnipe);
    void BrowseForward(bool bSnipe);
    void BrowseStop();
    void BrowseRefresh();
    void PrintCurrentPage();
    platform::WebBrowser& currentBrowser() const;
    // A command's tab comes forward with the keyboard in its page, so the user can type into it at once.
    void BringTabForward(Tab tab);
    // Ctrl+L, Alt+D and F6: the address box, its text selected, on the auction tab.
    void FocusAddressBox();

    // Site choice and login.
    void SelectSite(int index);
    void LoadSavedLogin();
    void GiveLastbellFirstPage();
    void NavigateFirstPage();
    void ShowPasswordDialog();

    // Browser favorites, the snipe and the favorite users.
    void ShowBrowserFavorites();
    void AddToBrowserFavorites();
    void ImportNetscapeFavorites();
    void SnipeCurrentAuction();
    void ShowFavoriteUsers(bool bSellers);

    void Form_Load();
    void Form_Unload(Ending ending);
    void ReportUnsavedSettings(Ending ending);
    void BeginAppEnd();
    void TabSwitched(int previousTab);
    void CaptionProgress();
    void SetCanGo(int command, bool enable, bool& canGoForward, bool& canGoBack);
    void SetStatusText(bool fromSnipe, const QString& text);
    void AuctionNavigateComplete();
    void OpenAddressBoxText();
    void GoToTypedAddress();
    void NavigateButtonClicked(int index);
    void FavoritesDropDownChosen(const QString& key);
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, QKeySequence shortcut = {});
    void ShowSiteChecked();
    void ShowButtonTextChecked();
    bool auctionTabInFront() const;
    platform::ShellUIHelper* shellUIHelper();

    Services m_services;
    std::unique_ptr<platform::WebBrowser> m_brwSnipe;
    std::unique_ptr<platform::WebBrowser> m_brwAuction;
    std::unique_ptr<OpenWindows> m_openWindows;
    std::unique_ptr<platform::ShellUIHelper> m_shellUIHelper; // created on first use
    BusyStar* m_busyStar = nullptr;

    // Controls, by their design names.
    QToolBar* tbrNavigate = nullptr;
    QList<QAction*> m_navigateButtons; // index 0 is button 1
    QLabel* picSnipe = nullptr;
    QTabWidget* SSTab1 = nullptr;
    LinkLabel* lblCobbleton = nullptr;
    QToolBar* tbrSnipe = nullptr;
    QAction* m_snipeButton = nullptr;
    QComboBox* cboAddress = nullptr;
    QToolBar* tbrGo = nullptr;
    QLabel* m_panels[3] = {};
    QTimer* timAppEnd = nullptr;
    QTimer* timTimer = nullptr;

    QAction* mnuFavoritesAdd = nullptr;
    QAction* mnuNavigateSnipe = nullptr;
    QAction* mnuOptionsText = nullptr;
    QAction* mnuOptionsSite[sites::kCount + 1] = {}; // 1 to kCount
    QMenu* mnuButtonBarStatus = nullptr;
    QAction* mnuButtonBarStatusViewLabels = nullptr;

    // Window state.
    bool bIsHasAccount = false;
    QString v_sStartingAddress;
    bool v_bSnipeTabActive = false;
    bool v_bSnipeCanGoBack = false;
    bool v_bSnipeCanGoForward = false;
    bool v_bAuctionCanGoBack = false;
    bool v_bAuctionCanGoForward = false;
    bool v_bUpdatingAddressList = false;
    QString sUser;
    QString sPassword;
    int m_site = 1; // the chosen marketplace site, 1 to sites::kCount; 0: none (the menus show it checked)
    bool m_buttonTextShown = true; // the two Show Button Text items show it checked
    int m_currentTab = kAuctionTab; // the tab in front, as the tab switch last saw it
    bool m_loaded = false;
    bool m_ending = false;
    bool m_unloaded = false;
};

} // namespace quillet
