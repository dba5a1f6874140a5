// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/proxy_credentials.h"
#include "platform/ui/qt_web_browser.h"
#include "tests/support/fakes/fake_file_dialogs.h"
#include "tests/support/fakes/fake_page_prompts.h"
#include "tests/support/fakes/fake_shell.h"

#include <QStandardPaths>
#include <QTest>
#include <QWebEngineProfile>
#include <memory>

// One real web view, shown offscreen in a profile of its own, with every question its pages ask going to fakes.
struct ShownBrowser {
    platform::FakeShell shell;
    platform::FakeFileDialogs files;
    platform::FakePagePrompts prompts;
    platform::ProxyCredentials proxyCredentials { [](const QString&) {
        return std::optional<platform::Credentials>();
    } };
    std::unique_ptr<QWebEngineProfile> profile;
    std::unique_ptr<platform::QtWebBrowser> browser;

    // False when the view was never shown.
    bool show()
    {
        QStandardPaths::setTestModeEnabled(true);
        profile = std::make_unique<QWebEngineProfile>();
        browser = std::make_unique<platform::QtWebBrowser>(
            profile.get(), platform::PageServices { shell, files, prompts, proxyCredentials });
        browser->widget()->resize(600, 400);
        browser->widget()->show();
        return QTest::qWaitForWindowExposed(browser->widget());
    }

    ~ShownBrowser() { browser.reset(); } // the page goes before its profile
};
