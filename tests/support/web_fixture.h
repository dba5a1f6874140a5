// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/proxy_credentials.h"
#include "platform/ui/qt_shell_ui_helper.h"
#include "platform/ui/qt_web_browser.h"
#include "quillet/mainwindow/fmain.h"
#include "quillet/service/saved_login.h"
#include "tests/support/fakes/fake_file_dialogs.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_page_prompts.h"
#include "tests/support/fakes/fake_settings_store.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/fakes/fake_shell_folders.h"
#include "tests/support/simulator_process.h"

#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QStandardPaths>
#include <QTest>
#include <QWebEngineProfile>
#include <memory>

namespace quillet
{

// The real main window with real web views, all traffic going to the simulator through the proxy setting.
struct WebFixture {
    SimulatorProcess simulator;
    platform::FakeSettingsStore settings;
    platform::FakeKeyring keyring;
    // Short waits, so that a keyring that never answers costs the test little time.
    SavedLogin savedLogin { settings, keyring,
        SavedLogin::Waits { std::chrono::milliseconds(300), std::chrono::milliseconds(300) } };
    platform::FakeShell shell;
    platform::FakeMessageBoxes messages;
    platform::FakeSpecialFolders specialFolders; // no favorites folder unless the test gives one
    platform::FakeFileDialogs fileDialogs;
    platform::FakePagePrompts prompts;
    // The pages' questions: the same fakes the window's own go to.
    platform::ProxyCredentials proxyCredentials { [](const QString&) {
        return std::optional<platform::Credentials>();
    } };
    platform::PageServices pageServices() { return { shell, fileDialogs, prompts, proxyCredentials }; }
    std::unique_ptr<QWebEngineProfile> profile;
    QString programFolder = QStringLiteral("/nonexistent");
    std::unique_ptr<FMain> window;

    bool start()
    {
        if (!simulator.start())
            return false;
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), simulator.port()));
        profile = std::make_unique<QWebEngineProfile>(); // off the record: every test starts without cookies
        return true;
    }

    void open(bool hasAccount)
    {
        window = std::make_unique<FMain>(FMain::Services { settings, shell, messages, savedLogin, programFolder,
                                             nullptr, &specialFolders, &fileDialogs,
                                             [this](QWidget* owner) {
                                                 return std::make_unique<platform::QtShellUIHelper>(specialFolders,
                                                     messages, owner, QStringLiteral("Lastbell Quillet"));
                                             } },
            std::make_unique<platform::QtWebBrowser>(profile.get(), pageServices()),
            std::make_unique<platform::QtWebBrowser>(profile.get(), pageServices()));
        window->Initialize(hasAccount);
        window->show();
    }

    ~WebFixture() { window.reset(); } // pages go before the profile

    QList<LoggedRequest> requestsTo(const QString& urlPrefix)
    {
        QList<LoggedRequest> found;
        for (const LoggedRequest& request : simulator.log()) {
            if (request.url.startsWith(urlPrefix))
                found.append(request);
        }
        return found;
    }
};

// The shared set-up of the tests on real web views: a fresh simulator and profile for every test function.
class WebFixtureTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<WebFixture> f;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        f = std::make_unique<WebFixture>();
        QVERIFY(f->start());
    }
    void cleanup() { f.reset(); }
};

} // namespace quillet
