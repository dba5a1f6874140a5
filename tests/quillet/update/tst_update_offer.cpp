// SPDX-License-Identifier: MIT
// The real Quillet's start in a throw-away program folder on a virtual display: a log-off at the welcome screen,
// and the version check, which offers a newer published version; "Update Now" starts Freshbolt from the program
// folder and ends Quillet.
#include "tests/support/real_quillet.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_signing.h"
#include "tests/support/virtual_display.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

namespace
{
constexpr int kWaitMs = 30000;
const QString kOffer = "New Version Available";
} // namespace

class TestUpdateOffer : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;
    std::unique_ptr<RealQuillet> m_quillet;

    QString programFolder() const { return m_quillet->programFolder(); }

    // The built program, and a stand-in Freshbolt that only says it was started.
    bool layOutProgramFolder()
    {
        QFile freshbolt(programFolder() + "/Freshbolt");
        if (!m_quillet->layOut() || !freshbolt.open(QIODevice::WriteOnly))
            return false;
        freshbolt.write("#!/bin/sh\necho started > \"$(dirname \"$0\")/freshbolt-started\"\n");
        freshbolt.close();
        return freshbolt.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!m_display.start())
            QSKIP("needs Xvfb and xdotool");
        QVERIFY(m_simulator.start());
    }
    void init()
    {
        m_quillet = std::make_unique<RealQuillet>(QUILLET_PATH, m_simulator, m_display);
        QVERIFY(layOutProgramFolder());
        m_simulator.clearLog();
    }
    void cleanup() { m_quillet.reset(); }

    void logOffAtTheWelcomeScreenEndsTheProgram()
    {
        m_quillet->start(true);
        QVERIFY2(!m_display.window("Welcome to Lastbell Quillet", VirtualDisplay::kFirstWindowWaitMs).isEmpty(),
            qPrintable(m_quillet->report()));
        QProcess& quillet = m_quillet->process();
        quillet.terminate();
        QVERIFY(quillet.waitForFinished(kWaitMs));
        QCOMPARE(quillet.exitStatus(), QProcess::NormalExit);
        QCOMPARE(quillet.exitCode(), 0);
        QVERIFY(m_simulator.log().isEmpty()); // no page was asked for
        QVERIFY(!QFile::exists(m_quillet->settingsFile()));
    }

    void newerVersionIsOfferedAndUpdateNowHandsOver()
    {
        QVERIFY(m_simulator.control("/__control/version?text=1.3.0"));
        QVERIFY(publishSigned(m_simulator, "help", "program"));
        m_quillet->start();
        // "Update Now" sits at 555, 2145 twips, 2415 x 435.
        QVERIFY2(m_display.clickIn(kOffer, QPoint((555 + 2415 / 2) / 15, (2145 + 435 / 2) / 15)),
            qPrintable(m_quillet->report()));
        QVERIFY(m_quillet->process().waitForFinished(kWaitMs));
        QCOMPARE(m_quillet->process().exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(programFolder() + "/freshbolt-started"), kWaitMs);
        // A close by the program: the settings are saved, the exit command's dialog and wait are skipped.
        QSettings settings(m_quillet->settingsFile(), QSettings::IniFormat);
        QCOMPARE(settings.value("Settings/Site").toString(), QString("1"));
    }

    void sameVersionShowsNothing()
    {
        QVERIFY(m_simulator.control("/__control/version?text=1.2.0"));
        m_quillet->start();
        QVERIFY(m_quillet->requested("http://www.cobbleton.com/quillet/QuilletVersion.html", kWaitMs));
        // Give a prompt the time it would need to appear, then make sure none did.
        QTest::qWait(1500);
        QVERIFY(m_display.xdotool({ "search", "--onlyvisible", "--name", "^" + kOffer + "$" }).isEmpty());
        QCOMPARE(m_quillet->process().state(), QProcess::Running);
        QVERIFY(!QFile::exists(programFolder() + "/freshbolt-started"));
    }
};

QTEST_GUILESS_MAIN(TestUpdateOffer)
#include "tst_update_offer.moc"
