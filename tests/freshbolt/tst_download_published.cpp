// SPDX-License-Identifier: MIT
// A download with the signed manifest's size and SHA-256: only exactly that file is moved into place.
#include "downloader_rig.h"

#include <QCryptographicHash>
#include <QTest>

using namespace freshbolt::test;
using platform::FakeHttpTransfer;
using platform::MessageAnswer;

Q_DECLARE_METATYPE(FakeHttpTransfer::Reply)

namespace
{

constexpr qint64 kSize = 250000;

freshbolt::PublishedFile publishedAs(const QByteArray& file)
{
    return { file.size(), QCryptographicHash::hash(file, QCryptographicHash::Sha256) };
}

} // namespace

class TestDownloadPublished : public QObject
{
    Q_OBJECT

private slots:
    void onlyThePublishedFileIsInstalled_data()
    {
        QTest::addColumn<FakeHttpTransfer::Reply>("reply");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("told");
        const QByteArray file = content(kSize);
        QByteArray other = file;
        other[kSize / 2] = 'Z';
        const QString length = u"Content-Length: %1"_s;
        QTest::newRow("the published file") << FakeHttpTransfer::fileReply(file) << true << QString();
        QTest::newRow("same size, one byte other")
            << FakeHttpTransfer::fileReply(other) << false << u"It is not the file that was published."_s;
        QTest::newRow("shorter, complete by its length") << FakeHttpTransfer::fileReply(file.left(kSize - 1)) << false
                                                         << u"It is not the file that was published."_s;
        QTest::newRow("Content-Length above the size")
            << FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, { length.arg(kSize + 1) }, file + 'x') << false
            << u"The server announced 250001 bytes, more than the 250000 bytes published."_s;
        QTest::newRow("206 of a larger file")
            << FakeHttpTransfer::reply(u"HTTP/1.1 206 Partial Content"_s,
                   { length.arg(kSize + 10), u"Content-Range: bytes 0-250009/250010"_s }, file + "0123456789")
            << false << u"The server announced 250010 bytes, more than the 250000 bytes published."_s;
    }
    void onlyThePublishedFileIsInstalled()
    {
        QFETCH(FakeHttpTransfer::Reply, reply);
        QFETCH(bool, installed);
        QFETCH(QString, told);
        Rig rig;
        rig.transfer.replies.append(reply);
        QCOMPARE(rig.downloader.DownloadFile(kUrl, kDestination, QString(), QString(),
                     freshbolt::Downloader::kProgramFile, publishedAs(content(kSize))),
            installed);
        QCOMPARE(rig.files.files[kDestination], installed ? content(kSize) : rig.oldFile);
        QVERIFY(rig.leftNoPartialFile());
        QCOMPARE(rig.transfer.requests.size(), 1); // no retry is offered for a wrong file
        QCOMPARE(rig.boxes.titles(), installed ? QStringList() : QStringList { u"Error Downloading File"_s });
        if (!installed)
            QCOMPARE(rig.boxes.questions[0].text,
                u"The file Quillet could not be verified. " + told + u"\r\rIt was not installed.");
    }

    // A body that runs on past the size it announced is not read to its end.
    void bodyLongerThanTheSizeIsNotReadOn()
    {
        Rig rig;
        const QByteArray file = content(kSize);
        rig.transfer.replies.append(FakeHttpTransfer::reply(
            u"HTTP/1.1 200 OK"_s, { u"Content-Length: %1"_s.arg(kSize) }, file + QByteArray(1000000, 'x')));
        int chunksRead = 0;
        rig.transfer.beforeChunk = [&chunksRead](int read) { chunksRead = read + 1; };
        QVERIFY(rig.downloader.DownloadFile(
            kUrl, kDestination, QString(), QString(), freshbolt::Downloader::kProgramFile, publishedAs(file)));
        QCOMPARE(rig.files.files[kDestination], file);
        QVERIFY(chunksRead <= kSize / 1024 + 2);
    }

    // On a resume the hash covers the saved part, read once, and the bytes fetched after it.
    void resumedFileIsHashedWhole()
    {
        Rig rig;
        const QByteArray file = content(kSize);
        rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
        rig.transfer.replies.append(FakeHttpTransfer::partialReply(file, kResumedFrom));
        rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };
        QVERIFY(rig.downloader.DownloadFile(
            kUrl, kDestination, QString(), QString(), freshbolt::Downloader::kProgramFile, publishedAs(file)));
        QCOMPARE(rig.files.files[kDestination], file);
        QCOMPARE(rig.boxes.titles(), QStringList { kIncomplete });
    }

    // Bytes spliced from another file on a resume are caught by the hash, even where the overlap matched.
    void resumeOntoOtherBytesIsRefused()
    {
        Rig rig;
        const QByteArray file = content(kSize);
        QByteArray spliced = file;
        spliced[kSize - 10] = 'Z';
        rig.transfer.replies.append(FakeHttpTransfer::droppedReply(file, kDroppedAt));
        rig.transfer.replies.append(FakeHttpTransfer::partialReply(spliced, kResumedFrom));
        rig.boxes.answersByTitle[kIncomplete] = { MessageAnswer::Retry };
        QVERIFY(!rig.downloader.DownloadFile(
            kUrl, kDestination, QString(), QString(), freshbolt::Downloader::kProgramFile, publishedAs(file)));
        QCOMPARE(rig.files.files[kDestination], rig.oldFile);
        QVERIFY(rig.leftNoPartialFile());
    }
};

QTEST_GUILESS_MAIN(TestDownloadPublished)
#include "tst_download_published.moc"
