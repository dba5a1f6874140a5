// SPDX-License-Identifier: MIT
// The real Quillet on a virtual display with a window manager, keyboard only: a fresh sellers list, its first
// row chosen with Home, Go! with Enter.
#include "tests/support/real_quillet.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/virtual_display.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace
{
constexpr int kWaitMs = 30000;
} // namespace

class TestFavoriteUsersX11 : public QObject
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

    void homeThenEnterOpensTheFirstSeller()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        QVERIFY(writeFile(quillet.programFolder() + u"/Sellers.txt"_s, "zed\r\nalice\r\nBob\r\n"));
        const QString window = quillet.startToMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(quillet.report()));
        QVERIFY(m_display.keys(window, { u"alt+v"_s, u"s"_s })); // "Fa&vorites", "Favorite eBay &Sellers..."
        const QString list = m_display.window(u"Favorite Sellers List"_s);
        QVERIFY(!list.isEmpty());
        QVERIFY(m_display.keys(list, { u"Home"_s, u"Return"_s }));
        QVERIFY(quillet.requested(u"http://cgi6.ebay.com/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems"
                                  u"&userid=alice&include=0&since=-1&sort=2&rows=25"_s,
            kWaitMs));
    }
};

QTEST_GUILESS_MAIN(TestFavoriteUsersX11)
#include "tst_favorite_users_x11.moc"
