// SPDX-License-Identifier: MIT
// Every way an update can go wrong, each a whole updater run in process against the local web service, with the
// real transfer and real files. Whatever happens, the program folder holds the old files or the new ones, byte for
// byte, the program can run, and no partial file is left.
#include "faulty_local_files.h"
#include "freshbolt/event_pump.h"
#include "freshbolt/mod_start.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/proxy_setup.h"
#include "platform/core/termination_signal.h"
#include "platform/trust/update_verification.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/simulator_process.h"
#include "tests/support/test_files.h"
#include "update_matrix_case.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using platform::MessageAnswer;
using namespace update_matrix;

class TestUpdateMatrix : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void update_data();
    void update();
    void readOnlyFileSystem();

private:
    static bool actInBody(Step step, const QString& fileName);
    QStringList partialFiles(const QString& folder) const;

    SimulatorProcess m_simulator;
    platform::QtHttpTransfer m_transfer;
    platform::SteadyClock m_clock;
    platform::FakeShell m_shell;
    platform::TerminationSignal m_termination;
    freshbolt::NestedEventLoop m_events;
};

void TestUpdateMatrix::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_simulator.start());
    qputenv("http_proxy", m_simulator.proxyUrl().toLatin1());
    platform::useSystemProxy();
}

void TestUpdateMatrix::update_data()
{
    QTest::addColumn<Case>("row");

    using A = MessageAnswer;
    const QByteArray fresh = generatedUpdateContent(kProgramSize);
    const QString incomplete = u"Download Incomplete"_s;
    const QString noResume = u"Unable to Resume Download"_s;
    const QString error = u"Error Downloading File"_s;
    const auto drop
        = [](int after) { return QStringList { u"fault?name=Quillet&kind=drop&after=%1&times=1"_s.arg(after) }; };
    const QMap<QString, QList<A>> retry { { incomplete, { A::Retry } } };
    const auto retryThen = [&](A answer) {
        return QMap<QString, QList<A>> { { incomplete, { A::Retry } }, { noResume, { answer } } };
    };

    QTest::newRow("clean update") << Case { .program = fresh };
    for (const int after : { 0, 1000, 4096, 150000, 299999 })
        QTest::addRow("drop after %d, Retry", after)
            << Case { .faults = drop(after), .answers = retry, .titles = { incomplete }, .program = fresh };
    QTest::newRow("drop, Cancel") << Case { .faults = drop(150000),
        .answers = { { incomplete, { A::Cancel } } },
        .titles = { incomplete, kFailure },
        .program = kOldProgram };
    const QString ignoreRange = u"fault?name=Quillet&kind=ignore-range&times=1"_s;
    QTest::newRow("Range ignored on resume, Yes") << Case { .faults = drop(150000),
        .atRetry = ignoreRange,
        .answers = retryThen(A::Yes),
        .titles = { incomplete, noResume },
        .program = fresh };
    QTest::newRow("Range ignored on resume, No") << Case { .faults = drop(150000),
        .atRetry = ignoreRange,
        .answers = retryThen(A::No),
        .titles = { incomplete, noResume, kFailure },
        .program = kOldProgram };
    const QList<std::pair<int, QString>> answers { { 204, u"No Content"_s }, { 401, u"Unauthorized"_s },
        { 404, u"File Not Found"_s }, { 500, error } };
    for (const auto& [code, title] : answers)
        QTest::addRow("program answered %d", code)
            << Case { .faults = { u"fault?name=Quillet&kind=status&code=%1"_s.arg(code) },
                   .titles = { title, kFailure },
                   .program = kOldProgram };
    QTest::newRow("help file answered 404")
        << Case { .faults = { u"fault?name=Quillet_help.htm&kind=status&code=404"_s },
               .titles = { u"File Not Found"_s, kFailure },
               .helpUpdated = false,
               .program = fresh,
               .told = kFailureText };
    QTest::newRow("empty reply") << Case { .faults = { u"fault?name=Quillet&kind=empty"_s },
        .titles = { u"Cannot Establish Connection"_s, kFailure },
        .program = kOldProgram };
    QTest::newRow("no length") << Case {
        .faults = { u"fault?name=Quillet&kind=no-length"_s }, .titles = { kFailure }, .program = kOldProgram
    };
    QTest::newRow("no server") << Case { .step = Step::NoServer,
        .titles = { kFailure },
        .helpUpdated = false,
        .program = kOldProgram,
        .told = kUnverified + u"\r\rThe update could not be fetched from the maker's server."_s };

    // A 206 that covers less than the file is an incomplete transfer.
    const QString shortOnce = u"fault?name=Quillet&kind=short-range&length=65536&times=1"_s;
    QTest::newRow("short 206, Retry") << Case {
        .faults = { shortOnce }, .answers = retry, .titles = { incomplete }, .program = fresh
    };
    QTest::newRow("short 206, Cancel") << Case { .faults = { shortOnce },
        .answers = { { incomplete, { A::Cancel } } },
        .titles = { incomplete, kFailure },
        .program = kOldProgram };
    QTest::newRow("every 206 short") << Case { .faults = { u"fault?name=Quillet&kind=short-range&length=65536"_s },
        .answers = { { incomplete, QList<A>(4, A::Retry) } },
        .titles = QStringList(4, incomplete),
        .program = fresh };

    // A file published anew between a drop and the Retry is never spliced onto the old one's bytes.
    QTest::newRow("republished, If-Range, Yes") << Case { .faults = drop(150000),
        .atRetry = kRepublish,
        .answers = retryThen(A::Yes),
        .titles = { incomplete, noResume },
        .program = republished(kProgramSize),
        .published = republished(kProgramSize) };
    QTest::newRow("republished, If-Range, No") << Case { .faults = drop(150000),
        .atRetry = kRepublish,
        .answers = retryThen(A::No),
        .titles = { incomplete, noResume, kFailure },
        .program = kOldProgram };
    const QStringList bare = QStringList { u"update-file?name=Quillet&size=300000&validators=no"_s } + drop(150000);
    QTest::newRow("republished, no validator, Yes") << Case { .faults = bare,
        .atRetry = kRepublish + u"&validators=no"_s,
        .answers = retryThen(A::Yes),
        .titles = { incomplete, noResume },
        .program = republished(kProgramSize),
        .published = republished(kProgramSize) };
    QTest::newRow("republished, no validator, No") << Case { .faults = bare,
        .atRetry = kRepublish + u"&validators=no"_s,
        .answers = retryThen(A::No),
        .titles = { incomplete, noResume, kFailure },
        .program = kOldProgram };
    QTest::newRow("republished larger, no validator") << Case { .faults = bare,
        .atRetry = u"update-file?name=Quillet&size=320000&shift=1000&validators=no"_s,
        .answers = retryThen(A::Yes),
        .titles = { incomplete, noResume },
        .program = republished(320000),
        .published = republished(320000) };

    // Cancel in every phase, by every means.
    const QStringList trickle { u"fault?name=Quillet&kind=trickle&rate=200000"_s };
    for (const auto& [name, step] : { std::pair { "Cancel button", Step::CancelButton },
             std::pair { "Escape", Step::Escape }, std::pair { "close box", Step::CloseBox } })
        QTest::addRow("%s in the program's body", name)
            << Case { .faults = trickle, .step = step, .titles = { kFailure }, .program = kOldProgram };
    QTest::newRow("Cancel in the help file's body")
        << Case { .faults = { u"update-file?name=Quillet_help.htm&size=200000"_s,
                      u"fault?name=Quillet_help.htm&kind=trickle&rate=200000"_s },
               .step = Step::CancelInHelp,
               .titles = { kFailure },
               .helpUpdated = false,
               .program = fresh,
               .publishedHelpSize = 200000 };
    QTest::newRow("signal in the start pause")
        << Case { .step = Step::SignalInPause, .helpUpdated = false, .program = kOldProgram };
    QTest::newRow("signal while Quillet ends")
        << Case { .step = Step::SignalInLockWait, .helpUpdated = false, .program = kOldProgram };
    QTest::newRow("signal in the program's body")
        << Case { .faults = trickle, .step = Step::SignalInBody, .program = kOldProgram };
    QTest::newRow("signal while asking") << Case { .faults = drop(150000),
        .step = Step::SignalAtQuestion,
        .answers = retry,
        .titles = { incomplete },
        .program = kOldProgram };

    // The folder and the other programs.
    QTest::newRow("stale partial file") << Case { .step = Step::StalePartial, .program = fresh };
    QTest::newRow("installed program not executable") << Case { .step = Step::NotExecutable, .program = fresh };
    QTest::newRow("Quillet still running") << Case { .step = Step::QuilletRunning,
        .titles = { kFailure },
        .helpUpdated = false,
        .program = kOldProgram,
        .told = u"Lastbell Quillet is still running"_s };
    QTest::newRow("second updater") << Case { .step = Step::SecondUpdater,
        .titles = { kFailure },
        .helpUpdated = false,
        .program = kOldProgram,
        .told = u"An update of Lastbell Quillet is already running."_s };
    QTest::newRow("read-only folder") << Case { .step = Step::ReadOnlyFolder,
        .titles = { kFailure },
        .helpUpdated = false,
        .program = kOldProgram,
        .told = u"Read-only file system"_s };
    QTest::newRow("full disk") << Case { .step = Step::FullDisk,
        .titles = { error, kFailure },
        .program = kOldProgram,
        .told = u"Cannot write file to disk.\r\rError 28: No space left on device"_s };

    addPublicationRows();
}

