// SPDX-License-Identifier: MIT
// Quillet's composition root: the one place where the real platform adapters are chosen.
#include "platform/core/favorites/shell_folders.h"
#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/local_files.h"
#include "platform/core/product.h"
#include "platform/core/proxy_credentials.h"
#include "platform/core/proxy_setup.h"
#include "platform/core/qt_keyring.h"
#include "platform/core/settings_store.h"
#include "platform/core/single_instance.h"
#include "platform/core/startup_trace.h"
#include "platform/core/system_info_locator.h"
#include "platform/core/termination_signal.h"
#include "platform/ui/deferred_icon_style.h"
#include "platform/ui/font_warm_up.h"
#include "platform/ui/qt_file_dialogs.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_page_prompts.h"
#include "platform/ui/qt_shell.h"
#include "platform/ui/qt_shell_ui_helper.h"
#include "platform/ui/qt_web_browser.h"
#include "platform/ui/session_end.h"
#include "platform/ui/window_activation.h"
#include "quillet/app/after_first_pages.h"
#include "quillet/app/display_platform.h"
#include "quillet/app/one_program.h"
#include "quillet/app/quiet_start.h"
#include "quillet/app/start.h"
#include "quillet/mainwindow/fmain.h"
#include "quillet/service/saved_login.h"
#include "quillet/update/update_check.h"

#include <QApplication>
#include <QPointer>
#include <QWebEngineProfile>

using namespace quillet;

