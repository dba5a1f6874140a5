// SPDX-License-Identifier: MIT
#include "downloader_rig.h"

#include <QTest>

using freshbolt::test::content;
using freshbolt::test::kDestination;
using freshbolt::test::kDroppedAt;
using freshbolt::test::kIncomplete;
using freshbolt::test::kNoResume;
using freshbolt::test::kResumedFrom;
using freshbolt::test::kResumeOverlap;
using freshbolt::test::kUrl;
using freshbolt::test::Rig;
using platform::FakeHttpTransfer;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

class TestDownloader : public QObject
{
    Q_OBJECT
private slots:
    void firstAttemptFetchesWholeFile();
    void dropResumesFromOverlap();
    void shortPartialResumesFromStart();
    void resumeAnsweredWhole_data();
    void resumeAnsweredWhole();
    void partOtherThanAskedIsNoResume();
    void programMadeExecutableBeforeMove();
    void permissionsRefusedMovesNothing();
    void serverAnswers_data();
    void serverAnswers();
    void diskSpaceOnFirstAttempt();
    void diskSpaceOnResumedAttempt();
    void cancelWhileWaiting();
    void cancelInBody();
    void captionFollowsChunks();
    void progressShownOncePerFrame();
    void emptyFirstChunkIsIncomplete();
    void writeFailureKeepsOldFile();
    void clipFailureIsNoObstacle();
    void missingFolderIsCreated();
    void relativeDestinationSkipsSpaceCheck();
    void unwritableFileIsWriteFailure();
    void refusedRequestByStage();
};

void TestDownloader::firstAttemptFetchesWholeFile()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));

    QVERIFY(rig.download());
    QCOMPARE(rig.transfer.requests.size(), 1);
    QCOMPARE(rig.transfer.requests[0].extraHeaders, u"Range: bytes=0-\r\n"_s);
    QCOMPARE(rig.files.files[kDestination], file); // exactly as long as the new content
    QVERIFY(rig.leftNoPartialFile());
    QVERIFY(rig.boxes.questions.isEmpty());
    QCOMPARE(rig.view.statuses.first(), u"Getting file information..."_s);
    QCOMPARE(rig.view.statuses.last(), u"Download completed!"_s);
    QCOMPARE(rig.view.source, u"Quillet from www.cobbleton.com"_s);
    QCOMPARE(rig.view.destination, kDestination);
    QCOMPARE(rig.view.clipPath, u"/prog/DOWNLD2.AVI"_s);
    QCOMPARE(rig.view.shows, 1);
    QCOMPARE(rig.view.unloads, 1);
    QCOMPARE(rig.transfer.cancels, 1);
}

void TestDownloader::dropResumesFromOverlap()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, kResumedFrom));
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };
    bool oldFileInPlaceWhenAsked = false;
    // The first body starts at 999 s (clock 1000 minus one second); the resumed body ends at 1099 s.
    rig.boxes.whileAsking = [&] {
        oldFileInPlaceWhenAsked = rig.files.files.value(kDestination) == rig.oldFile;
        rig.clock.now = 1099.0;
    };

    QVERIFY(rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { kIncomplete });
    QVERIFY(rig.boxes.questions[0].text.contains(u"(Approximate time remaining: "_s));
    QCOMPARE(rig.boxes.questions[0].icon, MessageIcon::Warning);
    QCOMPARE(rig.boxes.questions[0].buttons, MessageButtons::RetryCancel);
    QVERIFY(oldFileInPlaceWhenAsked);
    QCOMPARE(rig.transfer.requests.size(), 2);
    QCOMPARE(rig.transfer.requests[1].extraHeaders, u"Range: bytes=95904-\r\n"_s);
    QVERIFY(rig.view.statuses.contains(u"Resuming download..."_s));
    QCOMPARE(rig.view.progressMaxima, (QList<qint64> { 250000, 250000 }));
    QCOMPARE(rig.view.time, u"0 sec (244 KB of 244 KB copied)"_s);
    QCOMPARE(rig.view.rate, u"2.4 KB/Sec"_s); // 250000 bytes over 100 s: the first start time stands
    QCOMPARE(rig.files.files[kDestination], file);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloader::shortPartialResumesFromStart()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, 3000));
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, 0));
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };

    QVERIFY(rig.download());
    QCOMPARE(rig.transfer.requests[1].extraHeaders, u"Range: bytes=0-\r\n"_s);
    QCOMPARE(rig.files.files[kDestination], file);
}

