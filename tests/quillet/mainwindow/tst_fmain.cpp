// SPDX-License-Identifier: MIT
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QWindow>

using namespace quillet;

using Navigation = platform::FakeWebBrowser::Navigation;

class TestMainWindow : public QObject
{
    Q_OBJECT
private:
    static QStringList addresses(const QList<Navigation>& navigations)
    {
        QStringList list;
        for (const Navigation& n : navigations)
            list.append(n.address);
        return list;
    }
    static QString panel(const FMainFixture& f, int i)
    {
        return f.child<QLabel>(i == 1 ? "Panel1" : i == 2 ? "Panel2" : "Panel3")->text();
    }
    static QAction* action(const FMainFixture& f, const char* name) { return f.child<QAction>(name); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void loadWithAnEmptyStore()
    {
        FMainFixture f;
        f.show();
        const QString usHome = "http://www.qksrv.net/click-1108872-5463217?loc=http%3A//www.ebay.com";
        QCOMPARE(addresses(f.auction->navigations), QStringList({ usHome, usHome }));
        QVERIFY(action(f, "mnuOptionsSite1")->isChecked());
        QCOMPARE(f.window->tabs()->currentIndex(), 0);
        QVERIFY(f.window->snipeTabActive());
        QVERIFY(!f.child<QToolBar>("tbrGo")->isVisible());
        QCOMPARE(panel(f, 1), QString("Lastbell"));
        QCOMPARE(f.child<QComboBox>("cboAddress")->currentText(), usHome);
        QVERIFY(action(f, "mnuButtonBarStatusViewLabels")->isChecked());
        QVERIFY(action(f, "mnuOptionsText")->isChecked());
        QCOMPARE(f.child<QTabWidget>("SSTab1")->y(), 660 / 15);
        QCOMPARE(f.updateChecks, 1);
        // Account, no saved user: the login page by GET.
        QCOMPARE(f.snipe->navigations.size(), 1);
        QCOMPARE(f.snipe->navigations[0].address, QString("http://www.lastbell.com/secure/login.cfm"));
        QVERIFY(!f.snipe->navigations[0].isPost);
        QVERIFY(panel(f, 3).size() > 0);
    }

    void firstLastbellPage_data()
    {
        QTest::addColumn<bool>("hasAccount");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("post");
        QTest::newRow("no account, saved user") << false << "demo"
                                                << "http://www.lastbell.com/secure/signup.cfm" << false;
        QTest::newRow("account, saved user") << true << "demo"
                                             << "http://www.lastbell.com/secure/login.cfm" << true;
    }
    void firstLastbellPage()
    {
        QFETCH(bool, hasAccount);
        QFETCH(QString, user);
        FMainFixture f;
        f.settings.values.insert("Main/User", user);
        f.settings.values.insert("Main/Password", "a&b");
        f.show(hasAccount);
        QCOMPARE(f.snipe->navigations.size(), 1);
        QTEST(f.snipe->navigations[0].address, "address");
        QTEST(f.snipe->navigations[0].isPost, "post");
        if (f.snipe->navigations[0].isPost) {
            QCOMPARE(f.snipe->navigations[0].postData, QByteArray("username=demo&temp_password=a%26b"));
            QCOMPARE(f.snipe->navigations[0].header, QString("Content-Type: application/x-www-form-urlencoded"));
        }
    }

    void storedSite_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QString>("home");
        QTest::newRow("6") << "6" << 6 << "http://pages.ebay.com/nz/index.html";
        QTest::newRow("not a site") << "9" << 1
                                    << "http://www.qksrv.net/click-1108872-5463217?loc=http%3A//www.ebay.com";
    }
    void storedSite()
    {
        QFETCH(QString, stored);
        QFETCH(int, checked);
        FMainFixture f;
        f.settings.values.insert("Settings/Site", stored);
        f.show();
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(action(f, qPrintable(QString("mnuOptionsSite%1").arg(i)))->isChecked(), i == checked);
        QTEST(f.auction->navigations.last().address, "home");
    }

    void choosingMotorsFromTheLastbellTab()
    {
        FMainFixture f;
        f.show();
        action(f, "mnuOptionsSite7")->trigger();
        QCOMPARE(f.window->tabs()->currentIndex(), 1);
        QCOMPARE(f.auction->navigations.last().address, QString("http://pages.ebay.com/ebaymotors/index.html"));
        f.window->ShutDown();
        QCOMPARE(f.settings.values.value("Settings/Site"), QString("7"));
    }

    void textLabelsOff()
    {
        FMainFixture f;
        f.settings.values.insert("Settings/TextLabels", "N");
        f.show();
        QVERIFY(!action(f, "mnuButtonBarStatusViewLabels")->isChecked());
        QVERIFY(!action(f, "mnuOptionsText")->isChecked());
        QCOMPARE(f.child<QTabWidget>("SSTab1")->y(), 500 / 15);
        QCOMPARE(action(f, "Back")->text(), QString());
    }

