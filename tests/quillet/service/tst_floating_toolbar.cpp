// SPDX-License-Identifier: MIT
#include "quillet/service/ftoolbar.h"
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace quillet;

namespace
{

QLineEdit* itemBox(QWidget* toolbar)
{
    return toolbar->findChild<QLineEdit*>(QStringLiteral("txtItem"));
}

QAction* snipeButton(QWidget* toolbar)
{
    return toolbar->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions().first();
}

void pressSnipe(QWidget* toolbar)
{
    auto* bar = toolbar->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QTest::mouseClick(bar->widgetForAction(snipeButton(toolbar)), Qt::LeftButton);
}

void closeBox(QWidget* window)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    qApp->notify(window, &close);
}

void drop(QWidget* target, QMimeData* data)
{
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    // To the box's own handler: outside a real drag the application does not pass drops on.
    static_cast<QObject*>(target)->event(&event);
}

const QString kSetUp = QStringLiteral("http://www.lastbell.com/secure/login.cfm?item_number=");

} // namespace

class TestFloatingToolbar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void windowAndControls()
    {
        FToolbar toolbar;
        QCOMPARE(toolbar.windowTitle(), QString("Lastbell Quillet"));
        QVERIFY(toolbar.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(toolbar.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(toolbar.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        auto* label = toolbar.findChild<QLabel*>("lblItem");
        QCOMPARE(label->text(), QString("&eBay Item #"));
        QCOMPARE(label->buddy(), itemBox(&toolbar));
        QCOMPARE(snipeButton(&toolbar)->text(), QString("Snipe!"));
        QVERIFY(!snipeButton(&toolbar)->isEnabled());
        QCOMPARE(toolbar.ItemText(), QString());
        QVERIFY(!toolbar.WasClosed());
    }

    void focusMovesToTheItemBoxOnceShown()
    {
        FToolbar toolbar;
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowActive(&toolbar));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(itemBox(&toolbar)));
    }

    void enableRuleAsTyped()
    {
        FToolbar toolbar;
        toolbar.show();
        QLineEdit* box = itemBox(&toolbar);
        QTest::keyClicks(box, "1234567890");
        QVERIFY(snipeButton(&toolbar)->isEnabled());
        QTest::keyClick(box, Qt::Key_A);
        QVERIFY(!snipeButton(&toolbar)->isEnabled());
        QTest::keyClick(box, Qt::Key_Backspace);
        QVERIFY(snipeButton(&toolbar)->isEnabled());
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QString());
        QVERIFY(!snipeButton(&toolbar)->isEnabled());
    }

    void dropReplacesTheWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("number over number") << "987654"
                                            << ""
                                            << "987654" << true;
        QTest::newRow("a link stays whole and disables Snipe!")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?item=1"
            << ""
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?item=1" << false;
        QTest::newRow("an address without text") << ""
                                                 << "http://cgi.ebay.com/x?item=5"
                                                 << "http://cgi.ebay.com/x?item=5" << false;
        QTest::newRow("an item page gives its number") << "https://www.ebay.com/itm/186543210987?hash=item2b"
                                                       << ""
                                                       << "186543210987" << true;
        QTest::newRow("an item page with words, dragged as a link")
            << ""
            << "http://www.ebay.co.uk/itm/Vintage-Brass-Compass/186543210987#desc"
            << "186543210987" << true;
        QTest::newRow("/itm/ on another host stays whole") << "https://notebay.com/itm/186543210987"
                                                           << ""
                                                           << "https://notebay.com/itm/186543210987" << false;
        QTest::newRow("nothing readable leaves the box alone") << ""
                                                               << ""
                                                               << "12345" << true;
    }
    void dropReplacesTheWholeText()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        QFETCH(QString, result);
        QFETCH(bool, enabled);
        FToolbar toolbar;
        toolbar.show();
        QLineEdit* box = itemBox(&toolbar);
        QTest::keyClicks(box, "12345");
        box->setCursorPosition(2);
        QMimeData data;
        if (!text.isEmpty())
            data.setText(text);
        if (!url.isEmpty())
            data.setUrls({ QUrl(url) });
        if (text.isEmpty() && url.isEmpty())
            data.setData("application/octet-stream", "\x01\x02");
        drop(box, &data);
        QCOMPARE(box->text(), result);
        QCOMPARE(snipeButton(&toolbar)->isEnabled(), enabled);
    }

    void closeBoxBringsTheMainWindowBackWithNoRequest()
    {
        FMainFixture f;
        f.show();
        f.window->tabs()->setCurrentIndex(1);
        const qsizetype before = f.snipe->navigations.size();
        bool mainHidden = false;
        whenModal([&](QWidget* toolbar) {
            mainHidden = !f.window->isVisible();
            QTest::keyClicks(itemBox(toolbar), "1234567890");
            closeBox(toolbar);
        });
        f.window->ShowFloatingToolbar();
        QVERIFY(mainHidden);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.snipe->navigations.size(), before);
        QCOMPARE(f.window->tabs()->currentIndex(), 1);
    }

    // From the keyboard alone: Ctrl+T, the number, Enter.
    void enterInTheItemBoxPressesSnipe_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("sniped");
        QTest::newRow("a number") << "2345678901" << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter after a number") << "2345678901" << int(Qt::Key_Enter) << true;
        QTest::newRow("a stray letter: Snipe! is disabled") << "23456a" << int(Qt::Key_Return) << false;
        QTest::newRow("nothing typed") << "" << int(Qt::Key_Return) << false;
    }
    void enterInTheItemBoxPressesSnipe()
    {
        QFETCH(QString, typed);
        QFETCH(bool, sniped);
        QFETCH(int, key);
        const auto enter = Qt::Key(key);
        FMainFixture f;
        f.show();
        f.window->tabs()->setCurrentIndex(1);
        const qsizetype before = f.snipe->navigations.size();
        bool stayedUp = false;
        whenModal([&](QWidget* toolbar) {
            QVERIFY(QTest::qWaitForWindowActive(toolbar));
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(itemBox(toolbar)));
            keyboard::type(typed);
            keyboard::press(enter, enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            stayedUp = toolbar->isVisible();
            if (stayedUp)
                closeBox(toolbar);
        });
        f.window->ShowFloatingToolbar();
        QCOMPARE(stayedUp, !sniped);
        QVERIFY(f.window->isVisible());
        if (sniped) {
            QCOMPARE(f.window->tabs()->currentIndex(), 0);
            QCOMPARE(f.snipe->navigations.last().address, kSetUp + typed);
        } else {
            QCOMPARE(f.snipe->navigations.size(), before);
        }
    }

    void snipeBringsTheMainWindowBackOnTheSetUpPage()
    {
        FMainFixture f;
        f.show();
        f.window->tabs()->setCurrentIndex(1);
        QString captured;
        whenModal([&](QWidget* toolbar) {
            // Blanks around a number pass the test, and the item goes out exactly as typed.
            QTest::keyClicks(itemBox(toolbar), " 1234567890 ");
            pressSnipe(toolbar);
            captured = static_cast<FToolbar*>(toolbar)->ItemText();
        });
        f.window->ShowFloatingToolbar();
        QCOMPARE(captured, QString(" 1234567890 "));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->tabs()->currentIndex(), 0);
        QCOMPARE(f.snipe->navigations.last().address, kSetUp + " 1234567890 ");
        QVERIFY(!f.snipe->navigations.last().isPost);
    }

    void toolbarButtonAndCtrlTOpenIt_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("button 7") << false;
        QTest::newRow("Ctrl+T in the address box") << true;
    }
    void toolbarButtonAndCtrlTOpenIt()
    {
        QFETCH(bool, byKey);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->tabs()->setCurrentIndex(1);
        auto* box = f.child<QComboBox>("cboAddress");
        QCOMPARE(keyboard::clickInto(box), box);
        QString opened;
        whenModal([&](QWidget* toolbar) {
            opened = toolbar->objectName();
            closeBox(toolbar);
        });
        if (byKey)
            keyboard::press(Qt::Key_T, Qt::ControlModifier);
        else
            f.child<QAction>("Toolbar2")->trigger();
        QCOMPARE(opened, QString("FToolbar"));
    }

    void snipeCurrentAuction_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ten digits") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890"
                                    << kSetUp + "1234567890";
        QTest::newRow("the rest after &")
            << "http://cgi.ebay.com/ws/eBayISAPI.dll?item=1234&category=56" << kSetUp + "1234&category=56";
        QTest::newRow("/itm/ number") << "https://www.ebay.co.uk/itm/186543210987?hash=item2b6e1c0f3b:g:AbCd"
                                      << kSetUp + "186543210987";
        QTest::newRow("/itm/ words and number")
            << "https://www.ebay.com/itm/Vintage-Brass-Compass-Boxed/186543210987?var=0" << kSetUp + "186543210987";
    }
    void snipeCurrentAuction()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        FMainFixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->tabs()->setCurrentIndex(1);
        auto* box = f.child<QComboBox>("cboAddress");
        box->setEditText(address);
        emit f.auction->ProgressChange(); // any browser event refreshes the window
        QVERIFY(f.child<QAction>("mnuNavigateSnipe")->isEnabled());
        // The menu's Ctrl+Z wins over the box's own undo.
        QCOMPARE(keyboard::clickInto(box), box);
        keyboard::press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.snipe->navigations.last().address, expected);
        QCOMPARE(f.window->tabs()->currentIndex(), 0);
        QCOMPARE(box->currentText(), address);
    }

    void snipeButtonAfterTypingOverTheAddress()
    {
        FMainFixture f;
        f.show();
        f.window->tabs()->setCurrentIndex(1);
        auto* box = f.child<QComboBox>("cboAddress");
        box->setEditText("http://cgi.ebay.com/x?item=42");
        emit f.auction->ProgressChange(); // any browser event refreshes the window
        box->setEditText("http://www.ebay.com/");
        f.child<QToolBar>("tbrSnipe")->actions().first()->trigger();
        QCOMPARE(f.snipe->navigations.last().address, kSetUp);
        QCOMPARE(f.window->tabs()->currentIndex(), 0);
    }
};

QTEST_MAIN(TestFloatingToolbar)
#include "tst_floating_toolbar.moc"
