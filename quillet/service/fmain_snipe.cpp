// SPDX-License-Identifier: MIT
// The main window's snipe command and its floating toolbar.
#include "quillet/mainwindow/fmain.h"

#include "platform/web_browser.h"
#include "quillet/service/ftoolbar.h"
#include "quillet/service/snipe_address.h"

#include <QComboBox>
#include <QTabWidget>

void FMain::SnipeCurrentAuction()
{
    m_brwSnipe->navigate(snipe::SetUpAddress(snipe::ItemTextFromAddress(cboAddress->currentText())));
    SSTab1->setCurrentIndex(0);
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
    SSTab1->setCurrentIndex(0);
    m_brwSnipe->navigate(snipe::SetUpAddress(toolbar.ItemText()));
}