int main(int argc, char* argv[])
{
    platform::IgnoreClosedOutput();
    platform::MarkStartup("main");
    // Before anything is read, written, asked or shown: a start while this user's Quillet runs hands over to it.
    const std::unique_ptr<platform::SingleInstance> instance = UserInstance();
    const platform::SingleInstance::Claim claim = instance->claim(platform::ActivationRequestOfThisStart());
    if (claim == platform::SingleInstance::Claim::HandedOver)
        return 0;
    quiet_start::Apply();
    display_platform::Apply();
    platform::useSystemProxy();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(product::kTitle));
    // The installed desktop entry: docks group the window with its launcher (the X window class is the name).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.cobbleton.Quillet"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window ends the program itself
    QApplication::setStyle(new platform::DeferredIconStyle);
    platform::MarkStartup("application");
    platform::QtMessageBoxes messages;
    if (claim == platform::SingleInstance::Claim::NoAnswer) {
        TellNoAnswer(messages);
        return 1;
    }
    if (claim == platform::SingleInstance::Claim::First && !instance->listen())
        qWarning("A later start cannot reach this program: %s", qPrintable(instance->errorString()));
    // Set once the main window exists; until then a later start brings the welcome screen forward.
    QPointer<QWidget> mainWindow;
    QObject::connect(instance.get(), &platform::SingleInstance::activationRequested, instance.get(),
        [&mainWindow](const platform::ActivationRequest& request) {
            platform::BringForward(platform::WindowToBringForward(mainWindow), request);
        });

    // Held while Quillet runs, so the updater knows when the program file is free to replace.
    platform::InstanceLock instanceLock(QCoreApplication::applicationDirPath());
    instanceLock.tryLock();

    // The fonts are read on a thread of their own while the web engine starts here, so that they are in by the
    // time the window is built.
    const platform::FontWarmUp fonts;
    // One persistent profile, so both browsers share their cookies; it outlives every page.
    QWebEngineProfile profile(QStringLiteral("Quillet"));
    platform::MarkStartup("profile");
    platform::IniSettingsStore settings;
    platform::QtKeyring keyring(QLatin1String(product::kTitle));
    // The keyring answers on a thread of its own while the window is built and the auction's first page asked
    // for. Asked any earlier, its exchange (a bus connection, a key agreement, the daemon's work) slowed the
    // engine's start on two cores by more than it gained.
    SavedLogin savedLogin(settings, keyring);
    savedLogin.Load();
    platform::MarkStartup("keyring asked");
    platform::QtShell shell;
    platform::PathSystemInfoLocator systemInfo;
    platform::XdgSpecialFolders specialFolders;
    platform::QtFileDialogs fileDialogs;
    platform::TerminationSignal termination;

    // A session that ends while the welcome screen is up ends the program there; nothing has been changed yet.
    bool endedAtWelcome = false;
    bool hasAccount = false;
    {
        const QObject welcome;
        platform::OnSessionEnd(termination, &welcome, [&endedAtWelcome] {
            endedAtWelcome = true;
            QCoreApplication::exit(0);
        });
        hasAccount = AskHasAccount(settings, shell, messages);
    }
    if (endedAtWelcome)
        return 0;

    platform::QtHttpTransfer intUpdate;
    platform::QtPagePrompts pagePrompts;
    platform::ProxyCredentials proxyCredentials(&platform::ProxyCredentials::FromProxySetting);
    const platform::PageServices pageServices { shell, fileDialogs, pagePrompts, proxyCredentials };
    // The version check goes through the same proxy with the answer there is; it never asks itself, so the
    // question goes to the browsers, whose pages (the login) the user waits for.
    intUpdate.answerProxyWith(
        [&proxyCredentials](const QString& proxyHost) { return proxyCredentials.known(proxyHost); });
    auto brwSnipe = std::make_unique<platform::QtWebBrowser>(&profile, pageServices);
    auto brwAuction = std::make_unique<platform::QtWebBrowser>(&profile, pageServices);
    const std::vector<platform::WebBrowser*> browsers { brwSnipe.get(), brwAuction.get() };
    AfterFirstPages pagesBeforeShowing(browsers, std::chrono::milliseconds(200));
    AfterFirstPages firstPagesLoaded(browsers, std::chrono::seconds(5));
    FMain window({ settings, shell, messages, savedLogin, QCoreApplication::applicationDirPath(), &systemInfo,
                     &specialFolders, &fileDialogs,
                     [&](QWidget* owner) {
                         return std::make_unique<platform::QtShellUIHelper>(
                             specialFolders, messages, owner, QLatin1String(product::kTitle));
                     } },
        std::move(brwSnipe), std::move(brwAuction));
    platform::QtLocalFiles files;
    // Only looked at: the check offers nothing while an updater is at work.
    platform::InstanceLock updaterLock(QCoreApplication::applicationDirPath(), platform::LockHolder::Updater);
    UpdateCheck updateCheck(
        intUpdate, shell, messages, files, updaterLock, QCoreApplication::applicationDirPath(), &window);
    // Both exist before the window loads: its load sequence asks for the check.
    QObject::connect(&window, &FMain::checkForUpdate, &firstPagesLoaded, &AfterFirstPages::start);
    QObject::connect(&firstPagesLoaded, &AfterFirstPages::ready, &updateCheck, &UpdateCheck::CheckForUpdate);
    // Freshbolt has started: close by program, which saves the settings but skips the exit command's steps.
    QObject::connect(&updateCheck, &UpdateCheck::quitForUpdate, &window, &QWidget::close);
    mainWindow = &window;
    QObject::connect(&window, &FMain::ended, &app, [&instance] {
        // A start from here on runs on its own rather than handing over to a program that is ending.
        instance->release();
        QCoreApplication::exit(0);
    });
    platform::OnSessionEnd(termination, &window, [&window] { window.ShutDown(); });
    // The keyring has most likely answered on its own thread while the engine started: its answer is taken now,
    // so that the login goes out with the auction's first page rather than after the window's first paint.
    QCoreApplication::sendPostedEvents(&savedLogin, QEvent::MetaCall);
    window.Initialize(hasAccount);
    platform::MarkStartup("window built");
    // Shown once both first pages have loaded, at most 200 ms after the load sequence. The engine handles the
    // pages' navigations, redirects and answers on the user-interface thread, and the window's first drawing held
    // them up wherever it fell among them: by 10 ms on a fast machine, by 40 ms or more on a slow one, whatever
    // fixed wait it followed. From a slow network the pages have nothing to show within 200 ms anyway.
    QObject::connect(&pagesBeforeShowing, &AfterFirstPages::ready, &window, [&window] {
        window.show();
        platform::MarkStartup("shown");
        // Without a window manager nothing hands the keyboard to a new window; ask for it.
        window.activateWindow();
    });
    // Loaded before it is shown, so the auction browser, behind the Lastbell tab from then on, is never shown
    // (and never drawn) on the way.
    window.Load();
    pagesBeforeShowing.start();
    return app.exec();
}