void TestUpdateMatrix::update()
{
    QFETCH(Case, row);
    const Step step = row.step;
    QString atRetry = row.atRetry;

    // The program folder as installed.
    QTemporaryDir folder;
    const auto inFolder = [&folder](const QString& name) { return folder.filePath(name); };
    QVERIFY(QFile::copy(QStringLiteral(CLIP_PATH), inFolder(u"DOWNLD2.AVI"_s)));
    QVERIFY(QDir(folder.path()).mkdir(u"help"_s));
    QVERIFY(writeFile(inFolder(u"help/Quillet_help.htm"_s), kOldHelp));
    QVERIFY(writeFile(inFolder(u"Quillet"_s), kOldProgram));
    const QFileDevice::Permissions installed = step == Step::NotExecutable
        ? QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
            | QFileDevice::ExeGroup;
    QVERIFY(QFile::setPermissions(inFolder(u"Quillet"_s), installed));
    if (step == Step::StalePartial)
        QVERIFY(writeFile(inFolder(u"Quillet.download"_s), QByteArray(400000, 'x')));

    // The server.
    m_simulator.clearLog();
    QVERIFY(m_simulator.control(u"update-file?name=Quillet&size=%1"_s.arg(kProgramSize)));
    QVERIFY(m_simulator.control(u"update-file?name=Quillet_help.htm&size=%1"_s.arg(kHelpSize)));
    for (const QString& name : { u"Quillet"_s, u"Quillet_help.htm"_s })
        QVERIFY(m_simulator.control(u"fault?name="_s + name + u"&kind=none"_s));
    QVERIFY(publishSigned(m_simulator, row, folder.path()));
    const QByteArray recordBefore = readFile(inFolder(QLatin1String(platform::kInstalledReleaseName)));
    for (const QString& fault : row.faults)
        QVERIFY2(m_simulator.control(fault), qPrintable(fault));

    // The user, the system and the other programs.
    platform::FakeMessageBoxes boxes;
    boxes.answersByTitle = row.answers;
    boxes.whileAsking = [&] {
        if (boxes.questions.last().title != u"Download Incomplete")
            return;
        if (!atRetry.isEmpty())
            QVERIFY(m_simulator.control(std::exchange(atRetry, QString())));
        if (step == Step::SignalAtQuestion)
            ::raise(SIGTERM);
    };
    FaultyLocalFiles files;
    if (step == Step::ReadOnlyFolder)
        files.readOnlyFolder = folder.path();
    if (step == Step::FullDisk)
        files.fullAfter = 100000;
    platform::InstanceLock quillet(folder.path());
    if (step == Step::QuilletRunning || step == Step::SignalInLockWait)
        QVERIFY(quillet.tryLock());
    platform::InstanceLock otherUpdater(folder.path(), platform::LockHolder::Updater);
    if (step == Step::SecondUpdater)
        QVERIFY(otherUpdater.tryLock());
    QTcpServer closed;
    if (step == Step::NoServer) {
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(closed.serverPort()));
        closed.close();
    }
    QTimer act;
    bool shownInPause = false; // the start pause shows no window at all
    connect(&act, &QTimer::timeout, this, [&] {
        if (step == Step::SignalInPause || step == Step::SignalInLockWait) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            shownInPause = std::any_of(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); });
            ::raise(SIGTERM);
            act.stop();
        } else if (actInBody(step, step == Step::CancelInHelp ? u"Quillet_help.htm"_s : u"Quillet"_s)) {
            act.stop();
        }
    });
    act.start(step == Step::SignalInLockWait ? 200 : 10);

    platform::InstanceLock updateLock(folder.path(), platform::LockHolder::Updater);
    QElapsedTimer took;
    took.start();
    const std::unique_ptr<freshbolt::FRestart> restart
        = freshbolt::Main({ m_transfer, m_clock, files, boxes, m_shell, m_termination, m_events }, folder.path(),
            updateLock, { 50ms, step == Step::QuilletRunning ? 300ms : 10s });
    act.stop();
    qputenv("http_proxy", m_simulator.proxyUrl().toLatin1());

    QCOMPARE(boxes.titles(), row.titles);
    QVERIFY(!shownInPause);
    QCOMPARE(!askedForAFile(m_simulator.log()), asksForNoFile(row));
    const QString told = boxes.texts().join(u'\n');
    QVERIFY2(told.contains(row.told), qPrintable(told));
    QCOMPARE(
        readFile(inFolder(u"help/Quillet_help.htm"_s)), row.helpUpdated ? generatedUpdateContent(kHelpSize) : kOldHelp);
    QCOMPARE(readFile(inFolder(u"Quillet"_s)), row.program);
    QVERIFY(QFileInfo(inFolder(u"Quillet"_s)).isExecutable()
        || (step == Step::NotExecutable && row.program == kOldProgram));
    QCOMPARE(partialFiles(folder.path()), QStringList());
    const bool updated = row.helpUpdated && row.program != kOldProgram;
    QCOMPARE(restart != nullptr, updated);
    QCOMPARE(m_shell.started, QStringList()); // only the user starts the new program, from the restart window
    // The release is recorded once every file is in place, and only then.
    const QByteArray record = readFile(inFolder(QLatin1String(platform::kInstalledReleaseName)));
    if (updated)
        QCOMPARE(platform::ReadInstalledRelease(record).value_or(platform::InstalledRelease {}).sequence, row.sequence);
    else
        QCOMPARE(record, recordBefore);
    QVERIFY(took.elapsed() < 8000); // nothing waits for what cannot come
}

