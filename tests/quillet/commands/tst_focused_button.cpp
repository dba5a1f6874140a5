// SPDX-License-Identifier: MIT
// Every dialog of Quillet: Enter on a button that has the focus presses that button, not the dialog's default one
// (Space always did). The focus gets there with Tab, as the user moves it.
#include "quillet/app/fstart.h"
#include "quillet/commands/fabout.h"
#include "quillet/favourites/fadduserid.h"
#include "quillet/favourites/ffavorites.h"
#include "quillet/service/fpassword.h"
#include "quillet/service/saved_login.h"
#include "quillet/update/fnewversion.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_settings_store.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/keyboard.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace quillet;

class TestFocusedButton : public QObject
{
    Q_OBJECT

    platform::FakeShell m_shell;
    platform::FakeMessageBoxes m_messages;
    platform::FakeSettingsStore m_settings;
    platform::FakeKeyring m_keyring;
    SavedLogin m_savedLogin { m_settings, m_keyring };
    QTemporaryDir m_programFolder;

    std::unique_ptr<QDialog> make(const QString& dialog)
    {
        if (dialog == "FStart")
            return std::make_unique<FStart>(m_shell);
        if (dialog == "FPassword")
            return std::make_unique<FPassword>(m_savedLogin, m_messages);
        if (dialog == "FAbout")
            return std::make_unique<FAbout>(m_shell, m_messages, nullptr);
        if (dialog == "FAddUserID")
            return std::make_unique<FAddUserID>();
        if (dialog == "FNewVersion")
            return std::make_unique<FNewVersion>();
        auto list = std::make_unique<FFavorites>(m_messages, m_programFolder.path());
        list->SetListKind(true);
        list->OnFormLoad();
        return list;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("defaultButton"); // empty: the dialog has none of its own
        QTest::newRow("welcome screen: No") << "FStart"
                                            << "Command1" << QString();
        QTest::newRow("password: Cancel") << "FPassword"
                                          << "cmdCancel"
                                          << "cmdSave";
        QTest::newRow("about box: System Info") << "FAbout"
                                                << "cmdSysInfo"
                                                << "cmdOK";
        QTest::newRow("favorites list: Close") << "FFavorites"
                                               << "cmdClose"
                                               << "cmdGetInfo";
        QTest::newRow("add a user ID: Cancel") << "FAddUserID"
                                               << "cmdCancel"
                                               << "cmdAdd";
        QTest::newRow("new version: Update Later") << "FNewVersion"
                                                   << "cmdLater" << QString();
        QTest::newRow("new version: Update Now") << "FNewVersion"
                                                 << "cmdUpdateNow" << QString();
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(QString, defaultButton);
        const std::unique_ptr<QDialog> window = make(dialog);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* target = window->findChild<QPushButton*>(button);
        QVERIFY(target);
        QSignalSpy pressed(target, &QPushButton::clicked);
        std::unique_ptr<QSignalSpy> defaultPressed;
        if (!defaultButton.isEmpty())
            defaultPressed
                = std::make_unique<QSignalSpy>(window->findChild<QPushButton*>(defaultButton), &QPushButton::clicked);
        QVERIFY(keyboard::tabTo(target));
        keyboard::press(Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        if (defaultPressed)
            QCOMPARE(defaultPressed->count(), 0);
    }
};

QTEST_MAIN(TestFocusedButton)
#include "tst_focused_button.moc"
