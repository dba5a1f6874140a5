// SPDX-License-Identifier: MIT
// A reply is written only as the part of the file it claims to be, and a resume only onto the same file.
#include "downloader_rig.h"

#include <QTest>

using freshbolt::test::content;
using freshbolt::test::kDestination;
using freshbolt::test::kDroppedAt;
using freshbolt::test::kIncomplete;
using freshbolt::test::kNoResume;
using freshbolt::test::kResumedFrom;
using freshbolt::test::kResumeOverlap;
using freshbolt::test::Rig;
using platform::FakeHttpTransfer;
using platform::MessageAnswer;

class TestDownloadResume : public QObject
{
    Q_OBJECT
private slots:
    void shortPartIsIncomplete_data();
    void shortPartIsIncomplete();
    void resumeAsksForSameFile_data();
    void resumeAsksForSameFile();
    void otherValidatorIsNoResume();
    void damagedPartialIsNoResume();
    void partNotStartingAtZero();
    void contentRange_data();
    void contentRange();
};

void TestDownloadResume::shortPartIsIncomplete_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("Retry resumes from what arrived") << MessageAnswer::Retry;
    QTest::newRow("Cancel keeps the old file") << MessageAnswer::Cancel;
}

void TestDownloadResume::shortPartIsIncomplete()
{
    QFETCH(MessageAnswer, answer);
    Rig rig;
    const QByteArray file = content(300000);
    // A 206 that covers only the first 65536 bytes of the file, properly framed.
    rig.transfer.replies.append(FakeHttpTransfer::reply(u"HTTP/1.1 206 Partial Content"_s,
        { u"Content-Length: 65536"_s, u"Content-Range: bytes 0-65535/300000"_s }, file.left(65536)));
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, 65536 - kResumeOverlap));
    rig.boxes.answersByTitle[kIncomplete] = { answer };

    QCOMPARE(rig.download(), answer == MessageAnswer::Retry);
    QCOMPARE(rig.boxes.titles(), QStringList { kIncomplete });
    QCOMPARE(rig.files.files[kDestination], answer == MessageAnswer::Retry ? file : rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
    if (answer == MessageAnswer::Retry) {
        QVERIFY(rig.transfer.requests[1].extraHeaders.startsWith(u"Range: bytes=61440-\r\n"_s));
        QCOMPARE(rig.view.progressMaxima, (QList<qint64> { 300000, 300000 }));
    }
}

void TestDownloadResume::resumeAsksForSameFile_data()
{
    QTest::addColumn<QStringList>("validators");
    QTest::addColumn<QString>("ifRange");
    QTest::newRow("ETag") << QStringList { u"ETag: \"v2\""_s, u"Last-Modified: Mon, 07 Dec 2026 10:00:00 GMT"_s }
                          << u"If-Range: \"v2\"\r\n"_s;
    QTest::newRow("weak ETag: Last-Modified")
        << QStringList { u"ETag: W/\"v2\""_s, u"Last-Modified: Mon, 07 Dec 2026 10:00:00 GMT"_s }
        << u"If-Range: Mon, 07 Dec 2026 10:00:00 GMT\r\n"_s;
    QTest::newRow("none") << QStringList {} << QString();
}

void TestDownloadResume::resumeAsksForSameFile()
{
    QFETCH(QStringList, validators);
    QFETCH(QString, ifRange);
    Rig rig;
    const QByteArray file = content(250000);
    FakeHttpTransfer::Reply first = FakeHttpTransfer::droppedReply(file, kDroppedAt);
    for (const QString& line : validators)
        first.headerBlock += line + u"\r\n";
    rig.transfer.replies.append(first);
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, kResumedFrom));
    rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };

    QVERIFY(rig.download());
    QCOMPARE(rig.transfer.requests[0].extraHeaders, u"Range: bytes=0-\r\n"_s);
    QCOMPARE(rig.transfer.requests[1].extraHeaders, u"Range: bytes=95904-\r\n"_s + ifRange);
    QCOMPARE(rig.files.files[kDestination], file);
}

