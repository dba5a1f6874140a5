// SPDX-License-Identifier: MIT
// The real Quillet's start in a throw-away program folder on a virtual display: a log-off at the welcome screen,
// and the version check, which offers a newer published version; "Update Now" starts Freshbolt from the program
// folder and ends Quillet. And the whole update as the maker publishes it and a user takes it: scripts/publish
// writes the server tree, the local web service serves it, Quillet offers it, the real Freshbolt installs it and
// restarts the new program; a publication changed on the server is neither offered nor installed.
#include "platform/trust/release_floor.h"
#include "platform/trust/update_verification.h"
#include "tests/support/real_quillet.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_signing.h"
#include "tests/support/virtual_display.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace
{
constexpr int kWaitMs = 30000;
const QString kOffer = "New Version Available";
const QString kUpdateFolder = u"http://www.cobbleton.com/downloads/updates/quillet/"_s;

// The new release: a stand-in program that notes that it was started, large enough to arrive in many pieces.
QByteArray newProgram()
{
    // As every build does, it says how new it is, which the maker's publish command reads.
    return "#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\nexit 0\n"
        + QByteArray(platform::kReleaseFloorPrefix) + QByteArray::number(platform::ReleaseFloor()) + '\n'
        + generatedUpdateContent(300000);
}

} // namespace