    void togglingTwiceReturnsToTheStart()
    {
        FMainFixture f;
        f.show();
        const int top = f.child<QTabWidget>("SSTab1")->y();
        QCOMPARE(action(f, "Home")->text(), QString("Home"));
        action(f, "mnuOptionsText")->trigger();
        QVERIFY(!action(f, "mnuButtonBarStatusViewLabels")->isChecked());
        QVERIFY(!action(f, "mnuOptionsText")->isChecked());
        QCOMPARE(action(f, "Home")->text(), QString());
        QCOMPARE(f.child<QTabWidget>("SSTab1")->y(), 500 / 15);
        action(f, "mnuButtonBarStatusViewLabels")->trigger();
        QVERIFY(action(f, "mnuButtonBarStatusViewLabels")->isChecked());
        QVERIFY(action(f, "mnuOptionsText")->isChecked());
        QCOMPARE(action(f, "Home")->text(), QString("Home"));
        QCOMPARE(f.child<QTabWidget>("SSTab1")->y(), top);
    }

    void tabSwitchTextsAndVisibility()
    {
        FMainFixture f;
        f.show();
        f.auction->isBusy = true;
        f.window->tabs()->setCurrentIndex(1);
        QCOMPARE(panel(f, 1), QString("Auction Browser"));
        QCOMPARE(panel(f, 2), QString("Working . . ."));
        QVERIFY(f.child<QToolBar>("tbrGo")->isVisible());
        QVERIFY(!f.child<QLabel>("lblCobbleton")->isVisible());
        QVERIFY(!f.window->snipeTabActive());
        f.window->tabs()->setCurrentIndex(0);
        QCOMPARE(panel(f, 1), QString("Lastbell"));
        QCOMPARE(panel(f, 2), QString("Done"));
        QVERIFY(!f.child<QToolBar>("tbrGo")->isVisible());
        QVERIFY(f.child<QLabel>("lblCobbleton")->isVisible());
    }

    // With the Lastbell tab in front an item address leaves the menu item as the auction tab last set it.
    void snipeMenuKeepsItsStateBehindTheLastbellTab()
    {
        FMainFixture f;
        f.show();
        QAction* menu = action(f, "mnuNavigateSnipe");
        auto* box = f.child<QComboBox>("cboAddress");
        box->setEditText("http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=42");
        emit f.snipe->NavigateComplete2();
        QVERIFY(!menu->isEnabled());
        f.window->tabs()->setCurrentIndex(FMain::kAuctionTab);
        QVERIFY(menu->isEnabled());
        f.window->tabs()->setCurrentIndex(FMain::kLastbellTab);
        QVERIFY(menu->isEnabled());
        box->setEditText("http://www.ebay.com/");
        emit f.snipe->NavigateComplete2();
        QVERIFY(!menu->isEnabled());
    }

    void statusTextOnlyFromTheBrowserInFront()
    {
        FMainFixture f;
        f.show();
        f.window->tabs()->setCurrentIndex(1);
        emit f.snipe->StatusTextChange("from Lastbell");
        QCOMPARE(panel(f, 2), QString("Done"));
        emit f.auction->StatusTextChange("from the auction");
        QCOMPARE(panel(f, 2), QString("from the auction"));
    }

    void historyWithoutDuplicatesAndNoReentry()
    {
        FMainFixture f;
        f.show();
        const qsizetype before = f.auction->navigations.size();
        for (const QString& page : QStringList { "http://a/", "http://b/?item=5", "http://a/" }) {
            f.auction->address = page;
            emit f.auction->NavigateComplete2();
        }
        auto* box = f.child<QComboBox>("cboAddress");
        QCOMPARE(box->currentText(), QString("http://a/"));
        QCOMPARE(box->itemText(0), QString("http://a/"));
        QCOMPARE(box->itemText(1), QString("http://b/?item=5"));
        QCOMPARE(box->findText("http://a/"), 0);
        QCOMPARE(f.auction->navigations.size(), before); // selecting the first entry opened nothing
    }

    void addressBoxEnterAndGo()
    {
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->tabs()->setCurrentIndex(1);
        auto* box = f.child<QComboBox>("cboAddress");
        box->setEditText(QString());
        QCOMPARE(keyboard::clickInto(box), box);
        keyboard::press(Qt::Key_Return);
        QCOMPARE(f.auction->navigations.last().address, QString());
        const qsizetype count = f.auction->navigations.size();
        f.child<QToolBar>("tbrGo")->actions().first()->trigger();
        QCOMPARE(f.auction->navigations.size(), count);
        box->setEditText("http://cgi.ebay.com/x");
        f.child<QToolBar>("tbrGo")->actions().first()->trigger();
        QCOMPARE(f.auction->navigations.last().address, QString("http://cgi.ebay.com/x"));
    }

    void backFollowsTheTabInFront()
    {
        FMainFixture f;
        f.show();
        emit f.auction->CommandStateChange(platform::WebBrowser::kCommandBack, true);
        QVERIFY(!action(f, "Back")->isEnabled());
        action(f, "Back")->trigger();
        QVERIFY(f.snipe->commands.isEmpty());
        QVERIFY(f.auction->commands.isEmpty());
        f.window->tabs()->setCurrentIndex(1);
        QVERIFY(action(f, "Back")->isEnabled());
        action(f, "Back")->trigger();
        QCOMPARE(f.auction->commands, QStringList({ "back" }));
    }

