// SPDX-License-Identifier: MIT
// Every window as a screen reader and a scaled desktop see it: each control named, each text whole. CTest runs
// this at QT_SCALE_FACTOR 1, 1.5 and 2.
#include "platform/ui/add_favorite_dialog.h"
#include "quillet/app/fstart.h"
#include "quillet/app/settings_keys.h"
#include "quillet/commands/fabout.h"
#include "quillet/commands/link_label.h"
#include "quillet/favourites/fadduserid.h"
#include "quillet/favourites/ffavorites.h"
#include "quillet/favourites/fiefavorites.h"
#include "quillet/service/fpassword.h"
#include "quillet/service/ftoolbar.h"
#include "quillet/service/saved_login.h"
#include "quillet/update/fnewversion.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/window_checks.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{

// One of each window, shown the way the program shows it (without waiting in a modal loop).
struct Windows {
    platform::FakeShell shell;
    platform::FakeMessageBoxes messages;
    platform::FakeSettingsStore settings;
    platform::FakeKeyring keyring;
    quillet::SavedLogin savedLogin { settings, keyring };
    platform::FakeSpecialFolders folders;
    QTemporaryDir programFolder;
    quillet::FMainFixture main;

    std::unique_ptr<QWidget> make(const QString& which, bool buttonText)
    {
        if (which.startsWith(u"FMain")) {
            if (!buttonText)
                main.settings.values.insert(u"Settings/TextLabels"_s, QLatin1String(quillet::settings_keys::kOff));
            main.show();
            if (which == u"FMain auction")
                main.window->tabs()->setCurrentIndex(quillet::FMain::kAuctionTab);
            return nullptr;
        }
        if (which == u"FStart")
            return std::make_unique<quillet::FStart>(shell);
        if (which == u"FAbout")
            return std::make_unique<quillet::FAbout>(shell, messages, nullptr);
        if (which == u"FAddUserID")
            return std::make_unique<quillet::FAddUserID>();
        if (which == u"FSellers" || which == u"FBidders") {
            auto list = std::make_unique<quillet::FFavorites>(messages, programFolder.path());
            list->SetListKind(which == u"FSellers");
            if (!list->OnFormLoad())
                return nullptr;
            return list;
        }
        if (which == u"FIEFavorites")
            return std::make_unique<quillet::FIEFavorites>(folders);
        if (which == u"FPassword")
            return std::make_unique<quillet::FPassword>(savedLogin, messages);
        if (which == u"FToolbar")
            return std::make_unique<quillet::FToolbar>();
        if (which == u"FNewVersion")
            return std::make_unique<quillet::FNewVersion>();
        if (which == u"AddFavorite")
            return std::make_unique<platform::AddFavoriteDialog>(
                programFolder.path(), u"http://www.lastbell.com/"_s, u"Lastbell"_s, messages);
        return nullptr;
    }

    QWidget* shown(const QString& which, bool buttonText)
    {
        m_window = make(which, buttonText);
        QWidget* window = m_window ? m_window.get() : main.window.get();
        if (window)
            window->show();
        return window;
    }

private:
    std::unique_ptr<QWidget> m_window;
};

void addWindowRows()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("buttonText");
    QTest::newRow("main window, button texts shown") << u"FMain"_s << true;
    QTest::newRow("main window, button texts hidden") << u"FMain"_s << false;
    QTest::newRow("auction tab, button texts shown") << u"FMain auction"_s << true;
    QTest::newRow("auction tab, button texts hidden") << u"FMain auction"_s << false;
    for (const char* which : { "FStart", "FAbout", "FAddUserID", "FSellers", "FBidders", "FIEFavorites", "FPassword",
             "FToolbar", "FNewVersion", "AddFavorite" })
        QTest::newRow(which) << QString::fromLatin1(which) << true;
}

} // namespace

class TestWindowsToday : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QAccessible::setActive(true);
    }
    void everyControlNamed_data() { addWindowRows(); }
    void everyControlNamed();
    void noTextCut_data() { addWindowRows(); }
    void noTextCut();
    void firstFocusIsNoLink_data() { addWindowRows(); }
    void firstFocusIsNoLink();
};

void TestWindowsToday::everyControlNamed()
{
    QFETCH(QString, which);
    QFETCH(bool, buttonText);
    Windows windows;
    window_checks::verifyEveryControlNamed(windows.shown(which, buttonText));
}

void TestWindowsToday::noTextCut()
{
    QFETCH(QString, which);
    QFETCH(bool, buttonText);
    Windows windows;
    window_checks::verifyNoTextCut(windows.shown(which, buttonText));
}

// A link reached by Tab must not be where the window starts: Enter would open it instead of the default button.
void TestWindowsToday::firstFocusIsNoLink()
{
    QFETCH(QString, which);
    QFETCH(bool, buttonText);
    Windows windows;
    QWidget* window = windows.shown(which, buttonText);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget* first = QApplication::focusWidget();
    QVERIFY2(!qobject_cast<quillet::LinkLabel*>(first), qPrintable(first ? first->objectName() : QString()));
}

QTEST_MAIN(TestWindowsToday)
#include "tst_windows_today.moc"