void TestDownloader::resumeAnsweredWhole_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("Yes starts afresh") << MessageAnswer::Yes;
    QTest::newRow("No gives up") << MessageAnswer::No;
}

void TestDownloader::resumeAnsweredWhole()
{
    QFETCH(MessageAnswer, answer);
    Rig rig;
    const QByteArray first = content(250000);
    const QByteArray second = content(300000, 'A');
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(first, kDroppedAt));
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(second));
    rig.boxes.answersByTitle = { { kIncomplete, { MessageAnswer::Retry } }, { kNoResume, { answer } } };
    bool partialGoneWhenAsked = false;
    rig.boxes.whileAsking = [&] {
        if (rig.asking() == kNoResume)
            partialGoneWhenAsked = rig.leftNoPartialFile();
        rig.clock.now = 1099.0;
    };

    const bool result = rig.download();
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, kNoResume }));
    QCOMPARE(rig.boxes.questions[1].text,
        u"The server is unable to resume this download.\r\rDo you want to continue anyway?"_s);
    QCOMPARE(rig.boxes.questions[1].buttons, MessageButtons::YesNo);
    QVERIFY(partialGoneWhenAsked);
    QVERIFY(rig.leftNoPartialFile());
    if (answer == MessageAnswer::Yes) {
        QVERIFY(result);
        QCOMPARE(rig.files.files[kDestination], second);
        QCOMPARE(rig.view.progressMaxima.last(), 300000);
        QCOMPARE(rig.view.rate, u"293.0 KB/Sec"_s); // a new start time: 300000 bytes in one second
    } else {
        QVERIFY(!result);
        QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    }
}

void TestDownloader::partOtherThanAskedIsNoResume()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, 1000)); // not the part asked for
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));
    rig.boxes.answersByTitle = { { kIncomplete, { MessageAnswer::Retry } }, { kNoResume, { MessageAnswer::Yes } } };

    QVERIFY(rig.download());
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, kNoResume }));
    QCOMPARE(rig.transfer.requests.size(), 3);
    QCOMPARE(rig.transfer.requests[2].extraHeaders, u"Range: bytes=0-\r\n"_s);
    QCOMPARE(rig.files.files[kDestination], file);
}

void TestDownloader::programMadeExecutableBeforeMove()
{
    Rig rig;
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(3000)));

    QVERIFY(rig.downloader.DownloadFile(kUrl, kDestination, {}, {}, freshbolt::Downloader::kProgramFile));
    QCOMPARE(rig.files.permissions[kDestination], freshbolt::Downloader::kProgramFile);
}

void TestDownloader::permissionsRefusedMovesNothing()
{
    Rig rig;
    rig.files.refusePermissions = true;
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(3000)));

    QVERIFY(!rig.downloader.DownloadFile(kUrl, kDestination, {}, {}, freshbolt::Downloader::kProgramFile));
    QCOMPARE(rig.boxes.titles(), QStringList { u"Error Downloading File"_s });
    QCOMPARE(rig.boxes.questions[0].text, u"Cannot write file to disk.\r\rError 1: Operation not permitted"_s);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloader::serverAnswers_data()
{
    QTest::addColumn<FakeHttpTransfer::Reply>("reply");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MessageIcon>("icon");
    QTest::newRow("204") << FakeHttpTransfer::reply(u"HTTP/1.1 204 No Content"_s) << u"No Content"_s
                         << u"Nothing to download!"_s << MessageIcon::Information;
    QTest::newRow("401") << FakeHttpTransfer::reply(u"HTTP/1.1 401 Unauthorized"_s) << u"Unauthorized"_s
                         << u"Authorization failed!"_s << MessageIcon::Critical;
    QTest::newRow("404") << FakeHttpTransfer::reply(u"HTTP/1.1 404 Not Found"_s, { u"Content-Length: 9"_s },
        "not found") << u"File Not Found"_s
                         << u"The file, \""_s + kUrl + u"\" was not found!"_s << MessageIcon::Critical;
    QTest::newRow("500") << FakeHttpTransfer::reply(u"HTTP/1.1 500 Internal Server Error"_s, { u"Content-Length: 0"_s })
                         << u"Error Downloading File"_s
                         << u"The server returned the following response:\r\rHTTP/1.1 500 Internal Server Error\r"_s
                         << MessageIcon::Critical;
    FakeHttpTransfer::Reply empty;
    QTest::newRow("empty header block") << empty << u"Error Downloading File"_s
                                        << u"The server returned the following response:\r\r<nothing>"_s
                                        << MessageIcon::Critical;
    FakeHttpTransfer::Reply unreached;
    unreached.reachedServer = false;
    const QString noConnection = u"Cannot establish connection.\r\rCheck your Internet connection and try again."_s;
    QTest::newRow("no server") << unreached << u"Cannot Establish Connection"_s << noConnection << MessageIcon::Warning;
    QTest::newRow("status field CR LF") << FakeHttpTransfer::reply(u"HTTP/1.1 "_s) << u"Cannot Establish Connection"_s
                                        << noConnection << MessageIcon::Warning;
}

