// SPDX-License-Identifier: MIT
// The main window's service commands: the site choice, the Lastbell credentials, and the snipe with its floating
// toolbar.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/web_browser.h"
#include "quillet/app/settings_keys.h"
#include "quillet/service/fpassword.h"
#include "quillet/service/ftoolbar.h"
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
    sUser = settings_keys::read(m_services.settings, settings_keys::kUser);
    sPassword = settings_keys::read(m_services.settings, settings_keys::kPassword);
}

void FMain::ShowPasswordDialog()
{
    FPassword dialog(m_services.settings, m_services.messages, this);
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
    SSTab1->setCurrentIndex(kLastbellTab);
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
    SSTab1->setCurrentIndex(kLastbellTab);
    m_brwSnipe->navigate(snipe_address::SetUpAddress(toolbar.ItemText()));
}

} // namespace quillet
