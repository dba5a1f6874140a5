// SPDX-License-Identifier: MIT
// The main window from the keyboard, every key sent to the widget that has the focus.
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quillet;

class TestMainWindowKeyboard : public QObject
{
    Q_OBJECT

    // The window up with the auction tab in front and the address box holding the focus as a click gives it.
    static bool intoTheAddressBox(FMainFixture& f)
    {
        f.show();
        if (!QTest::qWaitForWindowActive(f.window.get()))
            return false;
        f.window->tabs()->setCurrentIndex(FMain::kAuctionTab);
        auto* box = f.child<QComboBox>("cboAddress");
        return keyboard::clickInto(box) == box;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void enterInTheAddressBoxOpensItsText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("keys"); // pressed after the typing; the last one is Enter
        QTest::addColumn<QString>("opened");
        const QString typed = QStringLiteral("http://www.ebay.com/typed0");
        QTest::newRow("Return") << typed << QList<int> { Qt::Key_Return } << typed;
        QTest::newRow("Enter on the keypad") << typed << QList<int> { Qt::Key_Enter } << typed;
        QTest::newRow("Escape, then Return") << typed << QList<int> { Qt::Key_Escape, Qt::Key_Return } << typed;
        // The design opens even an empty box.
        QTest::newRow("empty box") << QString() << QList<int> { Qt::Key_Return } << QString();
        // The box completes from its history as it is typed in: the completed address opens, once.
        QTest::newRow("completed from the history")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?View" << QList<int> { Qt::Key_Return }
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890";
    }
    void enterInTheAddressBoxOpensItsText()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, keys);
        QFETCH(QString, opened);
        FMainFixture f;
        QVERIFY(intoTheAddressBox(f));
        f.auction->address = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890";
        emit f.auction->NavigateComplete2();
        const qsizetype before = f.auction->navigations.size();
        keyboard::press(Qt::Key_A, Qt::ControlModifier);
        if (typed.isEmpty())
            keyboard::press(Qt::Key_Delete);
        keyboard::type(typed);
        for (const int key : keys)
            keyboard::press(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(f.auction->navigations.size(), before + 1);
        QCOMPARE(f.auction->navigations.last().address, opened);
    }

    // The keys every browser has, beside the menus: on the browser in front, from the address box or the page.
    void browserKeys_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("inPage"); // the focus in the browser in front, else in the address box
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("lastbell"); // the Lastbell browser's commands afterwards
        QTest::addColumn<QStringList>("auction");
        QTest::addColumn<int>("tabAfter");
        const int alt = Qt::AltModifier;
        const int ctrl = Qt::ControlModifier;
        const QStringList none;
        const int lastbell = FMain::kLastbellTab;
        const int auction = FMain::kAuctionTab;
        QTest::newRow("Alt+Left in the address box")
            << auction << false << int(Qt::Key_Left) << alt << none << QStringList { "back" } << auction;
        QTest::newRow("Alt+Left in the auction page")
            << auction << true << int(Qt::Key_Left) << alt << none << QStringList { "back" } << auction;
        QTest::newRow("Alt+Right in the Lastbell page")
            << lastbell << true << int(Qt::Key_Right) << alt << QStringList { "forward" } << none << lastbell;
        QTest::newRow("F5 in the address box")
            << auction << false << int(Qt::Key_F5) << 0 << none << QStringList { "refresh" } << auction;
        QTest::newRow("F5 in the Lastbell page")
            << lastbell << true << int(Qt::Key_F5) << 0 << QStringList { "refresh" } << none << lastbell;
        QTest::newRow("Ctrl+PgDown: the next tab")
            << lastbell << true << int(Qt::Key_PageDown) << ctrl << none << none << auction;
        QTest::newRow("Ctrl+PgDown from the last tab: the first")
            << auction << false << int(Qt::Key_PageDown) << ctrl << none << none << lastbell;
        QTest::newRow("Ctrl+PgUp: the previous tab")
            << auction << true << int(Qt::Key_PageUp) << ctrl << none << none << lastbell;
        QTest::newRow("Ctrl+PgUp from the first tab: the last")
            << lastbell << true << int(Qt::Key_PageUp) << ctrl << none << none << auction;
    }
    void browserKeys()
    {
        QFETCH(int, tab);
        QFETCH(bool, inPage);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        for (platform::FakeWebBrowser* browser : { f.snipe, f.auction }) {
            emit browser->CommandStateChange(platform::WebBrowser::kCommandBack, true);
            emit browser->CommandStateChange(platform::WebBrowser::kCommandForward, true);
        }
        f.window->tabs()->setCurrentIndex(tab);
        QWidget* control = !inPage       ? static_cast<QWidget*>(f.child<QComboBox>("cboAddress"))
            : tab == FMain::kLastbellTab ? f.snipe->widget()
                                         : f.auction->widget();
        QCOMPARE(keyboard::clickInto(control), control);
        keyboard::press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(f.snipe->commands, "lastbell");
        QTEST(f.auction->commands, "auction");
        QTEST(f.window->tabs()->currentIndex(), "tabAfter");
    }

    // The address box from anywhere, as in every browser: the auction tab comes forward, the text is selected to
    // type over.
    void addressBoxKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(Qt::ControlModifier);
        QTest::newRow("Alt+D") << int(Qt::Key_D) << int(Qt::AltModifier);
        QTest::newRow("F6") << int(Qt::Key_F6) << 0;
    }
    void addressBoxKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.auction->address = "http://www.ebay.com/shown";
        emit f.auction->NavigateComplete2();
        f.window->tabs()->setCurrentIndex(FMain::kLastbellTab);
        QCOMPARE(keyboard::clickInto(f.snipe->widget()), f.snipe->widget());
        keyboard::press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.window->tabs()->currentIndex(), int(FMain::kAuctionTab));
        auto* box = f.child<QComboBox>("cboAddress");
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->lineEdit()->selectedText(), QString("http://www.ebay.com/shown"));
        // Typing replaces it.
        keyboard::type("www.ebay.de");
        QCOMPARE(box->currentText(), QString("www.ebay.de"));
    }

    // A tab a command brings forward has the keyboard in its page: the service's bid form takes typing at once.
    void commandsGiveTheirTabsPageTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("tabAfter");
        QTest::newRow("Snipe!") << int(Qt::Key_Z) << int(Qt::ControlModifier) << int(FMain::kLastbellTab);
        QTest::newRow("Ctrl+PgDown") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << int(FMain::kLastbellTab);
    }
    void commandsGiveTheirTabsPageTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, tabAfter);
        FMainFixture f;
        QVERIFY(intoTheAddressBox(f));
        f.auction->address = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890";
        emit f.auction->NavigateComplete2();
        // From the tab bar, which stays shown whichever tab is in front (a hidden control hands the focus on).
        f.window->tabs()->tabBar()->setFocus(Qt::MouseFocusReason);
        QVERIFY(f.window->tabs()->tabBar()->hasFocus());
        keyboard::press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.window->tabs()->currentIndex(), tabAfter);
        QWidget* page = tabAfter == FMain::kLastbellTab ? f.snipe->widget() : f.auction->widget();
        QVERIFY2(page->hasFocus() || page->isAncestorOf(QApplication::focusWidget()),
            qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "nothing"));
    }

    // The keys go by the flags the menu items go by: a browser that cannot go back is not told to.
    void altLeftWhenTheBrowserCannotGoBack()
    {
        FMainFixture f;
        QVERIFY(intoTheAddressBox(f));
        keyboard::press(Qt::Key_Left, Qt::AltModifier);
        QVERIFY(f.auction->commands.isEmpty());
        QVERIFY(f.snipe->commands.isEmpty());
    }
};

QTEST_MAIN(TestMainWindowKeyboard)
#include "tst_fmain_keyboard.moc"