void TestDownloader::serverAnswers()
{
    QFETCH(FakeHttpTransfer::Reply, reply);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(MessageIcon, icon);
    Rig rig;
    rig.files.files.clear();
    rig.transfer.replies.append(reply);

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { title });
    QCOMPARE(rig.boxes.questions[0].text, text);
    QCOMPARE(rig.boxes.questions[0].icon, icon);
    QCOMPARE(rig.boxes.questions[0].buttons, MessageButtons::Ok);
    QVERIFY(rig.files.files.isEmpty()); // no file created
    QCOMPARE(rig.files.opens, 0);
}

void TestDownloader::diskSpaceOnFirstAttempt()
{
    Rig rig;
    rig.files.freeSpace = 249999;
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(250000)));

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { u"Insufficient Disk Space"_s });
    QCOMPARE(rig.boxes.questions[0].icon, MessageIcon::Critical);
    QCOMPARE(rig.files.freeSpaceAsked, QStringList { u"/prog/"_s }); // the file system that holds the file
    QCOMPARE(rig.files.opens, 0);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
}

void TestDownloader::diskSpaceOnResumedAttempt()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, kResumedFrom));
    // Every resume steps back again from the bytes counted.
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, kResumedFrom - kResumeOverlap));
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry, MessageAnswer::Retry };
    // Space runs short at the first resume and is freed before the second.
    rig.boxes.whileAsking = [&] {
        if (rig.asking() == kIncomplete)
            rig.files.freeSpace = rig.files.freeSpace > 1e9 ? 1000 : 1e12;
    };

    QVERIFY(rig.download());
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, u"Insufficient Disk Space"_s, kIncomplete }));
    QCOMPARE(rig.transfer.requests[2].extraHeaders, u"Range: bytes=91808-\r\n"_s);
    QCOMPARE(rig.files.files[kDestination], file);
}

void TestDownloader::cancelWhileWaiting()
{
    Rig rig;
    FakeHttpTransfer::Reply slow = FakeHttpTransfer::fileReply(content(250000));
    slow.pollsWhileExecuting = 5;
    rig.transfer.replies.append(slow);
    rig.events.onWait = [&] { rig.downloader.Cancel(); };

    QVERIFY(!rig.download());
    QVERIFY(rig.boxes.questions.isEmpty());
    QVERIFY(rig.view.statuses.contains(u"Cancelling..."_s));
    QCOMPARE(rig.transfer.requests.size(), 1); // no retry
    QCOMPARE(rig.files.opens, 0);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloader::cancelInBody()
{
    Rig rig;
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(250000)));
    rig.transfer.beforeChunk = [&](int chunks) {
        if (chunks == 50)
            rig.downloader.Cancel();
    };

    QVERIFY(!rig.download());
    QVERIFY(rig.boxes.questions.isEmpty());
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
    QCOMPARE(rig.view.progressValue, 50 * 1024);
}

void TestDownloader::captionFollowsChunks()
{
    Rig rig;
    const QByteArray file = content(250000);
    FakeHttpTransfer::Reply reply = FakeHttpTransfer::fileReply(file);
    reply.chunks = { file.left(1), file.mid(1) };
    rig.transfer.replies.append(reply);

    QVERIFY(rig.download());
    QCOMPARE(rig.view.captions.first(), u"0% of Quillet Completed"_s);
    QCOMPARE(rig.view.captions.last(), u"100% of Quillet Completed"_s);
    QCOMPARE(rig.view.captions.size(), 1 + 245 + 1); // every chunk, and the empty one that ends the body
}

