// SPDX-License-Identifier: MIT
// The real Quillet on a virtual display with a window manager, used as a new user would: the auction tab, a click
// into the address box, an address typed over the one shown, Enter; then the browser keys from the page. And a
// page that asks in a loop, which holds up its own view but never the close box.
#include "tests/support/real_quillet.h"
#include "tests/support/simulator_process.h"
#include "tests/support/virtual_display.h"

#include <QFile>
#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
constexpr int kWaitMs = 30000;
// The address box, counted from the window's top left corner: the design's left 1200 and top 390 twips on the
// auction tab (whose top is 660), under a menu bar about 21 pixels high, and well inside its 22 pixels' height.
const QPoint kAddressBox(1200 / 15 + 120, 21 + 660 / 15 + 26 + 11);
// A point well inside the page below it.
const QPoint kInThePage(300, 250);
} // namespace

class TestAddressBoxX11 : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;

private slots:
    void initTestCase()
    {
        if (!m_display.startDesktop())
            QSKIP("needs Xvfb, xdotool and openbox");
        QVERIFY(m_simulator.start());
    }

    void typedAddressOpensWithEnter()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        const QString window = quillet.startToMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(quillet.report()));
        QVERIFY(m_display.keys(window, { u"alt+a"_s })); // "&Auction Browser "
        QVERIFY(!m_display.window(u"Lastbell Quillet > eBay United States"_s).isEmpty());
        // Return, and Enter on the keypad.
        for (const QString& key : { u"Return"_s, u"KP_Enter"_s }) {
            const QString typed = u"http://www.ebay.com/typed-"_s + key;
            QVERIFY(m_display.click(window, kAddressBox));
            QVERIFY(m_display.keys(window, { u"ctrl+a"_s }));
            QVERIFY(m_display.type(window, typed));
            QVERIFY(m_display.keys(window, { key }));
            QVERIFY2(quillet.requested(typed, kWaitMs), qPrintable(key));
        }
        // F5 with the focus in the page asks for it again; Ctrl+Page Up brings the Lastbell tab forward.
        QVERIFY(m_display.click(window, kInThePage));
        QVERIFY(m_display.keys(window, { u"F5"_s }));
        QVERIFY(quillet.requested(u"http://www.ebay.com/typed-KP_Enter"_s, kWaitMs, 2));
        QVERIFY(m_display.keys(window, { u"ctrl+Prior"_s }));
        QVERIFY(!m_display.window(u"Lastbell Quillet > Lastbell - Login"_s).isEmpty());
    }

    // The close box still ends the program, in the usual way (status 0, the settings saved), while a page's alert
    // is up: a modal alert would have blocked the whole window, and the window manager's close request with it.
    void closeBoxEndsTheProgramWhileAPageAsks()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        {
            // A saved user: without one, the exit asks for the Lastbell login first.
            QSettings settings(quillet.settingsFile(), QSettings::IniFormat);
            settings.setValue(u"Main/User"_s, u"demo"_s);
            settings.setValue(u"Main/Password"_s, u"secret"_s);
        }
        const QString window = quillet.startToMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(quillet.report()));
        // Typed once the first page is in, which would otherwise put its address over the typing.
        QVERIFY(m_display.keys(window, { u"alt+a"_s }));
        QVERIFY(!m_display.window(u"Lastbell Quillet > eBay United States"_s).isEmpty());
        QVERIFY(m_display.keys(window, { u"ctrl+l"_s }));
        QVERIFY(m_display.type(window, u"http://pages.hostile.example/alerts"_s));
        QVERIFY(m_display.keys(window, { u"Return"_s }));
        QVERIFY(quillet.requested(u"http://pages.hostile.example/alerts"_s, kWaitMs));
        QVERIFY(!m_display.window(u"pages.hostile.example says"_s).isEmpty());
        QVERIFY(m_display.clickCloseBox(window));
        QProcess& program = quillet.process();
        QVERIFY2(QTest::qWaitFor([&program] { return program.state() == QProcess::NotRunning; }, kWaitMs),
            qPrintable(u"the program runs on behind the page's alert: "_s + quillet.report()));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QFile settings(quillet.settingsFile());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Site=1"));
    }
};

QTEST_GUILESS_MAIN(TestAddressBoxX11)
#include "tst_address_box_x11.moc"
