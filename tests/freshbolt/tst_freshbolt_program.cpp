// SPDX-License-Identifier: MIT
// The real Freshbolt program in a throw-away program folder, against the local web service. Where the user must
// answer, it runs on a virtual X display and xdotool presses the keys and buttons.
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "tests/support/test_signing.h"
#include "tests/support/virtual_display.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace
{

constexpr int kWaitMs = 30000;

} // namespace

class TestFreshboltProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void updatesBothFilesAndOffersRestart();
    void outputNobodyReadsStopsNothing();
    void restartAnswer_data();
    void restartAnswer();
    void terminationEndsLikeCancel();
    void secondUpdaterTouchesNothing_data();
    void secondUpdaterTouchesNothing();
    void proxySettingsPasswordIsUsedWithoutAsking();
    void askingProxyIsAskedOnceForTheWholeUpdate();

private:
    void startFreshbolt(const QString& display = {}, const QString& proxyUser = {});
    void startFreshbolt(QProcess& process, const QString& display, const QString& proxyUser = {});
    // Requests the office proxy refused for want of its password.
    int refusedByTheProxy();
    bool programIsArriving();
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }

    SimulatorProcess m_simulator;
    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess m_freshbolt;
};

void TestFreshboltProgram::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
}

void TestFreshboltProgram::init()
{
    m_simulator.clearLog();
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=300000"_s));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=7000"_s));
    QVERIFY(publishSigned(m_simulator, generatedUpdateContent(7000), generatedUpdateContent(300000)));
    // A program folder as installed, but without its help folder.
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(QStringLiteral(FRESHBOLT_PATH), inFolder(u"Freshbolt"_s)));
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), inFolder(u"DOWNLD2.AVI"_s)));
    QVERIFY(writeFile(inFolder(u"Quillet"_s), "old program"));
}

void TestFreshboltProgram::cleanup()
{
    m_freshbolt.kill();
    m_freshbolt.waitForFinished();
    m_freshbolt.setChildProcessModifier({});
    QVERIFY(m_simulator.control(u"proxy-open"_s));
}

void TestFreshboltProgram::startFreshbolt(const QString& display, const QString& proxyUser)
{
    startFreshbolt(m_freshbolt, display, proxyUser);
}

// `proxyUser` ("user:password") goes into the proxy setting.
void TestFreshboltProgram::startFreshbolt(QProcess& process, const QString& display, const QString& proxyUser)
{
    QProcessEnvironment environment = m_simulator.proxyEnvironment();
    if (!proxyUser.isEmpty()) {
        const QString proxy = environment.value(u"http_proxy"_s);
        environment.insert(u"http_proxy"_s,
            proxy.left(proxy.indexOf(u"//"_s) + 2) + proxyUser + u'@' + proxy.mid(proxy.indexOf(u"//"_s) + 2));
    }
    if (display.isEmpty()) {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    } else {
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"DISPLAY"_s, display);
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder->path());
    process.start(inFolder(u"Freshbolt"_s), {});
    QVERIFY(process.waitForStarted());
}

bool TestFreshboltProgram::programIsArriving()
{
    return QFileInfo(inFolder(u"Quillet.download"_s)).size() > 0;
}

void TestFreshboltProgram::updatesBothFilesAndOffersRestart()
{
    startFreshbolt();

    // After its start pause Freshbolt fetches the help file, creating its folder, then the program file.
    QTRY_COMPARE_WITH_TIMEOUT(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000), kWaitMs);
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), generatedUpdateContent(7000));
    QVERIFY(QFileInfo(inFolder(u"Quillet"_s)).isExecutable());
    QCOMPARE(QDir(m_folder->path()).entryList({ u"*.download"_s }, QDir::Files), QStringList());
    // The signed manifest and its signature first, checked before anything is written.
    QStringList fetched;
    for (const LoggedRequest& request : m_simulator.log())
        fetched.append(request.url);
    const QString folder = u"http://www.cobbleton.com/downloads/updates/quillet/"_s;
    QCOMPARE(fetched,
        (QStringList { folder + u"update.manifest"_s, folder + u"update.manifest.minisig"_s,
            folder + u"Quillet_help.htm"_s, folder + u"Quillet"_s }));
}

// Quillet starts the updater and ends: whatever read Quillet's output (a pager, a test) is gone, and the updater's
// first warning goes to a pipe nobody reads. It must still update.
void TestFreshboltProgram::outputNobodyReadsStopsNothing()
{
    QProcessEnvironment environment = m_simulator.proxyEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.remove(u"XDG_RUNTIME_DIR"_s); // so that Qt warns at once
    m_freshbolt.setProcessEnvironment(environment);
    m_freshbolt.setWorkingDirectory(m_folder->path());
    m_freshbolt.setChildProcessModifier([] {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
            ::dup2(ends[1], STDERR_FILENO);
        }
    });
    m_freshbolt.start(inFolder(u"Freshbolt"_s), {});
    QVERIFY(m_freshbolt.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000), kWaitMs);
    QCOMPARE(m_freshbolt.state(), QProcess::Running); // at its restart window
}

void TestFreshboltProgram::restartAnswer_data()
{
    QTest::addColumn<QPoint>("button");
    QTest::addColumn<bool>("starts");
    // Button centres in pixels of the restart window.
    QTest::newRow("Yes") << QPoint(82, 113) << true;
    QTest::newRow("Not Right Now") << QPoint(187, 113) << false;
}

