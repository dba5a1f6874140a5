// SPDX-License-Identifier: MIT
// The main window's service commands: the site choice, the Lastbell credentials, and the snipe with its floating
// toolbar.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/web_browser.h"
#include "quillet/service/fpassword.h"
#include "quillet/service/ftoolbar.h"
#include "quillet/service/lastbell_login.h"
#include "quillet/service/saved_login.h"
#include "quillet/service/sites.h"
#include "quillet/service/snipe_address.h"

#include <QAction>
#include <QComboBox>
#include <QTabWidget>

namespace quillet
{

void FMain::SelectSite(int index)
{
    // A stored number out of range chooses no site: no home address, nothing checked.
    m_site = index >= 1 && index <= sites::kCount ? index : 0;
    ShowSiteChecked();
    SSTab1->setCurrentIndex(kAuctionTab);
    m_brwAuction->navigate(GetSiteHomeAddress());
}

void FMain::ShowSiteChecked()
{
    for (int i = 1; i <= sites::kCount; ++i)
        mnuOptionsSite[i]->setChecked(i == m_site);
}

QString FMain::GetSiteHomeAddress() const
{
    return m_site == 0 ? QString() : sites::GetSiteHomeAddress(m_site);
}

void FMain::LoadSavedLogin()
{
    m_services.savedLogin.Load();
    sUser = m_services.savedLogin.user();
    sPassword = m_services.savedLogin.password();
}

// The keyring was asked at start-up; the login waits for its answer from now on, or for the end of that wait.
void FMain::GiveLastbellFirstPage()
{
    if (bIsHasAccount && !sUser.isEmpty() && !m_services.savedLogin.loginReady()) {
        connect(
            &m_services.savedLogin, &SavedLogin::readyForLogin, this,
            [this] {
                if (m_unloaded)
                    return;
                LoadSavedLogin();
                NavigateFirstPage();
            },
            Qt::SingleShotConnection);
        m_services.savedLogin.WaitForLogin();
        return;
    }
    NavigateFirstPage();
}

void FMain::NavigateFirstPage()
{
    const lastbell_login::FirstPage first = lastbell_login::ChooseFirstPage(
        bIsHasAccount, sUser, m_services.savedLogin.hasPassword() ? std::optional(sPassword) : std::nullopt);
    if (first.kind == lastbell_login::FirstPage::Kind::LoginPost)
        m_brwSnipe->navigatePost(first.address, first.postData, QLatin1String(lastbell_login::kFormHeader));
    else
        m_brwSnipe->navigate(first.address);
}

void FMain::ShowPasswordDialog()
{
    FPassword dialog(m_services.savedLogin, m_services.messages, this);
    dialog.PrefillLogin(sUser, sPassword);
    dialog.exec();
    if (!dialog.WasCancelled()) {
        sUser = dialog.EnteredUser();
        sPassword = dialog.EnteredPassword();
    }
}

void FMain::SnipeCurrentAuction()
{
    // An address that names no item (typed over since the button was enabled) opens the page without one: the
    // service then asks for it.
    const QString item = snipe_address::ItemTextFromAddress(cboAddress->currentText()).value_or(QString());
    m_brwSnipe->navigate(snipe_address::SetUpAddress(item));
    BringTabForward(kLastbellTab);
}

void FMain::ShowFloatingToolbar()
{
    // No owner: the toolbar stands in for the main window, which is hidden meanwhile.
    FToolbar toolbar;
    hide();
    toolbar.exec();
    // The program ended while the toolbar was up (it was closed by the shutdown): nothing more to show or open.
    if (m_unloaded)
        return;
    show();
    activateWindow(); // the keyboard comes back to the main window with it
    if (toolbar.WasClosed())
        return;
    BringTabForward(kLastbellTab);
    m_brwSnipe->navigate(snipe_address::SetUpAddress(toolbar.ItemText()));
}

} // namespace quillet
