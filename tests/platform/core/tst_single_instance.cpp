// SPDX-License-Identifier: MIT
// The rules of one program per user: a free lock is taken, a live one is handed over to, a dead one is taken
// over, and a holder that does not answer is never started beside.
#include "platform/core/single_instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>

using namespace std::chrono_literals;
using platform::ActivationRequest;
using platform::SingleInstance;

Q_DECLARE_METATYPE(platform::ActivationRequest)

namespace
{
constexpr char kName[] = "Quillet-test";
const ActivationRequest kRequest { "launcher-42_TIME1234", "" };

// A later start's claim runs on a thread of its own: it blocks, and the first program answers on this one.
std::future<SingleInstance::Claim> claimElsewhere(const QString& folder, std::chrono::milliseconds wait = 2s)
{
    return std::async(
        std::launch::async, [folder, wait] { return SingleInstance(folder, kName, wait).claim(kRequest); });
}

bool finishes(std::future<SingleInstance::Claim>& claim)
{
    return QTest::qWaitFor([&claim] { return claim.wait_for(0s) == std::future_status::ready; }, 10000);
}
} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void laterStartHandsOverItsRequest()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        auto later = claimElsewhere(folder.path());
        QVERIFY(finishes(later));
        QCOMPARE(later.get(), SingleInstance::Claim::HandedOver);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).at(0).value<ActivationRequest>(), kRequest);
    }

    void laterStartWaitsForTheFirstToListen()
    {
        // The first program takes the lock first thing and listens only once its application object exists. Until
        // then the later start finds nobody to answer it: here a socket that takes its connection and closes it.
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QLocalServer notYet;
        QVERIFY(notYet.listen(first.socketPath()));
        QSignalSpy tried(&notYet, &QLocalServer::newConnection);
        auto later = claimElsewhere(folder.path());
        QVERIFY(tried.wait(10000));
        notYet.nextPendingConnection()->abort();
        notYet.close();
        QVERIFY(first.listen());
        QVERIFY(finishes(later));
        QCOMPARE(later.get(), SingleInstance::Claim::HandedOver);
    }

    void holderThatNeverListensIsNotStartedBeside()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QElapsedTimer waited;
        waited.start();
        QCOMPARE(SingleInstance(folder.path(), kName, 300ms).claim(kRequest), SingleInstance::Claim::NoAnswer);
        QVERIFY2(waited.elapsed() >= 300, "gave up before its wait was over");
    }

    void holderThatAcceptsButNeverAnswersIsNotStartedBeside()
    {
        QTemporaryDir folder;
        QLockFile held(folder.filePath(QLatin1String(kName) + u".lock"));
        QVERIFY(held.tryLock(0));
        QLocalServer hung;
        QVERIFY(hung.listen(folder.filePath(QLatin1String(kName) + u".socket")));
        auto later = claimElsewhere(folder.path(), 300ms);
        QVERIFY(finishes(later)); // the connection is taken and then left unanswered
        QCOMPARE(later.get(), SingleInstance::Claim::NoAnswer);
    }

    void lockOfAKilledProgramIsTakenOver()
    {
        QTemporaryDir folder;
        const QString lockFile = folder.filePath(QLatin1String(kName) + u".lock");
        QProcess ended;
        ended.start(u"true"_qs, {});
        QVERIFY(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        QVERIFY(ended.waitForFinished());
        // What kill -9 leaves: its lock file, naming a process that is gone, and its socket file.
        {
            QLockFile written(lockFile);
            QVERIFY(written.tryLock(0));
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray contents = file.readAll();
            file.close();
            written.unlock();
            contents.replace(0, contents.indexOf('\n'), QByteArray::number(deadPid));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        QFile socketLeft(folder.filePath(QLatin1String(kName) + u".socket"));
        QVERIFY(socketLeft.open(QIODevice::WriteOnly));
        socketLeft.close();

        SingleInstance next(folder.path(), kName, 300ms);
        QCOMPARE(next.claim(kRequest), SingleInstance::Claim::First);
        QVERIFY2(next.listen(), qPrintable(next.errorString()));
        auto later = claimElsewhere(folder.path());
        QVERIFY(finishes(later));
        QCOMPARE(later.get(), SingleInstance::Claim::HandedOver);
    }

    void releasedLockIsFreeForTheNextStart()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QVERIFY(first.listen());
        first.release();
        QCOMPARE(SingleInstance(folder.path(), kName, 300ms).claim(kRequest), SingleInstance::Claim::First);
    }

    void unwritableFolderRunsWithoutALock()
    {
        QCOMPARE(SingleInstance(u"/proc/no-such-folder"_qs, kName, 300ms).claim(kRequest),
            SingleInstance::Claim::Unavailable);
    }

    void strangerOnTheSocketActivatesNothing()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        const QByteArray tooLong = QByteArray(5000, 'a') + '\n';
        for (const QByteArray& line : { QByteArray("open\tfile:///etc/passwd\t\n"), tooLong }) {
            QLocalSocket stranger;
            stranger.connectToServer(first.socketPath());
            QVERIFY(stranger.waitForConnected(5000));
            stranger.write(line);
            QVERIFY(QTest::qWaitFor([&stranger] { return stranger.state() == QLocalSocket::UnconnectedState; }, 5000));
            QCOMPARE(stranger.readAll(), QByteArray()); // no "ok" for it
        }
        QCOMPARE(asked.size(), 0);
        // A real start is still answered afterwards.
        auto later = claimElsewhere(folder.path());
        QVERIFY(finishes(later));
        QCOMPARE(later.get(), SingleInstance::Claim::HandedOver);
    }

    void socketIsTheOwnersAlone()
    {
        QTemporaryDir folder;
        SingleInstance first(folder.path(), kName);
        QCOMPARE(first.claim({}), SingleInstance::Claim::First);
        QVERIFY(first.listen());
        QCOMPARE(QFile::permissions(first.socketPath())
                & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
            QFile::Permissions());
    }

    void namedAfterTheSettingsItProtects()
    {
        QCOMPARE(SingleInstance::NameFor(u"/home/a/.config/Lastbell Quillet"_qs),
            SingleInstance::NameFor(u"/home/a/.config//Lastbell Quillet/"_qs));
        QVERIFY(SingleInstance::NameFor(u"/home/a/.config/Lastbell Quillet"_qs)
            != SingleInstance::NameFor(u"/home/b/.config/Lastbell Quillet"_qs));
    }

    void requestLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("read");
        QTest::newRow("both") << QByteArray("activate\tid_TIME5\ttoken\n") << true;
        QTest::newRow("neither") << QByteArray("activate\t\t\n") << true;
        QTest::newRow("no newline") << QByteArray("activate\tid\t") << false;
        QTest::newRow("another word") << QByteArray("open\tid\t\n") << false;
        QTest::newRow("a tab too many") << QByteArray("activate\tid\t\t\n") << false;
        QTest::newRow("a control character") << QByteArray("activate\ti\rd\t\n") << false;
        QTest::newRow("a space") << QByteArray("activate\ti d\t\n") << false;
        QTest::newRow("too long") << QByteArray("activate\t") + QByteArray(1100, 'x') + "\t\n" << false;
    }

    void requestLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, read);
        const std::optional<ActivationRequest> request = platform::ActivationRequestOf(line);
        QCOMPARE(request.has_value(), read);
        if (request)
            QCOMPARE(platform::ActivationLineOf(*request), line);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