// Between frames the window is told nothing, but a question stands over the progress at that moment, and the
// window ends showing the last chunk's.
void TestDownloader::progressShownOncePerFrame()
{
    Rig rig;
    rig.events.framesDue = false;
    const QByteArray file = content(250000);
    rig.transfer.replies
        = { FakeHttpTransfer::droppedReply(file, kDroppedAt), FakeHttpTransfer::partialReply(file, kResumedFrom) };
    QString shownWhenAsked;
    rig.boxes.whileAsking = [&] { shownWhenAsked = rig.view.captions.join(u'|') + u" | " + rig.view.time; };

    QVERIFY(rig.download());
    QCOMPARE(shownWhenAsked, u"40% of Quillet Completed | 2 sec (98 KB of 244 KB copied)"_s);
    // The last chunk, and the empty one that ends the body.
    QCOMPARE(rig.view.captions,
        (QStringList {
            u"40% of Quillet Completed"_s, u"100% of Quillet Completed"_s, u"100% of Quillet Completed"_s }));
    QCOMPARE(rig.view.progressValue, 250000);
}

void TestDownloader::emptyFirstChunkIsIncomplete()
{
    Rig rig;
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(content(250000), 0));
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Cancel };

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { kIncomplete });
    QVERIFY(rig.boxes.questions[0].text.contains(u"(Approximate time remaining: 0 sec)"_s));
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloader::writeFailureKeepsOldFile()
{
    Rig rig;
    rig.files.failWritesBeyond = 5000;
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(250000)));

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { u"Error Downloading File"_s });
    QCOMPARE(rig.boxes.questions[0].text, u"Cannot write file to disk.\r\rError 61: Disk full"_s);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloader::clipFailureIsNoObstacle()
{
    Rig rig;
    rig.view.clipFailure = u"Invalid clip /prog/DOWNLD2.AVI (truncated clip)"_s;
    const QByteArray file = content(5000);
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));

    QVERIFY(rig.download());
    QVERIFY(rig.boxes.questions.isEmpty());
    QCOMPARE(rig.files.files[kDestination], file);
    QCOMPARE(rig.view.shows, 1);
}

void TestDownloader::missingFolderIsCreated()
{
    Rig rig;
    const QByteArray file = content(5000);
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));

    QVERIFY(rig.download(u"/prog/help/Quillet_help.htm"_s));
    QVERIFY(rig.files.isFolder(u"/prog/help"_s));
    QCOMPARE(rig.files.files[u"/prog/help/Quillet_help.htm"_s], file);
    QCOMPARE(rig.view.captions.last(), u"100% of Quillet_help.htm Completed"_s);
}

void TestDownloader::relativeDestinationSkipsSpaceCheck()
{
    Rig rig;
    rig.files.freeSpace = 0;
    rig.files.folders.insert(u"prog"_s);
    const QByteArray file = content(3000);
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));

    QVERIFY(rig.download(u"prog/Quillet"_s));
    QCOMPARE(rig.files.files[u"prog/Quillet"_s], file);
    QCOMPARE(rig.files.freeSpaceAsked, QStringList());
}

void TestDownloader::unwritableFileIsWriteFailure()
{
    Rig rig;
    rig.files.unwritable.insert(freshbolt::PartialFilePath(kDestination));
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(content(3000)));

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.questions.size(), 1);
    QCOMPARE(rig.boxes.questions[0].text, u"Cannot write file to disk.\r\rError 75: Path/File access error"_s);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
}

void TestDownloader::refusedRequestByStage()
{
    Rig rig;
    FakeHttpTransfer::Reply refused;
    refused.refusal = u"Invalid URL"_s;
    rig.transfer.replies = { refused };
    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.questions[0].text, u"Error: Invalid URL occurred."_s);

    // Once the body has been written to, the same refusal is a write-stage failure.
    rig.boxes.questions.clear();
    rig.transfer.replies = { FakeHttpTransfer::droppedReply(content(250000), kDroppedAt), refused };
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };
    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, u"Error Downloading File"_s }));
    QCOMPARE(rig.boxes.questions[1].text, u"Cannot write file to disk.\r\rError 35752: Invalid URL"_s);
    QVERIFY(rig.leftNoPartialFile());
}

QTEST_GUILESS_MAIN(TestDownloader)
#include "tst_downloader.moc"
