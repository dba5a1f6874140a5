// SPDX-License-Identifier: MIT
// The main window's ending: the exit command, the close box, closing by the program and the shutdown.
#include "quillet/mainwindow/fmain.h"

#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/settings_store.h"
#include "platform/core/web_browser.h"
#include "quillet/app/settings_keys.h"
#include "quillet/mainwindow/busy_star.h"
#include "quillet/mainwindow/open_windows.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

namespace quillet
{

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
    Form_Unload(Ending::ByProgram);
    event->accept();
}

void FMain::ShutDown()
{
    Form_Unload(Ending::Shutdown);
}

void FMain::Form_Unload(Ending ending)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_openWindows->closeAllBut(this);
    const bool saved = settings_keys::write(m_services.settings, settings_keys::kSite, QString::number(m_site))
        && settings_keys::write(m_services.settings, settings_keys::kTextLabels,
            m_buttonTextShown ? QString() : QLatin1String(settings_keys::kOff));
    m_busyStar->Stop();
    timTimer->stop();
    timAppEnd->stop();
    if (!saved)
        ReportUnsavedSettings(ending);
    emit ended();
}

void FMain::ReportUnsavedSettings(Ending ending)
{
    const platform::SettingsFailure failure = m_services.settings.lastFailure();
    // The session is ending: nobody is there to answer a message box, and it would hold up the log-off.
    if (ending == Ending::Shutdown) {
        qCritical("%s: settings not saved to %s: %s", product::kTitle, qUtf8Printable(failure.fileName),
            qUtf8Printable(failure.reason));
        return;
    }
    m_services.messages.ask(nullptr, QLatin1String(product::kTitle),
        settings_keys::SaveFailureText(QStringLiteral("Your choice of site and of button texts"), failure),
        platform::MessageIcon::Warning, platform::MessageButtons::Ok);
}

} // namespace quillet
