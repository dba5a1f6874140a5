// SPDX-License-Identifier: MIT
// Quillet's composition root: the one place where the real platform adapters are chosen.
#include "platform/http_transfer.h"
#include "platform/instance_lock.h"
#include "platform/message_boxes.h"
#include "platform/proxy_setup.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_shell_ui_helper.h"
#include "platform/qt_web_browser.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/special_folders.h"
#include "platform/system_info_locator.h"
#include "platform/termination_signal.h"
#include "quillet/app/start.h"
#include "quillet/mainwindow/fmain.h"
#include "quillet/mainwindow/refresh_rule.h"
#include "quillet/update/update_check.h"

#include <QApplication>
#include <QSessionManager>
#include <QWebEngineProfile>

int main(int argc, char* argv[])
{
    platform::useSystemProxy();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastbell Quillet"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window ends the program itself

    // Held while Quillet runs, so the updater knows when the program file is free to replace.
    platform::InstanceLock instanceLock(QCoreApplication::applicationDirPath());
    instanceLock.tryLock();

    platform::IniSettingsStore settings;
    platform::QtShell shell;
    platform::QtMessageBoxes messages;
    platform::PathSystemInfoLocator systemInfo;
    platform::XdgSpecialFolders specialFolders;
    platform::QtFileDialogs fileDialogs;
    platform::TerminationSignal termination;
    // One persistent profile, so both browsers share their cookies; it outlives every page.
    QWebEngineProfile profile(QStringLiteral("Quillet"));

    const bool hasAccount = AskHasAccount(settings, shell);

    platform::QtHttpTransfer intUpdate;
    std::unique_ptr<UpdateCheck> updateCheck;
    FMain window({ settings, shell, messages, QCoreApplication::applicationDirPath(),
                     [&updateCheck] { updateCheck->CheckForUpdate(); }, &systemInfo, &specialFolders, &fileDialogs,
                     [&](QWidget* owner) {
                         return std::make_unique<platform::QtShellUIHelper>(
                             specialFolders, messages, owner, QLatin1String(ui_state::kTitle));
                     } },
        std::make_unique<platform::QtWebBrowser>(&profile), std::make_unique<platform::QtWebBrowser>(&profile));
    updateCheck
        = std::make_unique<UpdateCheck>(intUpdate, shell, messages, QCoreApplication::applicationDirPath(), &window);
    // Freshbolt has started: close by program, which saves the settings but skips the exit command's steps.
    QObject::connect(updateCheck.get(), &UpdateCheck::quitForUpdate, &window, &QWidget::close);
    QObject::connect(&window, &FMain::ended, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&termination, &platform::TerminationSignal::received, &window, &FMain::ShutDown);
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) { window.ShutDown(); });
    window.Initialize(hasAccount);
    window.show();
    return app.exec();
}