void TestFreshboltProgram::restartAnswer()
{
    QFETCH(QPoint, button);
    QFETCH(bool, starts);
    VirtualDisplay display;
    if (!display.start())
        QSKIP("needs Xvfb and xdotool");
    // The new program only leaves a mark that it was started from the program folder.
    const QByteArray program = "#!/bin/sh\necho \"$0\" > \"$(dirname \"$0\")/started\"\n";
    QVERIFY(m_simulator.control(u"update-file?name=Quillet"_s, program));
    QVERIFY(publishSigned(m_simulator, generatedUpdateContent(7000), program));
    startFreshbolt(display.name());

    // The restart window keeps the updater running until the user answers it.
    QVERIFY(!display.window(u"Update Successful"_s).isEmpty());
    QCOMPARE(m_freshbolt.state(), QProcess::Running);
    QVERIFY(display.clickIn(u"Update Successful"_s, button));
    QVERIFY(m_freshbolt.waitForFinished(kWaitMs));
    QCOMPARE(m_freshbolt.exitCode(), 0);
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), program); // the new files stay either way
    if (starts)
        QTRY_COMPARE_WITH_TIMEOUT(
            readFile(inFolder(u"started"_s)).trimmed(), inFolder(u"Quillet"_s).toLocal8Bit(), kWaitMs);
    else
        QVERIFY(!QFile::exists(inFolder(u"started"_s)));
}

void TestFreshboltProgram::terminationEndsLikeCancel()
{
    QVERIFY(m_simulator.control(u"fault?name=Quillet&kind=trickle&rate=20000"_s));
    startFreshbolt();
    QTRY_VERIFY_WITH_TIMEOUT(programIsArriving(), kWaitMs);

    // Log-off: the session sends SIGTERM to the running download.
    m_freshbolt.terminate();
    QVERIFY(m_freshbolt.waitForFinished(kWaitMs));
    QVERIFY(m_simulator.control(u"fault?name=Quillet&kind=none"_s));
    QCOMPARE(m_freshbolt.exitStatus(), QProcess::NormalExit);
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), QByteArray("old program"));
    QCOMPARE(QDir(m_folder->path()).entryList({ u"*.download"_s }, QDir::Files), QStringList());
    QCOMPARE(QDir(m_folder->path()).entryList({ u".*.lock"_s }, QDir::Files | QDir::Hidden), QStringList());
}

void TestFreshboltProgram::secondUpdaterTouchesNothing_data()
{
    QTest::addColumn<bool>("logOff");
    QTest::newRow("its message answered") << false;
    QTest::newRow("log-off at its message") << true;
}

void TestFreshboltProgram::secondUpdaterTouchesNothing()
{
    QFETCH(bool, logOff);
    VirtualDisplay display;
    if (!display.start())
        QSKIP("needs Xvfb and xdotool");
    QVERIFY(m_simulator.control(u"fault?name=Quillet&kind=trickle&rate=100000&times=1"_s));
    startFreshbolt();
    QTRY_VERIFY_WITH_TIMEOUT(programIsArriving(), kWaitMs);

    // A second updater in the same folder says so and ends at once.
    QProcess second;
    startFreshbolt(second, display.name());
    if (logOff) {
        QVERIFY(!display.window(u"Freshbolt"_s).isEmpty());
        second.terminate();
    } else {
        QVERIFY(display.pressReturnIn(u"Freshbolt"_s));
    }
    QVERIFY(second.waitForFinished(kWaitMs));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // The first one completes the update undisturbed.
    QTRY_COMPARE_WITH_TIMEOUT(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000), kWaitMs);
    QVERIFY(QFileInfo(inFolder(u"Quillet"_s)).isExecutable());
    int programRequests = 0;
    for (const LoggedRequest& request : m_simulator.log())
        programRequests += request.url.endsWith(u"/Quillet"_s) ? 1 : 0;
    QCOMPARE(programRequests, 1);
}

int TestFreshboltProgram::refusedByTheProxy()
{
    const QList<LoggedRequest> log = m_simulator.log();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [](const LoggedRequest& request) {
        return request.header("Proxy-Authorization") != "Basic b2ZmaWNlOnNlY3JldA=="; // office:secret
    }));
}

// Behind an office proxy that asks for a password, the one in the proxy setting is used: the update goes through
// with no question (there is no display to ask on) and without a storm of refusals.
void TestFreshboltProgram::proxySettingsPasswordIsUsedWithoutAsking()
{
    QVERIFY(m_simulator.control(u"proxy-auth?user=office&password=secret"_s));
    startFreshbolt({}, u"office:secret"_s);
    QTRY_COMPARE_WITH_TIMEOUT(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000), kWaitMs);
    QVERIFY2(refusedByTheProxy() <= 4, qPrintable(QString::number(refusedByTheProxy()) + u" refused"_s));
}

// Without one in the setting, Freshbolt asks once, and that answer serves every file of the update: a second
// question, which nobody answers, would have held the update up before its end.
void TestFreshboltProgram::askingProxyIsAskedOnceForTheWholeUpdate()
{
    VirtualDisplay display;
    if (!display.startDesktop())
        QSKIP("needs Xvfb, xdotool and openbox");
    QVERIFY(m_simulator.control(u"proxy-auth?user=office&password=secret"_s));
    startFreshbolt(display.name());
    const QString question = display.window(u"Password for the proxy"_s);
    QVERIFY(!question.isEmpty());
    QVERIFY(display.type(question, u"office"_s));
    QVERIFY(display.keys(question, { u"Tab"_s }));
    QVERIFY(display.type(question, u"secret"_s));
    QVERIFY(display.keys(question, { u"Return"_s }));
    QVERIFY(!display.window(u"Update Successful"_s).isEmpty());
    QVERIFY(display.windows(u"Password for the proxy"_s).isEmpty());
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(300000));
    QVERIFY2(refusedByTheProxy() <= 2, qPrintable(QString::number(refusedByTheProxy()) + u" refused"_s));
}

QTEST_GUILESS_MAIN(TestFreshboltProgram)
#include "tst_freshbolt_program.moc"
