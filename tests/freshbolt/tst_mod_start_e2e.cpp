// SPDX-License-Identifier: MIT
// The updater's whole run, in process, against the local web service: the real windows, transfer and files;
// the message boxes and the program start are scripted.
#include "freshbolt/mod_start.h"
#include "platform/clock.h"
#include "platform/fakes/fake_message_boxes.h"
#include "platform/fakes/fake_shell.h"
#include "platform/http_transfer.h"
#include "platform/instance_lock.h"
#include "platform/local_files.h"
#include "platform/proxy_setup.h"
#include "platform/termination_signal.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace
{

const QString kFailure = u"There was a failure downloading one or more of the required files. You have either "
                         u"cancelled the update or there was a problem retrieving a file from the server.  Please "
                         u"try again another time."_s;

} // namespace

class TestModStartEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void bothFilesThenRestart();
    void missingHelpFileStillFetchesProgram();
    void cancelledHelpFileStillFetchesProgram();
    void quilletStillRunningChangesNothing();
    void readOnlyFolderIsToldAtOnce();
    void secondUpdaterChangesNothing();

private:
    std::unique_ptr<freshbolt::FRestart> run(std::chrono::milliseconds quilletEndLimit = 30s);
    QString inFolder(const QString& name) const { return m_folder->filePath(name); }
    QStringList titles() const;

    SimulatorProcess m_simulator;
    std::unique_ptr<QTemporaryDir> m_folder;
    platform::QtHttpTransfer m_transfer;
    platform::SteadyClock m_clock;
    platform::QtLocalFiles m_files;
    platform::FakeMessageBoxes m_boxes;
    platform::FakeShell m_shell;
    platform::TerminationSignal m_termination;
};

void TestModStartEndToEnd::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    qputenv("http_proxy", m_simulator.proxyUrl().toLatin1());
    platform::useSystemProxy();
}

void TestModStartEndToEnd::init()
{
    m_simulator.clearLog();
    m_boxes.questions.clear();
    m_shell.started.clear();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), inFolder(u"DOWNLD2.AVI"_s)));
    QVERIFY(QDir(m_folder->path()).mkdir(u"help"_s));
    QVERIFY(writeFile(inFolder(u"Quillet"_s), "old program"));
    QVERIFY(writeFile(inFolder(u"help/Quillet_help.htm"_s), "old help"));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=150000"_s));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=4000"_s));
}

std::unique_ptr<freshbolt::FRestart> TestModStartEndToEnd::run(std::chrono::milliseconds quilletEndLimit)
{
    platform::InstanceLock updateLock(m_folder->path(), platform::LockHolder::Updater);
    return freshbolt::Main({ m_transfer, m_clock, m_files, m_boxes, m_shell, m_termination }, m_folder->path(),
        updateLock, { 300ms, quilletEndLimit });
}

QStringList TestModStartEndToEnd::titles() const
{
    QStringList result;
    for (const auto& question : m_boxes.questions)
        result.append(question.title);
    return result;
}

void TestModStartEndToEnd::bothFilesThenRestart()
{
    const std::unique_ptr<freshbolt::FRestart> restart = run();
    QVERIFY(restart);
    QVERIFY(restart->isVisible());
    QVERIFY(m_boxes.questions.isEmpty());
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), generatedUpdateContent(4000));
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(150000));
    QVERIFY(QFileInfo(inFolder(u"Quillet"_s)).isExecutable());

    restart->findChild<QPushButton*>(u"cmdYes"_s)->click();
    QCOMPARE(m_shell.started, QStringList { inFolder(u"Quillet"_s) });
}

void TestModStartEndToEnd::missingHelpFileStillFetchesProgram()
{
    QVERIFY(m_simulator.control(u"fault?name=Quillet_help.htm&kind=status&code=404&times=1"_s));

    QVERIFY(!run());
    QCOMPARE(titles(), (QStringList { u"File Not Found"_s, u"Freshbolt"_s }));
    QCOMPARE(m_boxes.questions[1].text, kFailure);
    QCOMPARE(m_boxes.questions[1].icon, platform::MessageIcon::None);
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), QByteArray("old help"));
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(150000));
}

