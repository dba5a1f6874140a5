// SPDX-License-Identifier: MIT
// The real Quillet's start in a throw-away program folder on a virtual display: a log-off at the welcome screen,
// and the version check, which offers a newer published version; "Update Now" starts Freshbolt from the program
// folder and ends Quillet.
#include "tests/support/simulator_process.h"
#include "tests/support/virtual_display.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
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
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_quillet;

    QString programFolder() const { return m_home->filePath("program"); }

    // The built program, and a stand-in Freshbolt that only says it was started.
    bool layOutProgramFolder()
    {
        QDir().mkpath(programFolder());
        QFile freshbolt(programFolder() + "/Freshbolt");
        if (!QFile::copy(QUILLET_PATH, programFolder() + "/Quillet") || !freshbolt.open(QIODevice::WriteOnly))
            return false;
        freshbolt.write("#!/bin/sh\necho started > \"$(dirname \"$0\")/freshbolt-started\"\n");
        freshbolt.close();
        return freshbolt.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void startQuillet(bool welcome = false)
    {
        QProcessEnvironment environment = m_simulator.proxyEnvironment();
        environment.insert("DISPLAY", m_display.name());
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        environment.insert("XDG_DATA_HOME", m_home->filePath("data"));
        environment.insert("XDG_CACHE_HOME", m_home->filePath("cache"));
        QSettings settings(m_home->filePath("config/Lastbell Quillet/Lastbell Quillet.ini"), QSettings::IniFormat);
        if (!welcome) {
            settings.setValue("Settings/StartScreen", "N");
            settings.sync();
        }
        m_quillet.setProcessEnvironment(environment);
        m_quillet.start(programFolder() + "/Quillet", {});
    }

    // What the program said, for a window that never came.
    QString quilletReport()
    {
        const QString state = m_quillet.state() == QProcess::NotRunning
            ? "Quillet ended with " + QString::number(m_quillet.exitCode())
            : QString("Quillet still runs");
        return state + "; it wrote:\n" + QString::fromLocal8Bit(m_quillet.readAllStandardError());
    }

    bool versionPageAnswered()
    {
        for (const LoggedRequest& request : m_simulator.log()) {
            if (request.url == "http://www.cobbleton.com/quillet/QuilletVersion.html")
                return true;
        }
        return false;
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
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(layOutProgramFolder());
        m_simulator.clearLog();
    }
    void cleanup()
    {
        m_quillet.kill();
        m_quillet.waitForFinished();
    }

    void logOffAtTheWelcomeScreenEndsTheProgram()
    {
        startQuillet(true);
        QVERIFY2(!m_display.window("Welcome to Lastbell Quillet", VirtualDisplay::kFirstWindowWaitMs).isEmpty(),
            qPrintable(quilletReport()));
        m_quillet.terminate();
        QVERIFY(m_quillet.waitForFinished(kWaitMs));
        QCOMPARE(m_quillet.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_quillet.exitCode(), 0);
        QVERIFY(m_simulator.log().isEmpty()); // no page was asked for
        QVERIFY(!QFile::exists(m_home->filePath("config/Lastbell Quillet/Lastbell Quillet.ini")));
    }

    void newerVersionIsOfferedAndUpdateNowHandsOver()
    {
        QVERIFY(m_simulator.control("/__control/version?text=1.2.1"));
        startQuillet();
        // "Update Now" sits at 555, 2145 twips, 2415 x 435.
        QVERIFY2(m_display.clickIn(kOffer, QPoint((555 + 2415 / 2) / 15, (2145 + 435 / 2) / 15)),
            qPrintable(quilletReport()));
        QVERIFY(m_quillet.waitForFinished(kWaitMs));
        QCOMPARE(m_quillet.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(programFolder() + "/freshbolt-started"), kWaitMs);
        // A close by the program: the settings are saved, the exit command's dialog and wait are skipped.
        QSettings settings(m_home->filePath("config/Lastbell Quillet/Lastbell Quillet.ini"), QSettings::IniFormat);
        QCOMPARE(settings.value("Settings/Site").toString(), QString("1"));
    }

    void sameVersionShowsNothing()
    {
        QVERIFY(m_simulator.control("/__control/version?text=1.2.0"));
        startQuillet();
        QTRY_VERIFY_WITH_TIMEOUT(versionPageAnswered(), kWaitMs);
        // Give a prompt the time it would need to appear, then make sure none did.
        QTest::qWait(1500);
        QVERIFY(m_display.xdotool({ "search", "--onlyvisible", "--name", "^" + kOffer + "$" }).isEmpty());
        QCOMPARE(m_quillet.state(), QProcess::Running);
        QVERIFY(!QFile::exists(programFolder() + "/freshbolt-started"));
    }
};

QTEST_GUILESS_MAIN(TestUpdateOffer)
#include "tst_update_offer.moc"