void TestDownloadResume::otherValidatorIsNoResume()
{
    Rig rig;
    const QByteArray file = content(250000);
    FakeHttpTransfer::Reply first = FakeHttpTransfer::droppedReply(file, kDroppedAt);
    first.headerBlock += u"ETag: \"v1\"\r\n"_s;
    // A server that does not honour If-Range sends the part of another publication.
    FakeHttpTransfer::Reply part = FakeHttpTransfer::partialReply(file, kResumedFrom);
    part.headerBlock += u"ETag: \"v2\"\r\n"_s;
    rig.transfer.replies = { first, part };
    rig.boxes.answersByTitle = { { kIncomplete, { MessageAnswer::Retry } }, { kNoResume, { MessageAnswer::No } } };

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, kNoResume }));
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
    QVERIFY(rig.leftNoPartialFile());
}

void TestDownloadResume::damagedPartialIsNoResume()
{
    Rig rig;
    const QByteArray file = content(250000);
    rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
    rig.transfer.replies.append(FakeHttpTransfer::fileReply(file));
    rig.boxes.answersByTitle = { { kIncomplete, { MessageAnswer::Retry } }, { kNoResume, { MessageAnswer::Yes } } };
    // Someone cuts the partial file short while the question is open: a resume would leave a hole.
    rig.boxes.whileAsking = [&] {
        if (rig.asking() == kIncomplete)
            rig.files.files[freshbolt::PartialFilePath(kDestination)].truncate(50000);
    };

    QVERIFY(rig.download());
    QCOMPARE(rig.boxes.titles(), (QStringList { kIncomplete, kNoResume }));
    QCOMPARE(rig.transfer.requests.size(), 2);
    QCOMPARE(rig.transfer.requests[1].extraHeaders, u"Range: bytes=0-\r\n"_s);
    QCOMPARE(rig.files.files[kDestination], file);
}

void TestDownloadResume::partNotStartingAtZero()
{
    Rig rig;
    rig.transfer.replies.append(FakeHttpTransfer::partialReply(content(250000), 1000));

    QVERIFY(!rig.download());
    QCOMPARE(rig.boxes.titles(), QStringList { u"Error Downloading File"_s });
    QCOMPARE(rig.boxes.questions[0].text,
        u"The server returned the following response:\r\rHTTP/1.1 206 Partial Content\r"_s);
    QCOMPARE(rig.files.opens, 0);
    QCOMPARE(rig.files.files[kDestination], rig.oldFile);
}

void TestDownloadResume::contentRange_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("total");
    QTest::newRow("whole") << u"bytes 0-299999/300000"_s << true << 0LL << 299999LL << 300000LL;
    QTest::newRow("short") << u"bytes 0-65535/300000"_s << true << 0LL << 65535LL << 300000LL;
    QTest::newRow("blanks") << u" bytes  5-9/10 "_s << true << 5LL << 9LL << 10LL;
    QTest::newRow("unknown total") << u"bytes 0-9/*"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("unsatisfied") << u"bytes */300000"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("end before start") << u"bytes 9-5/10"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("end past total") << u"bytes 0-10/10"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("overlong number") << u"bytes 0-1/99999999999999999999999"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("other unit") << u"items 0-1/2"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("no blank after the unit") << u"bytes0-1/2"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("a sign") << u"bytes +0-1/2"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("digits of another script") << u"bytes \u0660-\u0661/\u0662"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("a second total") << u"bytes 0-1/2/3"_s << false << 0LL << 0LL << 0LL;
    QTest::newRow("empty") << QString() << false << 0LL << 0LL << 0LL;
}

void TestDownloadResume::contentRange()
{
    QFETCH(QString, value);
    QFETCH(bool, valid);
    const std::optional<platform::ContentRange> range = platform::ParseContentRange(value);
    QCOMPARE(range.has_value(), valid);
    if (valid) {
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(qint64, total);
        QCOMPARE(range->first, first);
        QCOMPARE(range->last, last);
        QCOMPARE(range->total, total);
    }
}

QTEST_GUILESS_MAIN(TestDownloadResume)
#include "tst_download_resume.moc"
