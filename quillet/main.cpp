// SPDX-License-Identifier: MIT
// Quillet's composition root: the one place where the real platform adapters are chosen.
#include "platform/message_boxes.h"
#include "platform/proxy_setup.h"
#include "platform/qt_web_browser.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_info_locator.h"
#include "platform/termination_signal.h"
#include "quillet/app/start.h"
#include "quillet/mainwindow/fmain.h"

#include <QApplication>
#include <QSessionManager>
#include <QWebEngineProfile>

int main(int argc, char* argv[])
{
    platform::useSystemProxy();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastbell Quillet"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window ends the program itself

    platform::IniSettingsStore settings;
    platform::QtShell shell;
    platform::QtMessageBoxes messages;
    platform::PathSystemInfoLocator systemInfo;
    platform::TerminationSignal termination;
    // One persistent profile, so both browsers share their cookies; it outlives every page.
    QWebEngineProfile profile(QStringLiteral("Quillet"));

    const bool hasAccount = AskHasAccount(settings, shell);

    FMain window({ settings, shell, messages, QCoreApplication::applicationDirPath(), {}, &systemInfo },
        std::make_unique<platform::QtWebBrowser>(&profile), std::make_unique<platform::QtWebBrowser>(&profile));
    QObject::connect(&window, &FMain::ended, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&termination, &platform::TerminationSignal::received, &window, &FMain::ShutDown);
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) { window.ShutDown(); });
    window.Initialize(hasAccount);
    window.show();
    return app.exec();
}
