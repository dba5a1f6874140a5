// SPDX-License-Identifier: MIT
// The installed copy updated: the installed Freshbolt, against the local web service with a newer version
// published, replaces the installed program byte for byte, keeps it executable, leaves the link in bin pointing
// at it, and restarts it from the installed folder.
#include "installed_copy.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_signing.h"
#include "tests/support/virtual_display.h"

#include <QStandardPaths>
#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kWaitMs = 30000;

// A stand-in new program: it notes by which path it was started, in the folder it really lies in. What follows
// its exit makes it large enough to arrive in many pieces.
QByteArray newProgram()
{
    return "#!/bin/sh\necho \"$0\" >> \"$(dirname \"$(readlink -f \"$0\")\")/started\"\nexit 0\n"
        + generatedUpdateContent(300000);
}

std::filesystem::perms modeOf(const QString& path)
{
    return std::filesystem::status(path.toStdString()).permissions();
}

} // namespace

class TestInstallUpdate : public QObject
{
    Q_OBJECT
    InstalledCopy m_copy;
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!m_display.start())
            QSKIP("needs Xvfb and xdotool");
        QVERIFY2(m_copy.install(), m_copy.output().constData());
        QVERIFY(m_simulator.start());
    }

    void updatesInstalledCopyAndRestartsIt()
    {
        const QString program = m_copy.folder() + u"/Quillet"_s;
        const std::filesystem::perms installedMode = modeOf(program);
        QVERIFY(m_simulator.control(u"version?text=1.2.1"_s));
        QVERIFY(m_simulator.control(u"update-file?name=Quillet"_s, newProgram()));
        QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=7000"_s));
        QVERIFY(publishSigned(m_simulator, generatedUpdateContent(7000), newProgram()));

        // Started as Quillet starts it: by path, from wherever the user happened to be.
        QTemporaryDir elsewhere;
        QProcessEnvironment environment = m_simulator.proxyEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"DISPLAY"_s, m_display.name());
        QProcess freshbolt;
        freshbolt.setProcessEnvironment(environment);
        freshbolt.setWorkingDirectory(elsewhere.path());
        freshbolt.start(m_copy.folder() + u"/Freshbolt"_s, {});
        QVERIFY(freshbolt.waitForStarted());

        // "Yes" in the restart window, at its centre in pixels.
        QVERIFY(m_display.clickIn(u"Update Successful"_s, QPoint(82, 113)));
        QVERIFY(freshbolt.waitForFinished(kWaitMs));
        QCOMPARE(freshbolt.exitCode(), 0);
        QVERIFY(readFile(program) == newProgram());
        QCOMPARE(readFile(m_copy.folder() + u"/help/Quillet_help.htm"_s), generatedUpdateContent(7000));
        QCOMPARE(modeOf(program), installedMode);
        QVERIFY(QDir(m_copy.folder()).entryList({ u"*.download"_s }, QDir::Files).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(readFile(m_copy.folder() + u"/started"_s), (program + u'\n').toLocal8Bit(), kWaitMs);

        // The link in bin starts the new program too.
        QProcess link;
        link.start(m_copy.path(u"bin/quillet"_s), {});
        QVERIFY(link.waitForFinished(kWaitMs));
        QCOMPARE(link.exitCode(), 0);
        QCOMPARE(readFile(m_copy.folder() + u"/started"_s),
            (program + u'\n' + m_copy.path(u"bin/quillet"_s) + u'\n').toLocal8Bit());
    }
};

QTEST_GUILESS_MAIN(TestInstallUpdate)
#include "tst_install_update.moc"