// The real check against a real read-only file system: told at once, with the operating system's reason.
void TestUpdateMatrix::readOnlyFileSystem()
{
    QTemporaryDir mountPoint;
    QProcess mount;
    mount.start(u"mount"_s, { u"-t"_s, u"tmpfs"_s, u"-o"_s, u"ro,size=64k"_s, u"tmpfs"_s, mountPoint.path() });
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
        QSKIP("needs to mount a read-only file system, which takes root");
    const auto unmount = qScopeGuard([&mountPoint] { QProcess::execute(u"umount"_s, { mountPoint.path() }); });
    platform::QtLocalFiles files;
    platform::FakeMessageBoxes boxes;
    platform::InstanceLock updateLock(mountPoint.path(), platform::LockHolder::Updater);
    m_simulator.clearLog();
    QElapsedTimer took;
    took.start();

    QVERIFY(!freshbolt::Main({ m_transfer, m_clock, files, boxes, m_shell, m_termination, m_events }, mountPoint.path(),
        updateLock, { 50ms, 10s }));
    QVERIFY(took.elapsed() < 5000); // no wait for a lock that cannot be made
    QCOMPARE(boxes.titles(), QStringList { kFailure });
    QCOMPARE(boxes.texts(),
        QStringList {
            u"Lastbell Quillet cannot be updated: files cannot be created and renamed in its program folder\r"_s
            + mountPoint.path() + u"\r\rRead-only file system"_s });
    QVERIFY(m_simulator.log().isEmpty());
}

// The user or the system acts once the file's body is arriving.
bool TestUpdateMatrix::actInBody(Step step, const QString& fileName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const auto* status = window->findChild<QLabel*>(u"StatusLabel"_s);
        if (!window->isVisible() || !status || status->text() != u"Saving:"
            || !window->windowTitle().endsWith(u"% of "_s + fileName + u" Completed"_s))
            continue;
        switch (step) {
        case Step::CancelButton:
        case Step::CancelInHelp:
            window->findChild<QPushButton*>(u"CancelButton"_s)->click();
            break;
        case Step::Escape:
            QTest::keyClick(window, Qt::Key_Escape);
            break;
        case Step::CloseBox:
            window->close();
            break;
        case Step::SignalInBody:
            ::raise(SIGTERM);
            break;
        default:
            return false;
        }
        return true;
    }
    return false;
}

// Files that an update leaves only when it went wrong.
QStringList TestUpdateMatrix::partialFiles(const QString& folder) const
{
    QStringList found;
    QDirIterator files(
        folder, { u"*.download"_s, u".Freshbolt-check*"_s }, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(files.next());
    return found;
}

QTEST_MAIN(TestUpdateMatrix)
#include "tst_update_matrix.moc"