void TestModStartEndToEnd::cancelledHelpFileStillFetchesProgram()
{
    QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=200000"_s));
    QVERIFY(m_simulator.control(u"fault?name=Quillet_help.htm&kind=trickle&rate=20000&times=1"_s));
    // Once the help file is arriving, the user presses Cancel in the download window.
    QTimer pressCancel;
    connect(&pressCancel, &QTimer::timeout, this, [&pressCancel] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            const auto* status = window->findChild<QLabel*>(u"StatusLabel"_s);
            if (window->isVisible() && status && status->text() == u"Saving:"
                && window->windowTitle().endsWith(u"of Quillet_help.htm Completed")) {
                window->findChild<QPushButton*>(u"CancelButton"_s)->click();
                pressCancel.stop();
            }
        }
    });
    pressCancel.start(20);

    QVERIFY(!run());
    QCOMPARE(titles(), QStringList { u"Freshbolt"_s });
    QCOMPARE(readFile(inFolder(u"help/Quillet_help.htm"_s)), QByteArray("old help"));
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), generatedUpdateContent(150000));
}

void TestModStartEndToEnd::quilletStillRunningChangesNothing()
{
    platform::InstanceLock quillet(m_folder->path());
    QVERIFY(quillet.tryLock());

    QVERIFY(!run(300ms));
    QCOMPARE(titles(), QStringList { u"Freshbolt"_s });
    QVERIFY(m_boxes.questions[0].text.startsWith(u"Lastbell Quillet is still running"_s));
    QVERIFY(m_simulator.log().isEmpty());
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), QByteArray("old program"));
}

void TestModStartEndToEnd::readOnlyFolderIsToldAtOnce()
{
    // A read-only file system of its own; mounting needs root.
    QTemporaryDir mountPoint;
    QProcess mount;
    mount.start(u"mount"_s, { u"-t"_s, u"tmpfs"_s, u"-o"_s, u"ro,size=64k"_s, u"tmpfs"_s, mountPoint.path() });
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        QSKIP("needs to mount a read-only file system");
    const auto unmount = qScopeGuard([&mountPoint] { QProcess::execute(u"umount"_s, { mountPoint.path() }); });
    platform::InstanceLock updateLock(mountPoint.path(), platform::LockHolder::Updater);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!freshbolt::Main({ m_transfer, m_clock, m_files, m_boxes, m_shell, m_termination }, mountPoint.path(),
        updateLock, { 300ms, 30s }));
    QVERIFY(timer.elapsed() < 5000); // no wait for a lock that cannot be made
    QCOMPARE(titles(), QStringList { u"Freshbolt"_s });
    QCOMPARE(m_boxes.questions[0].text,
        u"Lastbell Quillet cannot be updated: files cannot be created and renamed in its program folder\r"_s
            + mountPoint.path() + u"\r\rRead-only file system"_s);
    QVERIFY(m_simulator.log().isEmpty());
}

void TestModStartEndToEnd::secondUpdaterChangesNothing()
{
    platform::InstanceLock first(m_folder->path(), platform::LockHolder::Updater);
    QVERIFY(first.tryLock());

    QVERIFY(!run());
    QCOMPARE(titles(), QStringList { u"Freshbolt"_s });
    QCOMPARE(m_boxes.questions[0].text, u"An update of Lastbell Quillet is already running."_s);
    QVERIFY(m_simulator.log().isEmpty());
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), QByteArray("old program"));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        (QStringList { u".Freshbolt.lock"_s, u"DOWNLD2.AVI"_s, u"Quillet"_s }));
}

QTEST_MAIN(TestModStartEndToEnd)
#include "tst_mod_start_e2e.moc"
