// SPDX-License-Identifier: MIT
// The main window from the keyboard, every key sent to the widget that has the focus.
#include "tests/support/fmain_fixture.h"
#include "tests/support/keyboard.h"

#include <QComboBox>
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
};

QTEST_MAIN(TestMainWindowKeyboard)
#include "tst_fmain_keyboard.moc"