    void homeAndPrintActOnTheTabInFront()
    {
        FMainFixture f;
        f.show();
        action(f, "mnumnuNavigatemnuNavigateHome")->trigger();
        QCOMPARE(f.snipe->navigations.last().address, QString("http://www.lastbell.com/secure/news.cfm?"));
        action(f, "mnuFilePrint")->trigger();
        QCOMPARE(f.snipe->commands, QStringList({ "print" }));
        f.window->tabs()->setCurrentIndex(1);
        action(f, "Home")->trigger();
        QCOMPARE(f.auction->navigations.last().address, f.window->GetSiteHomeAddress());
    }

    void openInAuctionBrowserSwitchesTabsFirst()
    {
        FMainFixture f;
        f.show();
        f.window->OpenInAuctionBrowser("http://cgi.ebay.com/a?item=1");
        QCOMPARE(f.window->tabs()->currentIndex(), 1);
        QCOMPARE(f.auction->navigations.last().address,
            QString("http://www.qksrv.net/click-1108872-5463217?loc=http%3A//cgi.ebay.com/a%3Fitem%3D1"));
    }

    void closeBoxWithoutUserAsksThenWaitsThenSaves()
    {
        FMainFixture f;
        f.show();
        QSignalSpy ended(f.window.get(), &FMain::ended);
        bool asked = false;
        whenModal([&](QWidget* dialog) {
            asked = true;
            QCOMPARE(dialog->windowTitle(), QString("Save your Lastbell Password"));
            dialog->findChild<QPushButton*>("cmdCancel")->click();
        });
        f.closeBox();
        QVERIFY(asked);
        QVERIFY(!f.window->isEnabled());
        QVERIFY(f.settings.writes.isEmpty());
        QCOMPARE(ended.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 4000);
        QCOMPARE(f.settings.values.value("Settings/Site"), QString("1"));
        QCOMPARE(f.settings.values.value("Settings/TextLabels"), QString());
        QVERIFY(f.settings.values.contains("Settings/TextLabels"));
    }

    void exitWithAUserAsksNothing()
    {
        FMainFixture f;
        f.settings.values.insert("Main/User", "demo");
        f.show();
        action(f, "mnuFileExit")->trigger();
        QVERIFY(!f.window->isEnabled());
        QVERIFY(f.settings.writes.isEmpty());
    }

    void shutdownSkipsTheDialogAndTheWait()
    {
        FMainFixture f;
        f.settings.values.insert("Settings/TextLabels", "N");
        f.show();
        QSignalSpy ended(f.window.get(), &FMain::ended);
        f.window->ShutDown();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(f.settings.values.value("Settings/TextLabels"), QString("N"));
        QCOMPARE(f.settings.values.value("Settings/Site"), QString("1"));
        f.window->ShutDown();
        QCOMPARE(ended.count(), 1); // settings are written once
    }

    // Settings that cannot be written: after an ordinary exit the user is told in a box, at a shutdown on
    // standard error; either way the program still ends.
    void unsavedSettingsAtTheEnd_data()
    {
        QTest::addColumn<bool>("shutdown");
        QTest::newRow("closed by the program") << false;
        QTest::newRow("shutdown") << true;
    }
    void unsavedSettingsAtTheEnd()
    {
        QFETCH(bool, shutdown);
        FMainFixture f;
        f.show();
        f.settings.failWrites = true;
        f.settings.failReason = "Permission denied";
        QSignalSpy ended(f.window.get(), &FMain::ended);
        if (shutdown) {
            QTest::ignoreMessage(
                QtCriticalMsg, "Lastbell Quillet: settings not saved to /home/user/settings.ini: Permission denied");
            f.window->ShutDown();
        } else {
            f.window->close();
        }
        QCOMPARE(ended.count(), 1);
        if (shutdown) {
            QVERIFY(f.messages.questions.isEmpty());
            return;
        }
        QCOMPARE(f.messages.questions.size(), 1);
        QCOMPARE(f.messages.questions[0].title, QString("Lastbell Quillet"));
        QCOMPARE(f.messages.questions[0].text,
            QString("Your choice of site and of button texts could not be saved.\r\r"
                    "/home/user/settings.ini:\rPermission denied"));
    }

    void openWindowsAreClosedLastOpenedFirst()
    {
        FMainFixture f;
        f.show();
        QStringList closed;
        QWidget first;
        QWidget second;
        first.setObjectName("first");
        second.setObjectName("second");
        first.show();
        second.show();
        struct Recorder : QObject {
            QStringList* log;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Close)
                    log->append(o->objectName());
                return false;
            }
        } recorder;
        recorder.log = &closed;
        first.installEventFilter(&recorder);
        second.installEventFilter(&recorder);
        f.window->ShutDown();
        QCOMPARE(closed, QStringList({ "second", "first" }));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_fmain.moc"
