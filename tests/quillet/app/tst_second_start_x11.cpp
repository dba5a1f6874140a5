// SPDX-License-Identifier: MIT
// The real Quillet started a second time by the same user, on a desktop with a window manager: the second start
// ends with 0 and has asked the service for nothing, and the first one's window is the active window again.
#include "tests/support/real_quillet.h"
#include "tests/support/simulator_process.h"
#include "tests/support/virtual_display.h"

#include <QDeadlineTimer>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace
{
const QString kLoginUrl = u"http://www.lastbell.com/secure/login.cfm"_s;
const QString kAuctionStart = u"http://www.ebay.com/"_s;
const QString kWelcome = u"Welcome to Lastbell Quillet"_s;
} // namespace

class TestSecondStartX11 : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;

    // The program's own requests for that address; reloads asked for with F5 are not counted.
    int count(const QString& url)
    {
        const QList<LoggedRequest> log = m_simulator.log();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&url](const LoggedRequest& request) {
            return request.url == url && request.header("Cache-Control") != "max-age=0";
        }));
    }

    // Another program's window, in front of Quillet's.
    std::shared_ptr<QProcess> windowInFront(const QString& title)
    {
        const std::shared_ptr<QProcess> other(new QProcess, [](QProcess* ended) {
            ended->kill();
            ended->waitForFinished();
            delete ended;
        });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_display.name());
        other->setProcessEnvironment(environment);
        other->start(u"xmessage"_s, { u"-title"_s, title, u"Another program"_s });
        const QString id = m_display.window(title);
        if (id.isEmpty() || !m_display.activate(id))
            return nullptr;
        return other;
    }

    // Waits until the second start has ended; its exit status, or -1 when it runs on.
    static int endedWith(QProcess& second)
    {
        const bool ended
            = QTest::qWaitFor([&second] { return second.state() == QProcess::NotRunning; }, VirtualDisplay::kWaitMs);
        return ended && second.exitStatus() == QProcess::NormalExit ? second.exitCode()
                                                                                                     : -1;
    }

    bool becomesActive(const QString& id) const
    {
        return QTest::qWaitFor(
            [&] { return m_display.xdotool({ u"getactivewindow"_s }) == id; }, VirtualDisplay::kWaitMs);
    }

private slots:
    void initTestCase()
    {
        if (!m_display.startDesktop())
            QSKIP("needs Xvfb, xdotool and openbox");
        QVERIFY(m_simulator.start());
    }

    void secondStartBringsTheRunningWindowForward()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        const QString window = quillet.startToMainWindow();
        QVERIFY2(!window.isEmpty(), qPrintable(quillet.report()));
        QVERIFY(quillet.requested(kLoginUrl, VirtualDisplay::kWaitMs));
        const int logins = count(kLoginUrl);
        const int auctionStarts = count(kAuctionStart);
        const auto other = windowInFront(u"In front of Quillet"_s);
        QVERIFY(other);

        QProcessEnvironment launcher;
        launcher.insert(u"DESKTOP_STARTUP_ID"_s, u"menu-launch-7"_s);
        const std::unique_ptr<QProcess> second = quillet.startAgain(launcher);
        QCOMPARE(endedWith(*second), 0);
        QVERIFY2(becomesActive(window), "the running window was not brought forward");
        QCOMPARE(m_display.xdotool({ u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Lastbell Quillet > "_s }),
            window); // one main window, the first
        // The launcher's id went to the window manager with the window.
        QProcess xprop;
        xprop.start(u"xprop"_s, { u"-display"_s, m_display.name(), u"-id"_s, window, u"_NET_STARTUP_ID"_s });
        QVERIFY(xprop.waitForFinished(VirtualDisplay::kWaitMs));
        QVERIFY2(xprop.readAll().contains("\"menu-launch-7\""), "no start-up id on the window");
        // The first program has handled the hand-over by now: a reload with F5 is seen after it.
        QVERIFY(quillet.handledEarlierEvents());
        QCOMPARE(count(kLoginUrl), logins);
        QCOMPARE(count(kAuctionStart), auctionStarts);
        QCOMPARE(quillet.process().state(), QProcess::Running);
    }

    void secondStartDuringTheWelcomeScreenBringsItForward()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        quillet.start(true);
        const QString welcome = m_display.window(kWelcome, VirtualDisplay::kFirstWindowWaitMs);
        QVERIFY2(!welcome.isEmpty(), qPrintable(quillet.report()));
        const auto other = windowInFront(u"In front of the welcome screen"_s);
        QVERIFY(other);

        const std::unique_ptr<QProcess> second = quillet.startAgain();
        QCOMPARE(endedWith(*second), 0);
        QVERIFY2(becomesActive(welcome), "the welcome screen was not brought forward");
        QCOMPARE(m_display.windows(kWelcome).size(), 1);
        // The first start goes on from its welcome screen as if nothing had happened.
        QVERIFY(m_display.pressReturnIn(kWelcome));
        QVERIFY(quillet.requested(kAuctionStart, VirtualDisplay::kFirstWindowWaitMs));
    }

    void startAfterTheFirstWasKilledRuns()
    {
        RealQuillet quillet(QStringLiteral(QUILLET_PATH), m_simulator, m_display);
        QVERIFY(quillet.layOut());
        QVERIFY2(!quillet.startToMainWindow().isEmpty(), qPrintable(quillet.report()));
        const int auctionStarts = count(kAuctionStart);
        quillet.process().kill(); // SIGKILL: its lock file and socket stay behind
        QVERIFY(quillet.process().waitForFinished(VirtualDisplay::kWaitMs));
        QVERIFY2(!quillet.startToMainWindow().isEmpty(), qPrintable(quillet.report()));
        QVERIFY(quillet.requested(kAuctionStart, VirtualDisplay::kWaitMs, auctionStarts + 1));
    }
};

QTEST_GUILESS_MAIN(TestSecondStartX11)
#include "tst_second_start_x11.moc"