class TestUpdateOffer : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;
    VirtualDisplay m_display;
    std::unique_ptr<RealQuillet> m_quillet;

    QString programFolder() const { return m_quillet->programFolder(); }
    QTemporaryDir m_work;

    QString published(const QString& name) const { return m_work.filePath(u"out/downloads/updates/quillet/"_s + name); }

    // The release folder the maker publishes from, through the maker's command, with the build's test key.
    bool publish(quint64 sequence)
    {
        const QString release = m_work.filePath(u"release"_s);
        if (!QDir().mkpath(release + u"/help"_s) || !writeFile(release + u"/Quillet"_s, newProgram())
            || !writeFile(release + u"/help/Quillet_help.htm"_s, generatedUpdateContent(7000)))
            return false;
        QProcess publish;
        publish.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        publish.start(u"" PUBLISH_SCRIPT ""_s,
            { u"--key"_s, testSecretKey(), u"--version"_s, u"1.3.0"_s, u"--sequence"_s, QString::number(sequence),
                release, m_work.filePath(u"out"_s) });
        return publish.waitForFinished(kWaitMs) && publish.exitStatus() == QProcess::NormalExit
            && publish.exitCode() == 0;
    }
    bool serve()
    {
        return m_simulator.control(u"published?dir="_s + QUrl::toPercentEncoding(m_work.filePath(u"out"_s)));
    }

    QStringList askedOfUpdateFolder()
    {
        QStringList names;
        for (const LoggedRequest& request : m_simulator.log())
            if (request.url.startsWith(kUpdateFolder))
                names.append(request.url.mid(kUpdateFolder.size()));
        return names;
    }

    QProcessEnvironment freshboltEnvironment() const
    {
        QProcessEnvironment environment = m_simulator.proxyEnvironment();
        environment.insert(u"DISPLAY"_s, m_display.name());
        environment.remove(u"QT_QPA_PLATFORM"_s);
        return environment;
    }

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

    // Quillet ends by itself after "Update Now"; it may have ended before the test looks, and a finished process
    // has nothing left to wait for.
    bool quilletEnded()
    {
        return m_quillet->process().state() == QProcess::NotRunning || m_quillet->process().waitForFinished(kWaitMs);
    }

    // "Update Now" in the offer, which comes after the program's first window and three requests: on a busy
    // machine it may take as long as a first window.
    bool answerOffer() const
    {
        // "Update Now" sits at 555, 2145 twips, 2415 x 435.
        return !m_display.window(kOffer, VirtualDisplay::kFirstWindowWaitMs).isEmpty()
            && m_display.clickIn(kOffer, QPoint((555 + 2415 / 2) / 15, (2145 + 435 / 2) / 15));
    }

    // For a window that never came: the updater's windows that are up, whether it runs at all, and what it asked
    // of the update folder.
    QString whatFreshboltShows()
    {
        QStringList shown;
        for (const QString& title : { u"Freshbolt"_s, u"Error Downloading File"_s, u"Updating Lastbell Quillet"_s })
            if (!m_display.windows(title).isEmpty())
                shown.append(title);
        const bool running = QProcess::execute(u"pgrep"_s, { u"-f"_s, programFolder() + u"/Freshbolt"_s }) == 0;
        return u"windows up: "_s + shown.join(u", "_s) + (running ? u"; Freshbolt runs"_s : u"; no Freshbolt runs"_s)
            + u"; asked: "_s + askedOfUpdateFolder().join(u", "_s);
    }

    // The real Freshbolt in place of the stand-in, and an installed help file for it to replace.
    bool withRealFreshbolt()
    {
        const QString freshbolt = programFolder() + "/Freshbolt";
        return QFile::remove(freshbolt) && QFile::copy(FRESHBOLT_PATH, freshbolt)
            && QDir().mkpath(programFolder() + "/help")
            && writeFile(programFolder() + "/help/Quillet_help.htm", "old help");
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
        QVERIFY2(answerOffer(), qPrintable(m_quillet->report() + whatFreshboltShows()));
        QVERIFY(quilletEnded());
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
        QVERIFY(m_quillet->answered("http://www.cobbleton.com/quillet/QuilletVersion.html", kWaitMs));
        // The reply has been handled once the program has handled what came after it; a prompt would be up by then.
        QVERIFY(m_quillet->handledEarlierEvents());
        QVERIFY(m_display.xdotool({ "search", "--onlyvisible", "--name", "^" + kOffer + "$" }).isEmpty());
        QCOMPARE(m_quillet->process().state(), QProcess::Running);
        QVERIFY(!QFile::exists(programFolder() + "/freshbolt-started"));
    }

    void offeredInstalledAndRestarted()
    {
        QVERIFY(withRealFreshbolt());
        QVERIFY(publish(acceptedSequence(5000)));
        QVERIFY(serve());
        m_quillet->start();
        QVERIFY2(answerOffer(), qPrintable(m_quillet->report() + whatFreshboltShows()));
        QVERIFY(quilletEnded());

        // Quillet's check, then Freshbolt's own, then the files; "Yes" in the restart window starts the new one.
        // Freshbolt's first window, on a busy machine, may take as long as any program's first window.
        QVERIFY2(!m_display.window(u"Update Successful"_s, VirtualDisplay::kFirstWindowWaitMs).isEmpty(),
            qPrintable(whatFreshboltShows()));
        QVERIFY(m_display.clickIn(u"Update Successful"_s, QPoint(82, 113)));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(programFolder() + u"/started"_s), QByteArray("started\n"), kWaitMs);
        QVERIFY(readFile(programFolder() + u"/Quillet"_s) == newProgram());
        QCOMPARE(readFile(programFolder() + u"/help/Quillet_help.htm"_s), generatedUpdateContent(7000));
        const std::optional<platform::InstalledRelease> recorded = platform::ReadInstalledRelease(
            readFile(programFolder() + u"/" + QLatin1String(platform::kInstalledReleaseName)));
        QVERIFY(recorded);
        QCOMPARE(recorded->sequence, acceptedSequence(5000));
        QCOMPARE(recorded->manifestSha256, sha256(readFile(published(u"update.manifest"_s))));
        QCOMPARE(askedOfUpdateFolder(),
            QStringList({ u"update.manifest"_s, u"update.manifest.minisig"_s, u"update.manifest"_s,
                u"update.manifest.minisig"_s, u"Quillet_help.htm"_s, u"Quillet"_s }));
    }

    // One byte of the program changed on the server, and its manifest line made to match: the signature no longer
    // holds, so Quillet offers nothing and Freshbolt, started by hand, refuses before it fetches a file.
    void changedOnTheServerIsRefused()
    {
        QVERIFY(withRealFreshbolt());
        QVERIFY(publish(acceptedSequence(5001)));
        QByteArray program = readFile(published(u"Quillet"_s));
        const QByteArray signedHash = sha256(program).toHex();
        program[program.size() / 2] = char(program[program.size() / 2] ^ 0x01);
        QVERIFY(writeFile(published(u"Quillet"_s), program));
        QVERIFY(writeFile(published(u"update.manifest"_s),
            readFile(published(u"update.manifest"_s)).replace(signedHash, sha256(program).toHex())));
        QVERIFY(serve());
        const QByteArray before = readFile(programFolder() + u"/Quillet"_s);

        m_quillet->start();
        QVERIFY2(m_quillet->answered(kUpdateFolder + u"update.manifest.minisig"_s, VirtualDisplay::kFirstWindowWaitMs),
            qPrintable(m_quillet->report()));
        // The offer would follow at once, before the program handles anything that came after the signature.
        QVERIFY(m_quillet->handledEarlierEvents());
        QVERIFY(m_display.windows(kOffer).isEmpty());
        QCOMPARE(m_quillet->process().state(), QProcess::Running);
        m_quillet->process().terminate(); // ended, as the user would close it
        QVERIFY(m_quillet->process().waitForFinished(kWaitMs));
        m_simulator.clearLog();

        QProcess freshbolt;
        freshbolt.setProcessEnvironment(freshboltEnvironment());
        freshbolt.start(programFolder() + u"/Freshbolt"_s, {});
        QVERIFY(freshbolt.waitForStarted());
        QVERIFY2(!m_display.window(u"Freshbolt"_s, VirtualDisplay::kFirstWindowWaitMs).isEmpty(),
            qPrintable(whatFreshboltShows()));
        QVERIFY(m_display.pressReturnIn(u"Freshbolt"_s));
        QVERIFY(freshbolt.waitForFinished(kWaitMs));
        QCOMPARE(askedOfUpdateFolder(), QStringList({ u"update.manifest"_s, u"update.manifest.minisig"_s }));
        QVERIFY(readFile(programFolder() + u"/Quillet"_s) == before);
        QCOMPARE(readFile(programFolder() + u"/help/Quillet_help.htm"_s), QByteArray("old help"));
        QVERIFY(!QFile::exists(programFolder() + u"/" + QLatin1String(platform::kInstalledReleaseName)));
        QCOMPARE(QDir(programFolder()).entryList({ u"*.download"_s }, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestUpdateOffer)
#include "tst_update_offer.moc"
