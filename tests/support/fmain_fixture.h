// SPDX-License-Identifier: MIT
#pragma once

#include "quillet/mainwindow/fmain.h"
#include "quillet/service/saved_login.h"
#include "tests/support/fakes/fake_file_dialogs.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_settings_store.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/fakes/fake_shell_folders.h"
#include "tests/support/fakes/fake_shell_ui_helper.h"
#include "tests/support/fakes/fake_web_browser.h"
#include "tests/support/modal_answer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStandardPaths>
#include <QtTest/qtestspontaneevent.h>
#include <functional>
#include <memory>

namespace quillet
{

// A main window on fake browsers, a fake settings store, shell and message boxes.
struct FMainFixture {
    platform::FakeSettingsStore settings;
    platform::FakeKeyring keyring;
    // Short waits, so that a keyring that never answers costs the test little time.
    SavedLogin savedLogin { settings, keyring,
        SavedLogin::Waits { std::chrono::milliseconds(300), std::chrono::milliseconds(300) } };
    platform::FakeShell shell;
    platform::FakeMessageBoxes messages;
    platform::FakeWebBrowser* snipe = nullptr;
    platform::FakeWebBrowser* auction = nullptr;
    int updateChecks = 0;
    QString programFolder = QStringLiteral("/opt/quillet");
    platform::FakeSpecialFolders specialFolders;
    platform::FakeFileDialogs fileDialogs;
    platform::FakeShellUIHelper* shellUIHelper = nullptr; // once the window made it
    int shellUIHelpersMade = 0;
    std::unique_ptr<FMain> window;

    void create(bool hasAccount = true)
    {
        auto snipeBrowser = std::make_unique<platform::FakeWebBrowser>();
        auto auctionBrowser = std::make_unique<platform::FakeWebBrowser>();
        snipe = snipeBrowser.get();
        auction = auctionBrowser.get();
        window = std::make_unique<FMain>(FMain::Services { settings, shell, messages, savedLogin, programFolder,
                                             nullptr, &specialFolders, &fileDialogs,
                                             [this](QWidget*) {
                                                 ++shellUIHelpersMade;
                                                 auto helper = std::make_unique<platform::FakeShellUIHelper>();
                                                 shellUIHelper = helper.get();
                                                 return helper;
                                             } },
            std::move(snipeBrowser), std::move(auctionBrowser));
        QObject::connect(window.get(), &FMain::checkForUpdate, [this] { ++updateChecks; });
        window->Initialize(hasAccount);
    }

    void show(bool hasAccount = true)
    {
        create(hasAccount);
        window->show();
    }

    // As the close box does: a close request from the window system.
    void closeBox()
    {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(window.get(), &close); // sendEvent would clear the spontaneous flag
    }

    template <typename T> T* child(const char* name) const { return window->findChild<T*>(QLatin1String(name)); }
};

} // namespace quillet
