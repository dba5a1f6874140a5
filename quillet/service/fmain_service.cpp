// SPDX-License-Identifier: MIT
// The main window's site choice and Lastbell credentials.
#include "quillet/mainwindow/fmain.h"

#include "platform/web_browser.h"
#include "quillet/app/settings_keys.h"
#include "quillet/service/fpassword.h"
#include "quillet/service/sites.h"

#include <QAction>
#include <QTabWidget>

void FMain::SelectSite(int index)
{
    for (int i = 1; i <= sites::kCount; ++i)
        mnuOptionsSite[i]->setChecked(false);
    if (index >= 1 && index <= sites::kCount)
        mnuOptionsSite[index]->setChecked(true);
    SSTab1->setCurrentIndex(1);
    m_brwAuction->navigate(GetSiteHomeAddress());
}

QString FMain::GetSiteHomeAddress() const
{
    for (int i = 1; i <= sites::kCount; ++i) {
        if (mnuOptionsSite[i]->isChecked())
            return sites::GetSiteHomeAddress(i);
    }
    return {};
}

void FMain::LoadSavedLogin()
{
    sUser = settings::read(m_services.settings, settings::kUser);
    sPassword = settings::read(m_services.settings, settings::kPassword);
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
