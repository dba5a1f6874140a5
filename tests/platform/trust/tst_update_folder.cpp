// SPDX-License-Identifier: MIT
// The update folder's small files as both programs read them: a hostile reply is never read past its bound, and
// what arrived decides the verdict before any signature is looked at.
#include "platform/trust/update_folder.h"
#include "tests/support/fakes/fake_http_transfer.h"

#include <QTest>

using namespace platform;
using namespace Qt::StringLiterals;

namespace
{

constexpr qsizetype kBound = 64 * 1024;

// Starts the request and reads its reply; `chunksRead` counts the pieces handed out.
FetchedFile read(FakeHttpTransfer::Reply reply, int& chunksRead)
{
    FakeHttpTransfer transfer;
    transfer.replies = { std::move(reply) };
    transfer.beforeChunk = [&chunksRead](int read) { chunksRead = read + 1; };
    static_cast<void>(transfer.start(UpdateFolderUrl(u"update.manifest"_s), {}, {}, {}));
    return ReadSmallReply(transfer, kBound, [] { return true; });
}

} // namespace

class TestUpdateFolder : public QObject
{
    Q_OBJECT
private slots:
    void readsAWholeSmallFile()
    {
        int chunks = 0;
        const QByteArray body(kBound, 'm');
        const FetchedFile file = read(FakeHttpTransfer::fileReply(body), chunks);
        QCOMPARE(file.state, Fetched::Arrived);
        QCOMPARE(file.bytes, body);
    }

    // A body that runs on without a length is dropped within one chunk of the bound, not read to its end.
    void neverReadsPastTheBound()
    {
        int chunks = 0;
        FakeHttpTransfer::Reply endless = FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s);
        for (int i = 0; i < 1000; ++i)
            endless.chunks.append(QByteArray(16384, 'x'));
        const FetchedFile file = read(endless, chunks);
        QCOMPARE(file.state, Fetched::Failed);
        QVERIFY(file.bytes.isEmpty());
        QVERIFY2(chunks <= kBound / 16384 + 1, qPrintable(QString::number(chunks)));
    }

    void refusesAnAnnouncedLengthPastTheBoundUnread()
    {
        int chunks = 0;
        const FetchedFile file = read(
            FakeHttpTransfer::reply(u"HTTP/1.1 200 OK"_s, { u"Content-Length: 65537"_s }, "product x\n"), chunks);
        QCOMPARE(file.state, Fetched::Failed);
        QCOMPARE(chunks, 0);
    }

    void whatArrivedDecides_data()
    {
        QTest::addColumn<Fetched>("manifest");
        QTest::addColumn<Fetched>("signature");
        QTest::addColumn<UpdateRefusal>("refusal");
        QTest::newRow("server unreachable") << Fetched::Unreachable << Fetched::Failed << UpdateRefusal::NotFetched;
        QTest::newRow("signature unreachable") << Fetched::Arrived << Fetched::Unreachable << UpdateRefusal::NotFetched;
        QTest::newRow("no manifest: a publication from before signing")
            << Fetched::Missing << Fetched::Failed << UpdateRefusal::NoSignature;
        QTest::newRow("no signature") << Fetched::Arrived << Fetched::Missing << UpdateRefusal::NoSignature;
        QTest::newRow("manifest broken off") << Fetched::Failed << Fetched::Arrived << UpdateRefusal::Damaged;
        QTest::newRow("signature broken off") << Fetched::Arrived << Fetched::Failed << UpdateRefusal::Damaged;
    }
    void whatArrivedDecides()
    {
        QFETCH(Fetched, manifest);
        QFETCH(Fetched, signature);
        QFETCH(UpdateRefusal, refusal);
        const UpdateVerdict verdict
            = CheckFetched({ manifest, "product Lastbell Quillet\n" }, { signature, {} }, TrustRules {});
        QVERIFY(!verdict.manifest);
        QCOMPARE(verdict.refusal, refusal);
    }
};

QTEST_GUILESS_MAIN(TestUpdateFolder)
#include "tst_update_folder.moc"
